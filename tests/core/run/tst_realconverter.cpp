#include "RealEngine.h"

#include "AppFolder.h"
#include "ChromiumBrowser.h"
#include "EngineStarter.h"
#include "HelperOps.h"
#include "PageFixture.h"
#include "PagePipeline.h"
#include "Sandbox.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::engine;

namespace {
/** From the leftmost word's left edge to the rightmost word's right edge on the first page, in points. */
double textColumnWidth(const QString& pdf)
{
    const QString words = QString::fromUtf8(runTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
    static const QRegularExpression box("xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"");
    double left = 1e9, right = 0;
    for (const QRegularExpressionMatch& word : box.globalMatch(words)) {
        left = qMin(left, word.captured(1).toDouble());
        right = qMax(right, word.captured(2).toDouble());
    }
    return right - left;
}

/** An order for the two-picture page of @p app with @p review, made by @p engine. */
PageOrder twoPictureOrder(const TestAppFolder& app, const QString& review, PdfEngine engine)
{
    PageOrder order;
    order.app = app.path();
    order.fields = twoPictures(app);
    order.catalogueEntryChosen = true;
    order.fields.ctaTitle = "Yes";
    order.fields.ctaText = "Buy";
    order.fields.review = review;
    order.fields.engine = engineKey(engine);
    return order;
}
} // namespace

/** The shipped template, the page writer and each installed engine together produce the PDF. */
class TestRealConverter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void rendersThePage_data() { everyEngine(); }
    void rendersThePage();
    void secondRunWithinOneClockTick_data() { everyEngine(); }
    void secondRunWithinOneClockTick();
    void showsImagesOfAnyName_data();
    void showsImagesOfAnyName();
    void writesAnyNameAndText_data();
    void writesAnyNameAndText();
    void bothEnginesDrawOneColumn();
    void chromiumKeepsItsStructure_data();
    void chromiumKeepsItsStructure();
    void chromiumStandsInForAMissingConverter();
};

void TestRealConverter::initTestCase()
{
    QString missing;
    if (!enginesAndToolsInstalled(&missing))
        QSKIP(qPrintable(missing));
}

// The browser's profile lies below the test's application folder, which goes now.
void TestRealConverter::cleanup()
{
    Sandbox::useProgram({});
    if (ChromiumBrowser* browser = ChromiumBrowser::existing())
        browser->stop();
}

void TestRealConverter::rendersThePage()
{
    QFETCH(PdfEngine, engine);
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = catalogueFields(app);
    fields.mainTitle = "Orvanta Real Converter Check";
    fields.review = QString::fromUtf8("Café crème für 5 €\r\n<b>Second</b> line");
    fields.pdfFileName = "real check";
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    const Result<void> written = WritePage(built.value());
    QVERIFY2(written.ok(), qPrintable(written.error()));
    const QString page = vFile::LoadTextFile(built->htmlPath);
    QVERIFY2(!page.contains(QRegularExpression("#[A-Z]+#")), "the shipped template has a placeholder nobody fills");

    const RenderResult rendered = convert(app, built.value(), engine);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    QCOMPARE(built->pdfPath, app.file("bin/output/real-check.pdf"));

    // 210 mm wide in points; converters round to whole points or to hundredths.
    const QString info = QString::fromUtf8(runTool("pdfinfo", {built->pdfPath}));
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY2(qAbs(size.captured(1).toDouble() - 595.28) < 1.0, qPrintable(size.captured(0)));
    // Chromium prints at the content's own height, as it paints the background over all of the paper.
    if (engine == PdfEngine::Converter)
        QVERIFY2(qAbs(size.captured(2).toDouble() - 14173.2) < 1.0, qPrintable(size.captured(0)));
    else
        QVERIFY2(size.captured(2).toDouble() < 14173.2, qPrintable(size.captured(0)));
    QVERIFY2(runTool("pdfinfo", {built->pdfPath}).contains("Pages:           1"), "the page spilled over");

    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built->pdfPath, "-"}));
    QVERIFY2(text.contains(fields.mainTitle), qPrintable(text));
    QVERIFY2(text.contains(QString::fromUtf8("Café crème für 5 €")), qPrintable(text));
    QVERIFY2(text.contains("Second line"), qPrintable(text));
}

// Coarse clocks (FAT, exFAT) give two runs within one tick the same time; the second PDF must still replace the first.
void TestRealConverter::secondRunWithinOneClockTick()
{
    QFETCH(PdfEngine, engine);
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageOrder order;
    order.app = app.path();
    order.fields.mainTitle = "First run";
    order.fields.affiliateImagePath = app.file("campaigns/keto-cookbook-cover.png");
    order.fields.ownBonus = true;
    order.fields.ownBonusImagePath = app.file("campaigns/budget-planner-cover.png");
    order.fields.ctaTitle = "Yes";
    order.fields.ctaText = "Buy";
    order.fields.ctaUrl = "https://example.com/buy";
    order.fields.pdfFileName = "tick";
    order.outputFolder = AppFolder::outputFolder(app.path());
    order.fields.engine = engineKey(engine);
    const QString pdf = order.outputFolder + "/tick.pdf";
    for (const char* title : {"First run", "Second run"}) {
        order.fields.mainTitle = title;
        PagePipeline pipeline(EngineStarter::direct());
        QSignalSpy finished(&pipeline, &PagePipeline::finished);
        pipeline.start(order);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
        QFile(pdf).setFileTime(QDateTime::currentDateTime().addSecs(2), QFileDevice::FileModificationTime);
    }
    const QString text = QString::fromUtf8(runTool("pdftotext", {pdf, "-"}));
    QVERIFY2(text.contains("Second run") && !text.contains("First run"), qPrintable(text));
}

