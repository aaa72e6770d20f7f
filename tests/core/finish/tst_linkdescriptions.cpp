#include "LinkDescriptions.h"
#include "PdfSample.h"

#include <QTemporaryDir>
#include <QtTest>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

using namespace orvanta::finish;

/** Each link of a PDF described by the letters whose middle lies in it, as the page draws them. */
class TestLinkDescriptions final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textUnderTheLink_data();
    void textUnderTheLink();
};

void TestLinkDescriptions::textUnderTheLink_data()
{
    // The sample draws its title at 72/780 in 24 pt, its disclosure at 72/600 and "Buy now" at 80/560 in 18 pt.
    QTest::addColumn<QRectF>("link"); // left, bottom, width, height in the PDF's points
    QTest::addColumn<QString>("described");
    QTest::newRow("the button's words, well inside its padding") << QRectF(72, 550, 148, 35) << "Buy now";
    QTest::newRow("a whole line") << QRectF(60, 770, 500, 40) << "Keto Cookbook Review";
    QTest::newRow("the first word of a line, the rest beside it") << QRectF(60, 770, 68, 40) << "Keto";
    QTest::newRow("two lines, read in order")
        << QRectF(60, 555, 500, 60) << "Disclosure: we may earn a commission if you buy through this link. Buy now";
    QTest::newRow("no text there") << QRectF(300, 100, 100, 50) << QString();
}

void TestLinkDescriptions::textUnderTheLink()
{
    QFETCH(QRectF, link);
    QFETCH(QString, described);
    QTemporaryDir dir;
    const QString path = dir.filePath("links.pdf");
    Sample sample;
    sample.linkRect = link;
    writeSample(sample, path);
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    QCOMPARE(describeLinks(pdf, path), described.isEmpty() ? 0 : 1);
    QPDFObjectHandle annotation =
        QPDFPageDocumentHelper(pdf).getAllPages().front().getAnnotations("/Link").front().getObjectHandle();
    QPDFObjectHandle contents = annotation.getKey("/Contents");
    QCOMPARE(contents.isString() ? QString::fromStdString(contents.getUTF8Value()) : QString(), described);
}

QTEST_GUILESS_MAIN(TestLinkDescriptions)
#include "tst_linkdescriptions.moc"
