#include "PdfMetadata.h"

#include "PdfPictures.h"
#include "TestAppFolder.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::page;
using namespace orvanta::finish;

/** The PDF's metadata: the page's language, the title's text, and the document and XMP agreeing. */
class TestPdfMetadata final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pageLanguage_data();
    void pageLanguage();
    void readsTitleText_data();
    void readsTitleText();
    void writesAgreeingMetadata_data();
    void writesAgreeingMetadata();
};

void TestPdfMetadata::pageLanguage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    QTest::newRow("template") << "<!DOCTYPE html>\n<html lang=\"en\">"
                              << "en";
    QTest::newRow("region") << "<HTML class=x LANG='de-CH'>"
                            << "de-CH";
    QTest::newRow("none") << "<html><body lang=\"fr\">"
                          << "en";
    QTest::newRow("script in the value") << "<html lang=\"en\" onload=\"x\">"
                                         << "en";
}

void TestPdfMetadata::pageLanguage()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);
    QCOMPARE(orvanta::finish::pageLanguage(page), expected);
}

void TestPdfMetadata::readsTitleText_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tags and blanks") << "<b>Tom</b>\n  <i>Review</i> "
                                     << "Tom Review";
    QTest::newRow("entity read once") << "A &amp;amp; B"
                                      << "A &amp; B";
    QTest::newRow("escaped tag stays text") << "&amp;lt;b&amp;gt;"
                                            << "&lt;b&gt;";
    QTest::newRow("common entities") << "&lt;5 &quot;x&quot; &#39;y&#39;&nbsp;&gt;"
                                     << "<5 \"x\" 'y' >";
}

void TestPdfMetadata::readsTitleText()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QCOMPARE(orvanta::page::plainTitle(html), expected);
}

void TestPdfMetadata::writesAgreeingMetadata_data()
{
    QTest::addColumn<QString>("title"); // as the page holds it
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("pdfDate");
    QTest::addColumn<QString>("xmpDate"); // empty: dropped from both
    const QString bonus = QString::fromUtf8("Bonus f\u00fcr dich");
    QTest::newRow("marked-up title, accented subject, zoned date")
        << "<b>Tom &amp; Jerry</b>  Review" << bonus << "D:20240102030405+01'00'"
        << "2024-01-02T03:04:05+01:00";
    QTest::newRow("zoned west, no apostrophes") << "Title"
                                                << "Subject"
                                                << "D:20240102030405-0530"
                                                << "2024-01-02T03:04:05-05:30";
    QTest::newRow("universal") << "Title"
                               << "Subject"
                               << "D:20240102030405Z"
                               << "2024-01-02T03:04:05Z";
    QTest::newRow("no zone") << "Title"
                             << "Subject"
                             << "D:20240102030405"
                             << "2024-01-02T03:04:05";
    QTest::newRow("unreadable date: dropped") << "Title"
                                              << "Subject"
                                              << "yesterday"
                                              << "";
}

// The document information and the XMP copy must name the same title and moment, or checkers call the PDF
// inconsistent.
void TestPdfMetadata::writesAgreeingMetadata()
{
    QFETCH(QString, title);
    QFETCH(QString, subject);
    QFETCH(QString, pdfDate);
    QFETCH(QString, xmpDate);
    QTemporaryDir dir;
    QPDF pdf;
    readPdf(pdf, pdfShowing(dir, photo(30, 20)));
    pdf.getTrailer().getKey("/Info").replaceKey("/CreationDate", QPDFObjectHandle::newString(pdfDate.toStdString()));
    const QString plain = plainTitle(title);
    writeMetadata(pdf, {plain, subject, "de"});
    writePdf(pdf, dir.filePath("out.pdf"));

    QPDF back;
    readPdf(back, dir.filePath("out.pdf"));
    QPDFObjectHandle info = back.getTrailer().getKey("/Info");
    QCOMPARE(QString::fromStdString(info.getKey("/Title").getUTF8Value()), plain);
    QCOMPARE(QString::fromStdString(info.getKey("/Subject").getUTF8Value()), subject);
    QCOMPARE(QString::fromStdString(info.getKey("/Creator").getUTF8Value()), "Orvanta 2.4");
    QPDFObjectHandle root = back.getRoot();
    QCOMPARE(QString::fromStdString(root.getKey("/Lang").getUTF8Value()), "de");
    QVERIFY(root.getKey("/ViewerPreferences").getKey("/DisplayDocTitle").getBoolValue());
    std::shared_ptr<Buffer> xmp = root.getKey("/Metadata").getStreamData();
    const QString xml = QString::fromUtf8(reinterpret_cast<const char*>(xmp->getBuffer()), int(xmp->getSize()));
    QVERIFY2(xml.contains(plain.toHtmlEscaped()), qPrintable(xml));
    QVERIFY2(xml.contains(subject), qPrintable(xml));
    QVERIFY2(xml.contains("<xmp:CreatorTool>Orvanta 2.4</xmp:CreatorTool>"), qPrintable(xml));
    QPDFObjectHandle created = info.getKey("/CreationDate");
    if (xmpDate.isEmpty()) {
        QVERIFY2(!xml.contains("CreateDate"), qPrintable(xml));
        QVERIFY(created.isNull());
    } else {
        QVERIFY2(xml.contains("<xmp:CreateDate>" + xmpDate + "</xmp:CreateDate>"), qPrintable(xml));
        QCOMPARE(QString::fromStdString(created.getUTF8Value()), pdfDate);
    }
    if (!QStandardPaths::findExecutable("qpdf").isEmpty()) {
        const QString check = QString::fromUtf8(runTool("qpdf", {"--check", dir.filePath("out.pdf")}));
        QVERIFY2(check.contains("No syntax or stream encoding errors"), qPrintable(check));
    }
}

QTEST_MAIN(TestPdfMetadata)
#include "tst_pdfmetadata.moc"