void TestRealConverter::showsImagesOfAnyName_data()
{
    engineColumn();
    QTest::addColumn<QString>("name");
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "plain") << "cover.gif";
        // Each character the page must escape for the engine, so one wrong escape loses the picture.
        engineRow(engine, "blanks, fragment, query, percent, entity, quotes, non-Latin")
            << QString::fromUtf8("my  cover#2? 100%41 a&lt;b say \"hi\" it's обложка 指南.gif");
    }
}

void TestRealConverter::showsImagesOfAnyName()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, name);
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = twoPictures(app);
    const QString picture = fields.affiliateImagePath;
    fields.affiliateImagePath = app.write("pictures/" + name, bytesOf(picture));
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QVERIFY(WritePage(built.value()).ok());
    const RenderResult rendered = convert(app, built.value(), engine);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    QVERIFY(showsPicture(built->pdfPath, picture));
}

void TestRealConverter::writesAnyNameAndText_data()
{
    engineColumn();
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("review");
    QTest::addColumn<QString>("pdf");
    const char32_t tag = 0xE0041, privateUse = 0xF0000, last = 0x10FFFD;
    const QString planes = QString::fromUtf8("A é 中 😀 𠀀 𰀀 ") + QString::fromUcs4(&tag, 1) + ' ' +
                           QString::fromUcs4(&privateUse, 1) + ' ' + QString::fromUcs4(&last, 1);
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "Cyrillic name")
            << QString::fromUtf8("Руководство партнёра") << "Named" << QString::fromUtf8("Руководство-партнёра.pdf");
        engineRow(engine, "Chinese name")
            << QString::fromUtf8("推广 指南") << "Named" << QString::fromUtf8("推广-指南.pdf");
        engineRow(engine, "every plane in the review") << "planes" << planes << "planes.pdf";
    }
}

// The engine is handed the PDF's path as it is, whatever its letters, and any character of the page.
void TestRealConverter::writesAnyNameAndText()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, name);
    QFETCH(QString, review);
    QFETCH(QString, pdf);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = writtenPage(app, review, name);
    QCOMPARE(page.pdfPath, app.file("bin/output/" + pdf));
    const RenderResult rendered = convert(app, page, engine);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    QVERIFY(bytesOf(page.pdfPath).startsWith("%PDF-"));
}

// A campaign looks the same whichever engine made its PDF: the text column is as wide in both.
void TestRealConverter::bothEnginesDrawOneColumn()
{
    if (installedEngines().size() < 2)
        QSKIP("needs both engines");
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = twoPictures(app);
    fields.review = QString("A line long enough to fill the column from one side to the other, and on. ").repeated(8);
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QVERIFY(WritePage(built.value()).ok());
    QList<double> widths;
    for (PdfEngine engine : {PdfEngine::Converter, PdfEngine::Chromium}) {
        const RenderResult rendered = convert(app, built.value(), engine);
        QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
        widths << textColumnWidth(built->pdfPath);
    }
    QVERIFY2(widths[0] > 300 && qAbs(widths[1] / widths[0] - 1) < 0.02,
             qPrintable(QString("%1 pt against %2 pt").arg(widths[1]).arg(widths[0])));
}

// A reader of the PDF finds its headings, paragraphs, pictures with their words, links and bookmarks, also after
// fitting and the metadata were written.
void TestRealConverter::chromiumKeepsItsStructure_data()
{
    QTest::addColumn<QString>("build");
    QTest::newRow("headless build") << "chromium-headless-shell";
    QTest::newRow("the browser") << "chromium";
}

void TestRealConverter::chromiumKeepsItsStructure()
{
    QFETCH(QString, build);
    const QString program = QStandardPaths::findExecutable(build, {"/usr/lib/chromium"});
    if (program.isEmpty())
        QSKIP("this build of Chromium is not installed");
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(program));
    const auto unset = qScopeGuard([] { qunsetenv("ORVANTA_CHROMIUM"); });
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageOrder order = twoPictureOrder(app, "<h2>Why it works</h2><p>Reviewed</p>", PdfEngine::Chromium);
    order.fields.mainTitle = "Structured Guide";
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    QVERIFY(pipeline.result().engineNote.isEmpty());

    const QString objects = pdfObjects(pipeline.result().pdfPath);
    for (const char* wanted : {"/Marked true", "/StructTreeRoot", "/S /H1", "/S /P", "/S /Figure", "/S /Link",
                               "/Outlines", "/Lang (en)", "/DisplayDocTitle true", "/Title (Structured Guide)"})
        QVERIFY2(objects.contains(QLatin1String(wanted)), wanted);
    QVERIFY2(objects.contains(QRegularExpression("/Alt \\([^)]+\\)")), "no picture keeps its words");
}

// Where the designed converter is missing, Chromium makes the PDF and the result says so.
void TestRealConverter::chromiumStandsInForAMissingConverter()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QTemporaryDir bare;
    QVERIFY(app.isValid() && bare.isValid());
    const QByteArray path = qgetenv("PATH");
    const QString chromium = chromiumProgram();
    qputenv("PATH", QFile::encodeName(bare.path()));
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(chromium));
    QFile::remove(AppFolder::converterPath(app.path()));
    const PageOrder order = twoPictureOrder(app, "Handed over", PdfEngine::Converter);
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    qputenv("PATH", path);
    qunsetenv("ORVANTA_CHROMIUM");
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    QCOMPARE(pipeline.result().engineNote, "wkhtmltopdf is not installed; the PDF was made with Chromium.");
    QVERIFY(pdfObjects(pipeline.result().pdfPath).contains("/StructTreeRoot"));
}

QTEST_GUILESS_MAIN(TestRealConverter)
#include "tst_realconverter.moc"
