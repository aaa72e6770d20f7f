#include "PipelineTestCase.h"

#include "AppFolder.h"
#include "ConversionKey.h"
#include "EngineStarter.h"
#include "Sandbox.h"
#include "ScriptedRun.h"
#include "StageClock.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QMutex>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <optional>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace {
constexpr int Patience = 30000;
const QStringList RefusedFont{QStringLiteral("https://fonts.example/a.woff")};

// The stages a run said, in order; finishing speaks from the pool's threads.
QMutex saidLock;
QStringList said;
QtMessageHandler otherMessages = nullptr;

void hearStage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "orvanta.stages") != 0)
        return otherMessages(type, context, text);
    const QMutexLocker locker(&saidLock);
    said << text.section(QLatin1Char(' '), 1, 1);
}

/** Starts the real converter run, on the stand-in, and a scripted Chromium; records which engine ran. */
class ScriptedEngines final : public EngineStarter {
public:
    QStringList started;
    /** The engines this starter has, when set; else those installed. */
    std::optional<QStringList> installed;

    bool isInstalled(const QString& app, PdfEngine engine) const override
    {
        return installed ? installed->contains(engineKey(engine)) : EngineStarter::isInstalled(app, engine);
    }

    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override
    {
        started << engineKey(engine);
        if (engine == PdfEngine::Converter)
            return EngineStarter::direct().start(engine, order, parent);
        return new ScriptedRun(EngineScript::writes("%PDF-1.4\nchromium\n%%EOF\n", RefusedFont), order.pdfPath, parent);
    }
};

/** Starts runs that write a PDF, and keeps an eye on the last one. */
class WatchedEngines final : public EngineStarter {
public:
    QPointer<PdfRun> run;

    PdfRun* start(PdfEngine, const PdfRunOrder& order, QObject* parent) override
    {
        return run = new ScriptedRun(EngineScript::writes(), order.pdfPath, parent);
    }
};
} // namespace

/** The one pipeline from page to PDF: an earlier PDF stays until a whole new one replaces it, at any stop. */
class TestPagePipeline final : public PipelineTestCase {
    Q_OBJECT

private Q_SLOTS:
    void earlierPdfStaysUntilReplaced_data();
    void earlierPdfStaysUntilReplaced();
    void secondRunAtTheLongestName_data();
    void secondRunAtTheLongestName();
    void stopsSafelyAtEveryStage_data();
    void stopsSafelyAtEveryStage();
    void failedPlacingLeavesNoPrivateFile_data();
    void failedPlacingLeavesNoPrivateFile();
    void engineStandsIn_data();
    void engineStandsIn();
    void pdfOfOneEngineIsNotTheOthers();
    void enginesAreTheStartersOwn_data();
    void enginesAreTheStartersOwn();
    void saysEachStage_data();
    void saysEachStage();
    void runGoesOnceThePdfIsFinished();
};

void TestPagePipeline::earlierPdfStaysUntilReplaced_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("replaced");
    const int bin = int(PageOrder::Place::AppFolder), staging = int(PageOrder::Place::Staging);
    QTest::newRow("whole pdf") << bin << WritePdf << true;
    QTest::newRow("whole pdf, exit 1") << bin << WritePdf + "; exit 1" << true;
    // Coarse clocks (FAT, exFAT) give two runs within one tick the same time; the new PDF must still count.
    QTest::newRow("whole pdf within one clock tick") << bin << WritePdf + "; touch -m -d @1767225600 \"$pdf\"" << true;
    QTest::newRow("no pdf") << bin << QByteArray("exit 0") << false;
    QTest::newRow("half a pdf") << bin << LastArgument + "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"" << false;
    QTest::newRow("crash after half a pdf")
        << bin << LastArgument + "printf '%%PDF-1.4\\n1 0' > \"$pdf\"; kill -s SEGV $$" << false;
    QTest::newRow("job: whole pdf") << staging << WritePdf << true;
    QTest::newRow("job: half a pdf") << staging << LastArgument + "printf '%%PDF-1.4\\n1 0 obj' > \"$pdf\"" << false;
}

