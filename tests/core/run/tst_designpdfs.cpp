#include "Campaign.h"
#include "Designs.h"
#include "EngineNames.h"
#include "EngineStarter.h"
#include "PagePipeline.h"
#include "ShareChecks.h"
#include "TestAppFolder.h"
#include "TestConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace {
QString simplified(const QString& text)
{
    return QString(text).replace(QRegularExpression("<[^>]*>"), " ").simplified();
}

/** The page's visible area; fitting moves its bottom edge up instead of moving the drawing down. */
QRectF mediaBox(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool("pdfinfo", {"-box", pdf}));
    const auto box =
        QRegularExpression("MediaBox:\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)").match(info);
    return QRectF(QPointF(box.captured(1).toDouble(), box.captured(2).toDouble()),
                  QPointF(box.captured(3).toDouble(), box.captured(4).toDouble()));
}

/** The affiliate link's clickable areas, as the uncompressed PDF holds them. */
QList<QRectF> linkAreas(const QString& pdf, const QString& url)
{
    const QString qdf = QString::fromLatin1(runTool("qpdf", {"--qdf", "--object-streams=disable", pdf, "-"}));
    QList<QRectF> areas;
    // Each annotation: its action with the link, then its area, one number a line.
    const QRegularExpression annotation(
        "/URI \\(" + QRegularExpression::escape(url) +
            "\\)\\s*>>.*?/Rect \\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s*\\]",
        QRegularExpression::DotMatchesEverythingOption);
    for (auto match = annotation.globalMatch(qdf); match.hasNext();) {
        const auto found = match.next();
        areas << QRectF(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                        QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()));
    }
    return areas;
}
} // namespace

/** Every shipped design with every sample campaign, through the real converter, judged with poppler and qpdf. */
class TestDesignPdfs final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void wholePdf_data();
    void wholePdf();
    void ownDesignFiles_data();
    void ownDesignFiles();
};

void TestDesignPdfs::initTestCase()
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages", "pdffonts", "qpdf", "wkhtmltopdf", "zbarimg"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
}

void TestDesignPdfs::wholePdf_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("campaign");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<bool>("chromium");
    const QString app = QStringLiteral(ORVANTA_TEST_APP_DIR);
    // The right-to-left samples have a table of their own.
    QStringList samples = QDir(app + "/campaigns").entryList({"*.orvanta"}, QDir::Files, QDir::Name);
    samples.removeIf([](const QString& name) { return name.contains("-arabic") || name.contains("-hebrew"); });
    QCOMPARE(samples.size(), 3);
    for (const Design& design : Designs::list(app)) {
        for (const QString& sample : samples) {
            QTest::newRow(qPrintable(design.name + " / " + sample)) << design.name << sample << false << false;
            QTest::newRow(qPrintable(design.name + " / " + sample + " with review blocks"))
                << design.name << sample << true << false;
        }
        QTest::newRow(qPrintable(design.name + " / keto with Chromium"))
            << design.name << samples.filter("keto").first() << false << true;
    }
}

