#include "AccessibleRules.h"
#include "ArtifactMarking.h"
#include "LinkDescriptions.h"
#include "MarkedContent.h"
#include "PdfMetadata.h"

#include <QTemporaryDir>
#include <QtTest>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

using namespace orvanta::finish;
using namespace orvanta::preflight;

namespace {
/** One page drawing @p content in @p font, with one link at @p rect; its Link element holds @p linkKids too. */
void addLinkPage(QPDF& pdf, const std::string& font, const std::string& content, const std::string& rect,
                 const std::string& contents, const std::string& linkKids, QPDFObjectHandle elements)
{
    QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 200 200] /Tabs /S /Resources "
                                                    "<< /Font << /F1 " +
                                                    font + " >> >> >>");
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
    QPDFObjectHandle link = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Annot /Subtype /Link /Rect " + rect + " /A << /S /URI /URI (https://x.test) >> >>"));
    if (!contents.empty())
        link.replaceKey("/Contents", QPDFObjectHandle::parse(contents));
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({link}));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    QPDFObjectHandle linkElement = QPDFObjectHandle::parse("<< /S /Link /K [<< /Type /OBJR >> " + linkKids + "] >>");
    linkElement.getKey("/K").getArrayItem(0).replaceKey("/Obj", link);
    elements.appendItem(linkElement);
    QPDFObjectHandle tree = QPDFObjectHandle::parse("<< /Type /StructTreeRoot >>");
    tree.replaceKey("/K", elements);
    pdf.getRoot().replaceKey("/StructTreeRoot", pdf.makeIndirectObject(tree));
}
} // namespace

/** A tagged one-page PDF built with qpdf, with one fault planted per row, judged after artifacts are marked. */
class TestAccessiblePdf : public QObject {
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("headings");
        QTest::addColumn<bool>("undescribedLink");
        QTest::addColumn<QString>("failed");
        const QByteArray tagged = "/P <</MCID 0>> BDC BT /F1 9 Tf (x) Tj ET EMC\n";
        QTest::newRow("sound") << tagged << QByteArray("/H1 /H2") << false << QString();
        QTest::newRow("decoration becomes an artifact")
            << QByteArray("q 1 0 0 RG 0 0 m 9 9 l S Q BT /F1 9 Tf (y) Tj ET BI /W 1 /H 1 /BPC 8 /CS /G ID x EI\n") +
                   tagged
            << QByteArray("/H1") << false << QString();
        QTest::newRow("skipped heading") << tagged << QByteArray("/H1 /H3") << false
                                         << QString("headings from level 1 without a skip");
        QTest::newRow("first heading below one")
            << tagged << QByteArray("/H2") << false << QString("headings from level 1 without a skip");
        QTest::newRow("link without text")
            << tagged << QByteArray("/H1") << true << QString("every link tagged and described");
    }

    void rules()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, headings);
        QFETCH(bool, undescribedLink);
        QFETCH(QString, failed);
        QPDF pdf;
        pdf.emptyPDF();
        QPDFObjectHandle kids = QPDFObjectHandle::newArray();
        for (const QByteArray& type : headings.split(' '))
            kids.appendItem(QPDFObjectHandle::parse("<< /S " + type.toStdString() + " /K 0 >>"));
        addLinkPage(pdf, "<< /Type /Font /Subtype /Type3 >>", content.toStdString(), "[0 0 9 9]",
                    undescribedLink ? "" : "(Buy)", "", kids);
        pdf.getRoot().replaceKey("/MarkInfo", QPDFObjectHandle::parse("<< /Marked true >>"));
        writeMetadata(pdf, {QStringLiteral("Title"), QString(), QStringLiteral("en")});

        markArtifacts(pdf);
        QPDFPageObjectHelper first = QPDFPageDocumentHelper(pdf).getAllPages().front();
        QCOMPARE(paintedOutsideMarkedContent(first), 0);
        QCOMPARE(accessibleFailures(pdf).join(QLatin1Char(';')), failed);
    }

    void linksDescribed_data()
    {
        QTest::addColumn<QByteArray>("rect");
        QTest::addColumn<QByteArray>("element"); ///< the Link element's kids beside the annotation
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("described"); ///< empty: left for the rules to name
        // "Buy now" is drawn from (40,100), 12 points high.
        QTest::newRow("the letters inside its area, padding and all")
            << QByteArray("[20 80 140 130]") << QByteArray() << QByteArray() << "Buy now";
        // "Buy" and the blank after it end before 63; the middle of "n" lies beyond.
        QTest::newRow("only the letters inside it, the word beside left out")
            << QByteArray("[20 80 63 130]") << QByteArray() << QByteArray() << "Buy";
        QTest::newRow("nothing drawn under it: its picture's alt")
            << QByteArray("[20 10 60 40]") << QByteArray("<< /S /Figure /Alt (Cover of the book) >>") << QByteArray()
            << "Cover of the book";
        QTest::newRow("neither") << QByteArray("[20 10 60 40]") << QByteArray() << QByteArray() << "";
        QTest::newRow("its own description kept")
            << QByteArray("[20 80 140 130]") << QByteArray() << QByteArray("(Order)") << "Order";
    }

    // The description comes from the file as drawn, so the PDF is written out first, as the engine leaves it.
    void linksDescribed()
    {
        QFETCH(QByteArray, rect);
        QFETCH(QByteArray, element);
        QFETCH(QByteArray, contents);
        QFETCH(QString, described);
        QPDF pdf;
        pdf.emptyPDF();
        addLinkPage(pdf, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
                    "BT /F1 12 Tf 40 100 Td (Buy now) Tj ET", rect.toStdString(), contents.toStdString(),
                    element.toStdString(), QPDFObjectHandle::newArray());
        QTemporaryDir folder;
        const QString path = folder.filePath("drawn.pdf");
        const QByteArray name = path.toLocal8Bit();
        QPDFWriter writer(pdf, name.constData());
        writer.write();

        QPDF read;
        read.processFile(name.constData());
        describeLinks(read, path);
        QPDFObjectHandle annotation =
            QPDFPageDocumentHelper(read).getAllPages().front().getAnnotations("/Link").front().getObjectHandle();
        QPDFObjectHandle said = annotation.getKey("/Contents");
        QCOMPARE(said.isString() ? QString::fromStdString(said.getUTF8Value()) : QString(), described);
    }
};

QTEST_GUILESS_MAIN(TestAccessiblePdf)
#include "tst_accessiblepdf.moc"
