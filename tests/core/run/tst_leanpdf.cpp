#include "Campaign.h"
#include "EngineStarter.h"
#include "PagePipeline.h"
#include "PdfPictures.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

/** One page through the pipeline and the installed converter: sized pictures, metadata, a PDF taken again. */
namespace {
/** The real engines, counting the runs started: a PDF taken as offered starts none. */
class CountedEngines final : public EngineStarter {
public:
    int started = 0;

    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override
    {
        ++started;
        return EngineStarter::direct().start(engine, order, parent);
    }
};
} // namespace

class TestLeanPdf final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void realConverter_data();
    void realConverter();
};

void TestLeanPdf::realConverter_data()
{
    QTest::addColumn<bool>("optimise");
    QTest::newRow("sized pictures") << true;
    QTest::newRow("pictures as they are") << false;
}

// One page through the pipeline and the installed converter: pictures, metadata, and a second Create that takes
// the first PDF.
void TestLeanPdf::realConverter()
{
    QFETCH(bool, optimise);
    if (QStandardPaths::findExecutable("wkhtmltopdf").isEmpty())
        QSKIP("wkhtmltopdf is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    QTemporaryDir dir;
    QImage logo(300, 100, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter(&logo).drawText(logo.rect(), Qt::AlignCenter, "Sharp logo");
    PageFields fields;
    fields.mainTitle = "Lean <i>Check</i>";
    fields.bonusHeadline = "The bonus";
    fields.affiliateImagePath = saved(dir, "cover.jpg", photo(2400, 1600), "jpeg");
    fields.ownBonus = true;
    fields.ownBonusImagePath = saved(dir, "logo.png", logo, "png");
    fields.ctaUrl = "https://example.com/buy";
    fields.ctaText = "Buy";
    fields.ctaTitle = "Get it";
    fields.pdfFileName = "lean";
    fields.bonusInstructions = "Mail us.";
    const QByteArray coverBytes = bytesOf(fields.affiliateImagePath);

    PageOrder order;
    order.app = app.path();
    order.fields = fields;
    order.catalogueEntryChosen = true;
    order.options.optimiseImages = optimise;
    order.outputFolder = app.file("bin/output");
    CountedEngines firstEngines;
    PagePipeline first(firstEngines);
    QSignalSpy firstDone(&first, &PagePipeline::finished);
    first.start(order);
    QVERIFY(firstDone.count() || firstDone.wait(120000));
    QVERIFY2(first.result().ok(), qPrintable(first.result().error));
    QCOMPARE(firstEngines.started, 1);
    const QString pdf = first.result().pdfPath;
    QCOMPARE(bytesOf(app.file("bin/cover.jpg")), coverBytes);
    QVERIFY(QDir(app.file("bin")).entryList({".orvanta *"}, QDir::AllEntries | QDir::Hidden).isEmpty());

    const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", pdf}));
    QVERIFY2(list.contains(QRegularExpression(optimise ? "image\\s+1296\\s+864\\s.*jpeg" : "image\\s+2400\\s+1600")),
             qPrintable(list));
    QVERIFY2(list.contains(QRegularExpression("image\\s+300\\s+100\\s+rgb\\s+3\\s+8\\s+image")), qPrintable(list));
    const QString info = QString::fromUtf8(runTool("pdfinfo", {pdf}));
    QVERIFY2(info.contains(QRegularExpression("Title:\\s+Lean Check\\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Creator:\\s+Orvanta 2.4")), qPrintable(info));
    QVERIFY2(QString::fromUtf8(runTool("qpdf", {"--check", pdf})).contains("No syntax or stream encoding errors"),
             qPrintable(pdf));
    QVERIFY(QString::fromUtf8(runTool("pdftotext", {pdf, "-"})).contains("Mail us."));

    // The same inputs again take the PDF; a changed picture does not.
    for (const bool changed : {false, true}) {
        if (changed)
            saved(dir, "logo.png", logo.mirrored(), "png");
        CountedEngines engines;
        PagePipeline again(engines);
        QSignalSpy againDone(&again, &PagePipeline::finished);
        PageOrder next = order;
        next.reusable = first.reusablePdf();
        again.start(next);
        QVERIFY(againDone.count() || againDone.wait(120000));
        QVERIFY2(again.result().ok(), qPrintable(again.result().error));
        QCOMPARE(engines.started, changed ? 1 : 0);
    }
}

QTEST_MAIN(TestLeanPdf)
#include "tst_leanpdf.moc"