void TestDesignPdfs::wholePdf()
{
    QFETCH(QString, design);
    QFETCH(QString, campaign);
    QFETCH(bool, blocks);
    QFETCH(bool, chromium);
    TestAppFolder app;
    QVERIFY(app.isValid());
    if (chromium && !EngineStarter::direct().isInstalled(app.path(), PdfEngine::Chromium))
        QSKIP("Chromium is not installed");
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(app.file("campaigns/" + campaign), app.path());
    QVERIFY2(read.ok() && read->missing.isEmpty(), qPrintable(read ? read->missing.join(", ") : read.error()));
    Campaign chosen = read->campaign;
    chosen.design = design;
    if (chromium)
        chosen.engine = EngineNames::chromium();
    // One row a design shows the QR code, of a link with a query and a fragment.
    chosen.qrCode = campaign.startsWith("keto");
    if (chosen.qrCode)
        chosen.ctaUrl += "?id=4&lang=en#order";
    if (blocks) {
        chosen.rating = "3.5";
        chosen.pros = "Clear steps for beginners\r\nWorks offline";
        chosen.cons = "Few pictures\r\nEnglish only";
        chosen.verdict = "A sound first purchase for most readers.";
        chosen.language = "de";
    }
    QTemporaryDir output;
    PageOrder order;
    order.app = app.path();
    order.fields = pageFieldsOf(chosen);
    order.catalogueEntryChosen = !chosen.catalogueEntry.isEmpty();
    order.options = {true, true};
    order.place = PageOrder::Place::Staging;
    order.outputFolder = output.path();
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QVERIFY(!finished.isEmpty() || finished.wait(120000));
    const PageResult& result = pipeline.result();
    QVERIFY2(result.ok(), qPrintable(result.error));
    const QString pdf = result.pdfPath;

    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", pdf, "-"})).simplified();
    for (const QString& field : {chosen.mainTitle, chosen.ctaTitle, chosen.ctaText, chosen.bonusHeadline,
                                 chosen.review.left(200), chosen.bonusInstructions.left(120)}) {
        // A line may break inside a word at a hyphen: compare the words only.
        const QString words = simplified(field).section(' ', 0, 12);
        QVERIFY2(text.contains(words, Qt::CaseInsensitive), qPrintable(words));
    }
    // The blocks' rows are German: the page's own words are too, the user's stay as typed.
    QVERIFY2(text.contains(blocks ? "Hinweis: Wenn Sie" : "Disclosure:"), qPrintable(text));
    if (blocks) {
        for (const char* shown :
             {"Bewertung: 3,5 von 5", "Fazit:", "Vorteile", "Nachteile", "Clear steps for beginners", "Works offline",
              "Few pictures", "English only", "A sound first purchase for most readers."})
            QVERIFY2(text.contains(QLatin1String(shown)), shown);
    }
    const QString qdf = QString::fromLatin1(runTool("qpdf", {"--qdf", "--object-streams=disable", pdf, "-"}));
    QVERIFY2(qdf.contains(blocks ? "/Lang (de)" : "/Lang (en)"), "the PDF's language");
    // Declared only where earned: every mark of a shipped design tagged or an artifact, every link described.
    QCOMPARE(qdf.contains("<pdfuaid:part"), chromium);
    QVERIFY2(result.accessNote.contains("is accessible") == chromium, qPrintable(result.accessNote));

    const QStringList images = QString::fromUtf8(runTool("pdfimages", {"-list", pdf})).split('\n').mid(2);
    QVERIFY2(images.filter(QRegularExpression("\\bimage\\b")).size() >= 2, qPrintable(images.join('\n')));

    const QRectF page = mediaBox(pdf);
    QVERIFY2(page.height() > 200 && page.height() < 14000, qPrintable(QString::number(page.height())));
    const QList<QRectF> links = linkAreas(pdf, chosen.ctaUrl);
    QVERIFY2(!links.isEmpty(), "the affiliate link is not clickable");
    for (const QRectF& area : links)
        QVERIFY2(page.contains(area) && area.width() > 20, "the link lies outside the page");
    if (chosen.qrCode) {
        QPdfDocument document;
        document.load(pdf);
        QCOMPARE(decodedCodes(document.render(0, (document.pagePointSize(0) * 3).toSize())), chosen.ctaUrl);
        // Drawn, not a picture: sharp at any zoom.
        QCOMPARE(images.filter(QRegularExpression("\\bimage\\b")).size(), pipeline.page().imageNames.size());
    }

    QVERIFY2(runTool("qpdf", {"--check", pdf}).contains("No syntax or stream encoding errors"), "qpdf --check");
    const QString fonts = QString::fromUtf8(runTool("pdffonts", {pdf}));
    for (const QString& line : fonts.split('\n').mid(2, -1))
        if (!line.trimmed().isEmpty())
            QVERIFY2(line.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$")),
                     qPrintable("a font is not embedded: " + line));
    // The saved web page carries what the page shows; the converter's confinement kept the PDF to the same.
    for (const QString& image : pipeline.page().imageNames)
        QVERIFY2(QFileInfo::exists(result.webPageFolder + "/" + image), qPrintable(image));
    const SharedHead head = sharedHeadOf(QString::fromUtf8(bytesOf(result.webPageFolder + "/index.html")));
    QVERIFY2(head.problem.isEmpty(), qPrintable(head.problem));
    QCOMPARE(QImage(result.webPageFolder + "/" + head.meta.value("og:image")).size(), QSize(1200, 630));
}

void TestDesignPdfs::ownDesignFiles_data()
{
    QTest::addColumn<bool>("sized");
    QTest::newRow("pictures sized") << true;
    QTest::newRow("pictures as they are") << false;
}

// A design's style sheet, script and picture each leave a mark in the PDF, however the converter reads the page.
void TestDesignPdfs::ownDesignFiles()
{
    QFETCH(bool, sized);
    TestAppFolder app;
    QVERIFY(app.isValid());
    QByteArray page = "<html><head><link rel=\"stylesheet\" href=\"css/look.css\"></head><body>"
                      "<p class=\"styled\"></p><p id=\"scripted\">no script ran</p><img src=\"img/badge.png\">";
    for (const QString& placeholder : Designs::placeholders())
        page += "<p>" + placeholder.toUtf8() + "</p>";
    app.write("designs/Marked/template.html", page + "<script src=\"js/mark.js\"></script></body></html>");
    app.write("designs/Marked/css/look.css", ".styled:before { content: \"STYLESHEETMARK\"; }");
    app.write("designs/Marked/js/mark.js", "document.getElementById('scripted').innerHTML = 'SCRIPTMARK';");
    QImage badge(123, 45, QImage::Format_RGB32);
    badge.fill(Qt::darkCyan);
    QVERIFY(QDir().mkpath(app.file("designs/Marked/img")));
    QVERIFY(badge.save(app.file("designs/Marked/img/badge.png"), "png"));
    const Result<CampaignFile::OpenedCampaign> read =
        CampaignFile::read(app.file("campaigns/keto-cookbook.orvanta"), app.path());
    QVERIFY2(read.ok(), qPrintable(read.error()));
    Campaign chosen = read->campaign;
    chosen.design = "Marked";
    PageOrder order;
    order.app = app.path();
    order.fields = pageFieldsOf(chosen);
    order.catalogueEntryChosen = true;
    order.options.optimiseImages = sized;
    order.outputFolder = app.file("bin/output");
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QVERIFY(!finished.isEmpty() || finished.wait(120000));
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));

    const QString pdf = pipeline.result().pdfPath;
    const QString text = QString::fromUtf8(runTool("pdftotext", {pdf, "-"}));
    QVERIFY2(text.contains("STYLESHEETMARK"), qPrintable(text));
    QVERIFY2(text.contains("SCRIPTMARK") && !text.contains("no script ran"), qPrintable(text));
    const QString images = QString::fromUtf8(runTool("pdfimages", {"-list", pdf}));
    QVERIFY2(images.contains(QRegularExpression("image\\s+123\\s+45\\s")), qPrintable(images));
}

QTEST_GUILESS_MAIN(TestDesignPdfs)
#include "tst_designpdfs.moc"
