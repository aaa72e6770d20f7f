#include "ShareKit.h"

#include "AppFolder.h"
#include "PageFixture.h"
#include "QrCode.h"
#include "SavedWebPage.h"
#include "ShareChecks.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::finish;

Q_DECLARE_METATYPE(std::optional<double>)

/** The link's QR code and the saved web page's share kit, without the converter. */
class TestShareKit final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void qrCode_data();
    void qrCode();
    void qrCodeInThePage_data();
    void qrCodeInThePage();
    void description_data();
    void description();
    void escaping_data();
    void escaping();
    void picture_data();
    void picture();
    void kitInTheHead();
};

void TestShareKit::qrCode_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("made"); ///< the decoded link, the code's viewBox, or "!" and the refusal
    const QString tagged = "https://example.com/aff?id=4&utm_source=pdf&utm_campaign=spring%20sale#order";
    QTest::newRow("query and fragment") << tagged << tagged;
    QTest::newRow("Unicode") << QString::fromUtf8("https://bücher.example/straße?名=値") << "";
    // Level M: the largest code, 177 modules and the quiet zone, holds 2331 bytes; level L would draw it smaller.
    QTest::newRow("the most a code holds") << QString(2331, 'x') << "viewBox=\"0 0 185 185\"";
    QTest::newRow("too long in UTF-8") << QString(1166, QChar(0xE9)) << "!2332 bytes";
}

void TestShareKit::qrCode()
{
    QFETCH(QString, link);
    QFETCH(QString, made);
    const Result<QString> code = QrCode::svg(link, "QR");
    QCOMPARE(code.ok(), !made.startsWith('!'));
    if (!code.ok() || made.startsWith("viewBox")) {
        QVERIFY2((code.valueOr({}) + code.error()).contains(made.mid(made.startsWith('!'))), qPrintable(code.error()));
        return;
    }
    if (QStandardPaths::findExecutable("zbarimg").isEmpty())
        QSKIP("zbarimg (zbar-tools) is not installed");
    QSvgRenderer svg(code.value().toUtf8());
    QImage image(svg.viewBox().size() * 4, QImage::Format_RGB32);
    image.fill(Qt::red); // shows through where the code leaves a hole
    QPainter painter(&image);
    svg.render(&painter);
    QImage light(image.width(), 16, image.format());
    light.fill(Qt::white);
    QCOMPARE(image.copy(0, 0, image.width(), 16), light); // four light modules above the code
    QCOMPARE(image.pixel(16, 16), qRgb(0, 0, 0));
    QCOMPARE(decodedCodes(image), made.isEmpty() ? link : made);
}

void TestShareKit::qrCodeInThePage_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<bool>("qrCode");
    QTest::addColumn<QString>("follows"); ///< a pattern: what the code directly follows; for none, the button
    QTest::newRow("Bold") << "Bold" << true << "Buy</a><span class=\"qr-code\"";
    QTest::newRow("a design without its place: at the end") << "" << true << "titleAgain]\n<span class=\"qr-code\"";
    for (const char* design : {"Bold", "Calm", "Compact"})
        QTest::newRow(qPrintable(QString(design) + ", off: as before")) << design << false << "Buy</a>\n +<";
}

void TestShareKit::qrCodeInThePage()
{
    QFETCH(QString, design);
    QFETCH(bool, qrCode);
    QFETCH(QString, follows);
    PageFixture page;
    PageFields fields = page.typicalFields();
    fields.design = design;
    fields.qrCode = qrCode;
    fields.ctaText = "Buy";
    fields.review = "names #QRCODE# as typed";
    Result<BuiltPage> built = page.build(fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QVERIFY(built->filledText.contains(QRegularExpression(follows)));
    QCOMPARE(built->filledText.count("<svg"), int(qrCode));
    QVERIFY(built->filledText.contains(fields.review));
    // A link no code holds is said, never a page without the code it was asked for.
    fields.ctaUrl += QString(3000, 'x');
    built = page.build(fields);
    QCOMPARE(built.ok(), !qrCode);
    QVERIFY2(qrCode == built.error().contains("too long for a QR code"), qPrintable(built.error()));
}

void TestShareKit::description_data()
{
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("review");
    QTest::addColumn<QString>("description");
    QTest::newRow("the verdict first") << "Worth <b>it</b>."
                                       << "Review."
                                       << "Worth it.";
    QTest::newRow("else the first sentence") << ""
                                             << "Rated 4.5 by me! More."
                                             << "Rated 4.5 by me!";
    QTest::newRow("a line ends it") << ""
                                    << "\r\n<b>No</b> full stop &amp; more\r\nnext"
                                    << "No full stop & more";
    QTest::newRow("a long one cut at a word")
        << "" << QString("word ").repeated(100) << QString("word ").repeated(60).trimmed() + "\u2026";
}

void TestShareKit::description()
{
    QFETCH(QString, verdict);
    QFETCH(QString, review);
    QFETCH(QString, description);
    QCOMPARE(Sharing::description(verdict, review), description);
}

void TestShareKit::escaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("rating");
    QTest::newRow("quotes and ampersands") << R"(He said "buy" & 'go' &amp;)" << std::optional(4.5);
    QTest::newRow("a script's end") << "</script><script>alert(1)</SCRIPT >" << std::optional<double>();
    QTest::newRow("a comment") << "<!-- a > b" << std::optional(0.0);
    QTest::newRow("a placeholder") << "#1 pick #CTAURL#" << std::optional(5.0);
    QTest::newRow("Unicode") << QString::fromUtf8("Čaj ☕ 日本語 \u2028 line") << std::optional<double>();
}