void TestPagePipeline::earlierPdfStaysUntilReplaced()
{
    QFETCH(int, place);
    QFETCH(QByteArray, script);
    QFETCH(bool, replaced);
    m_page->app().useStandInConverter(script);
    writeFile(output("guide.pdf"), EarlierPdf);
    QFile(output("guide.pdf")).setFileTime(QDateTime::fromSecsSinceEpoch(1767225600), QFile::FileModificationTime);
    const PageResult result = runToEnd(order(PageOrder::Place(place)));
    QVERIFY2(result.ok() == replaced, qPrintable(result.error));
    QCOMPARE(bytesOf(output("guide.pdf")) == EarlierPdf, !replaced);
    // A new PDF is readable as any program's file would be, not only by its owner.
    if (replaced)
        QVERIFY(QFile::permissions(output("guide.pdf")) & QFileDevice::ReadOther);
    QCOMPARE(result.pdfPath, replaced ? QDir::toNativeSeparators(output("guide.pdf")) : QString());
    // The private name never shows in a message: the user looks for the PDF's own place.
    QVERIFY2(!result.error.contains(".orvanta "), qPrintable(result.error));
    QCOMPARE(entriesOf(output()), QStringList{"guide.pdf"});
    QCOMPARE(entriesOf(AppFolder::tempFolder(m_page->app().path())).filter(".job "), QStringList());
}

void TestPagePipeline::secondRunAtTheLongestName_data()
{
    QTest::addColumn<QString>("letter");
    QTest::newRow("ascii") << "g";
    QTest::newRow("two-byte letters") << QString::fromUtf8("é");
    QTest::newRow("three-byte letters") << QString::fromUtf8("書");
}

// The converter's private name does not grow with the PDF's, so the longest allowed name works every time.
void TestPagePipeline::secondRunAtTheLongestName()
{
    QFETCH(QString, letter);
    m_page->app().useStandInConverter(WritePdf);
    PageOrder longest = order(PageOrder::Place::AppFolder);
    longest.fields.pdfFileName = letter.repeated(maxPageNameBytes() / letter.toUtf8().size());
    for (int run = 0; run < 2; ++run) {
        const PageResult result = runToEnd(longest);
        QVERIFY2(result.ok(), qPrintable(QString("run %1: %2").arg(run + 1).arg(result.error)));
    }
    QCOMPARE(entriesOf(output()), QStringList{longest.fields.pdfFileName + ".pdf"});
}

void TestPagePipeline::stopsSafelyAtEveryStage_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<bool>("whileFinishing");
    QTest::newRow("converting in bin") << int(PageOrder::Place::AppFolder) << false;
    QTest::newRow("finishing in bin") << int(PageOrder::Place::AppFolder) << true;
    QTest::newRow("converting a job") << int(PageOrder::Place::Staging) << false;
    QTest::newRow("finishing a job") << int(PageOrder::Place::Staging) << true;
}

// A stop may meet the finishing's report already on its way; nothing of the run may arrive after it.
void TestPagePipeline::stopsSafelyAtEveryStage()
{
    QFETCH(int, place);
    QFETCH(bool, whileFinishing);
    m_page->app().useStandInConverter(whileFinishing ? WritePdf : QByteArray("sleep 30"));
    writeFile(output("guide.pdf"), EarlierPdf);
    PageOrder stopped = order(PageOrder::Place(place));
    stopped.options = {true, true};
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    // The finishing ends meanwhile, so its report is already queued when the stop comes.
    connect(&pipeline, &PagePipeline::engineEnded, this, [&pipeline] {
        QThread::msleep(500);
        pipeline.stop();
    });
    pipeline.start(stopped);
    if (!whileFinishing) {
        QTest::qWait(200);
        pipeline.stop();
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, Patience);
    QTest::qWait(300);
    QCOMPARE(finished.count(), 1);
    // A PDF already converted is whole: it is finished and delivered; one still converting never replaces.
    QCOMPARE(pipeline.result().status, whileFinishing ? PageResult::Status::Made : PageResult::Status::Stopped);
    QCOMPARE(bytesOf(output("guide.pdf")) == EarlierPdf, !whileFinishing);
    const QStringList left = whileFinishing ? QStringList{"guide", "guide.pdf"} : QStringList{"guide.pdf"};
    QCOMPARE(entriesOf(output()), left);
    QCOMPARE(entriesOf(AppFolder::tempFolder(m_page->app().path())).filter(".job "), QStringList());
}

void TestPagePipeline::failedPlacingLeavesNoPrivateFile_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<bool>("webPage");
    QTest::newRow("in bin") << int(PageOrder::Place::AppFolder) << false;
    QTest::newRow("in bin, with the web page") << int(PageOrder::Place::AppFolder) << true;
    QTest::newRow("a job") << int(PageOrder::Place::Staging) << false;
}