// Every value reaches a crawler as written; none ends its attribute or the script that holds it.
void TestShareKit::escaping()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, rating);
    const ShareKit kit{text, text, text, text, text, rating, 5, "share-preview.png", {}};
    const QString page = "<html><head><title>t</title></head><body>";
    const SharedHead head = sharedHeadOf(Sharing::withKit(page, page.indexOf("</head>"), kit));
    QVERIFY2(head.problem.isEmpty(), qPrintable(head.problem));
    for (const char* tag : {"og:title", "og:description"})
        QCOMPARE(head.meta.value(tag), text);
    QCOMPARE(head.meta.value("og:image"), kit.imageName);
    for (const char* key : {"name", "reviewBody"})
        QCOMPARE(head.review.value(key).toString(), text);
    QCOMPARE(head.review.value("author")["name"].toString(), text);
    QCOMPARE(head.review.value("reviewRating")["ratingValue"].toDouble(-1), rating.value_or(-1));
}

void TestShareKit::picture_data()
{
    QTest::addColumn<QByteArray>("pdf"); ///< empty: an A4 page with a red band across its top 100 points
    QTest::newRow("the PDF's top") << QByteArray();
    QTest::newRow("a PDF that cannot be drawn: no picture") << QByteArray("%PDF-1.4\n%%EOF\n");
}

void TestShareKit::picture()
{
    QFETCH(QByteArray, pdf);
    PageFixture page;
    PageFields fields = page.typicalFields();
    fields.design = "Calm";
    const Result<BuiltPage> built = page.build(fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QDir().mkpath(QFileInfo(built->pdfPath).absolutePath());
    if (pdf.isEmpty()) {
        QPdfWriter writer(built->pdfPath);
        writer.setPageMargins(QMarginsF());
        writer.setResolution(72);
        QPainter(&writer).fillRect(QRectF(0, 0, 595, 100), Qt::red);
    } else {
        writeFile(built->pdfPath, pdf);
    }
    const Result<QString> saved =
        saveWebPage(page.app().path(), built.value(), AppFolder::outputFolder(page.app().path()));
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    const SharedHead head = sharedHeadOf(QString::fromUtf8(bytesOf(saved.value() + "/index.html")));
    QCOMPARE(head.meta.value("og:title"), fields.mainTitle);
    QCOMPARE(head.meta.value("og:image"), QString(pdf.isEmpty() ? "share-preview.png" : ""));
    const QImage image(saved.value() + "/share-preview.png");
    QCOMPARE(image.isNull(), !pdf.isEmpty());
    if (pdf.isEmpty()) {
        // Full width: 100 of 595 points are 202 of 1200 pixels, however long the page.
        QCOMPARE(image.size(), QSize(1200, 630));
        QCOMPARE(image.pixel(600, 195), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(600, 210), qRgb(255, 255, 255));
    }
}

// A title that ends the head or the title moves neither the kit nor a script into the saved page's head.
void TestShareKit::kitInTheHead()
{
    PageFixture page;
    PageFields fields = page.typicalFields();
    fields.design = "Calm";
    fields.mainTitle = "</head></title><script>alert(1)</script>";
    const Result<BuiltPage> built = page.build(fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    const Result<QString> saved =
        saveWebPage(page.app().path(), built.value(), AppFolder::outputFolder(page.app().path()));
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    const QString html = QString::fromUtf8(bytesOf(saved.value() + "/index.html"));
    const qsizetype headEnd = html.indexOf("</head>");
    QVERIFY(html.indexOf("</title>") < html.indexOf("<meta property=\"og:type\""));
    QVERIFY(html.indexOf("<script type=\"application/ld+json\">") < headEnd);
    QVERIFY2(!html.left(headEnd).contains("<script>"), qPrintable(html.left(headEnd)));
    QVERIFY2(sharedHeadOf(html).problem.isEmpty(), qPrintable(sharedHeadOf(html).problem));
}

QTEST_MAIN(TestShareKit)
#include "tst_sharekit.moc"