// The PDF is converted, but its place is a folder of someone else's: the run fails and leaves nothing of its own.
void TestPagePipeline::failedPlacingLeavesNoPrivateFile()
{
    QFETCH(int, place);
    QFETCH(bool, webPage);
    m_page->app().useStandInConverter(WritePdf);
    writeFile(output("guide.pdf/keep.txt"), "not a PDF");
    PageOrder blocked = order(PageOrder::Place(place));
    blocked.options.saveWebPage = webPage;
    const PageResult result = runToEnd(blocked);
    QCOMPARE(result.status, PageResult::Status::Failed);
    QVERIFY2(result.error.contains("guide.pdf"), qPrintable(result.error));
    QCOMPARE(privateNamesBelow(m_page->app().path()), QStringList());
    QCOMPARE(bytesOf(output("guide.pdf/keep.txt")), QByteArray("not a PDF"));
}

void TestPagePipeline::engineStandsIn_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<bool>("converterThere");
    QTest::addColumn<bool>("chromiumThere");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("sandboxThere");
    const QString unsandboxed = "The PDF engine ran without its sandbox: bubblewrap (bwrap) is not installed.";
    QTest::newRow("converter asked, both there") << "wkhtmltopdf" << true << true << QStringList{"wkhtmltopdf"} << ""
                                                 << "" << true;
    QTest::newRow("converter asked, no sandbox")
        << "wkhtmltopdf" << true << true << QStringList{"wkhtmltopdf"} << unsandboxed << "" << false;
    QTest::newRow("chromium asked, only the converter there, no sandbox")
        << "chromium" << true << false << QStringList{"wkhtmltopdf"}
        << "Chromium is not installed; the PDF was made with wkhtmltopdf. " + unsandboxed << "" << false;
    QTest::newRow("chromium asked, both there") << "chromium" << true << true << QStringList{"chromium"} << ""
                                                << "" << true;
    QTest::newRow("chromium asked, only the converter there")
        << "chromium" << true << false << QStringList{"wkhtmltopdf"}
        << "Chromium is not installed; the PDF was made with wkhtmltopdf."
        << "" << true;
    QTest::newRow("converter asked, only chromium there")
        << "wkhtmltopdf" << false << true << QStringList{"chromium"}
        << "wkhtmltopdf is not installed; the PDF was made with Chromium."
        << "" << true;
    QTest::newRow("neither there") << "chromium" << false << false << QStringList{} << ""
                                   << "No PDF engine is installed: neither @APP@/bin/wkhtmltopdf nor Chromium was "
                                      "found. Install the package \"wkhtmltopdf\", \"chromium-headless-shell\" or "
                                      "\"chromium\"."
                                   << true;
}

// The engine asked for makes the PDF where it is installed; else the other does and the result says so once; with
// neither, nothing runs and the message names both packages. An engine that ran without its sandbox is said after.
void TestPagePipeline::engineStandsIn()
{
    QFETCH(QString, wanted);
    QFETCH(bool, converterThere);
    QFETCH(bool, chromiumThere);
    QFETCH(QStringList, started);
    QFETCH(QString, note);
    QFETCH(QString, error);
    QFETCH(bool, sandboxThere);
    QTemporaryDir bare;
    QVERIFY(bare.isValid());
    m_page->app().useStandInConverter(WritePdf);
    if (!converterThere)
        QFile::remove(AppFolder::converterPath(m_page->app().path()));
    const QString chromium =
        chromiumThere ? writeFile(bare.filePath("chromium"), "#!/bin/sh\n") : bare.filePath("none");
    QFile::setPermissions(chromium, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(chromium));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bare.path()));
    if (!sandboxThere)
        Sandbox::useProgram(bare.filePath("bwrap"));
    PageOrder asked = order(PageOrder::Place::AppFolder);
    asked.engine = *engineFromKey(wanted);
    ScriptedEngines engines;
    const PageResult result = runToEnd(asked, engines);
    qputenv("PATH", path);
    QCOMPARE(engines.started, started);
    QCOMPARE(result.engineNote, note);
    QCOMPARE(result.error, QString(error).replace("@APP@", m_page->app().path()));
    QCOMPARE(result.ok(), error.isEmpty());
}

// A preview's PDF of one engine is taken by a Create of that engine alone, and says what its engine did not load.
void TestPagePipeline::pdfOfOneEngineIsNotTheOthers()
{
    m_page->app().useStandInConverter(WritePdf);
    QTemporaryDir bare;
    QVERIFY(bare.isValid());
    const QString chromium = writeFile(bare.filePath("chromium"), "#!/bin/sh\n");
    QFile::setPermissions(chromium, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(chromium));
    PageOrder preview = order(PageOrder::Place::Staging);
    preview.engine = PdfEngine::Chromium;
    ScriptedEngines engines;
    PagePipeline* made = nullptr;
    QVERIFY(runToEnd(preview, engines, &made).ok());
    QCOMPARE(made->result().refused, RefusedFont);
    const ReusablePdf offered = made->reusablePdf();
    QVERIFY(!offered.key.isEmpty());
    for (PdfEngine engine : {PdfEngine::Chromium, PdfEngine::Converter}) {
        PageOrder create = order(PageOrder::Place::AppFolder);
        create.engine = engine;
        create.reusable = offered;
        PagePipeline* again = nullptr;
        QVERIFY(runToEnd(create, engines, &again).ok());
        // Taken, the offered PDF needs no engine: only the converter starts.
        QCOMPARE(engines.started.size(), engine == PdfEngine::Chromium ? 1 : 2);
        QCOMPARE(again->result().refused, engine == PdfEngine::Chromium ? RefusedFont : QStringList());
        delete again;
    }
    QCOMPARE(engines.started, (QStringList{"chromium", "wkhtmltopdf"}));
    delete made;
}

void TestPagePipeline::enginesAreTheStartersOwn_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("note");
    QTest::newRow("chromium asked, the starter has only the converter")
        << "chromium" << QStringList{"wkhtmltopdf"} << "Chromium is not installed; the PDF was made with wkhtmltopdf.";
    QTest::newRow("converter asked, the starter has only chromium")
        << "wkhtmltopdf" << QStringList{"chromium"} << "wkhtmltopdf is not installed; the PDF was made with Chromium.";
}

// Which engines stand ready is the starter's word, whatever this machine has installed.
void TestPagePipeline::enginesAreTheStartersOwn()
{
    QFETCH(QString, wanted);
    QFETCH(QStringList, installed);
    QFETCH(QString, note);
    m_page->app().useStandInConverter(WritePdf);
    ScriptedEngines engines;
    engines.installed = installed;
    PageOrder asked = order(PageOrder::Place::AppFolder);
    asked.engine = *engineFromKey(wanted);
    const PageResult result = runToEnd(asked, engines);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(engines.started, installed);
    QVERIFY2(result.engineNote.startsWith(note), qPrintable(result.engineNote));
}

void TestPagePipeline::saysEachStage_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("preflight");
    QTest::addColumn<QStringList>("stages");
    const QStringList plain{"page", "key", "sizing", "convert", "finish.pass", "finish", "placing"};
    QTest::newRow("off unless turned on") << false << true << QStringList();
    QTest::newRow("every stage once, in order") << true << false << plain;
    QTest::newRow("the preflight inside finishing")
        << true << true
        << QStringList{"page", "key", "sizing", "convert", "finish.pass", "finish.preflight", "finish", "placing"};
}

// The benchmark's stage table adds these up against the whole Create: a stage said twice or not at all skews it.
void TestPagePipeline::saysEachStage()
{
    QFETCH(bool, listening);
    QFETCH(bool, preflight);
    QFETCH(QStringList, stages);
    m_page->app().useStandInConverter(WritePdf);
    said.clear();
    otherMessages = qInstallMessageHandler(hearStage);
    QLoggingCategory::setFilterRules(listening ? "orvanta.stages.debug=true" : "");
    PageOrder stageOrder = order(PageOrder::Place::Staging);
    stageOrder.preflight = preflight;
    const PageResult result = runToEnd(stageOrder);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(otherMessages);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(said.join(QLatin1Char(' ')), stages.join(QLatin1Char(' ')));
}

// What an engine tidies up after its run (Chromium's tab, and the spare tab that follows it) must wait until the
// finishing is done, and then go.
void TestPagePipeline::runGoesOnceThePdfIsFinished()
{
    m_page->app().useStandInConverter(WritePdf);
    WatchedEngines engines;
    PagePipeline pipeline(engines);
    bool keptWhileFinishing = false;
    connect(&pipeline, &PagePipeline::finished, this, [&] { keptWhileFinishing = !engines.run.isNull(); });
    // The window's own kind of loop, which deletes what was let go while it ran.
    QEventLoop loop;
    connect(&pipeline, &PagePipeline::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(Patience, &loop, &QEventLoop::quit);
    PageOrder stages = order(PageOrder::Place::Staging);
    stages.options = {true, true};
    pipeline.start(stages);
    loop.exec();
    QCOMPARE(pipeline.result().status, PageResult::Status::Made);
    QVERIFY(keptWhileFinishing);
    QTRY_VERIFY(engines.run.isNull());
}

QTEST_GUILESS_MAIN(TestPagePipeline)
#include "tst_pagepipeline.moc"
