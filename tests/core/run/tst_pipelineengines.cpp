#include "PipelineTestCase.h"

#include "AppFolder.h"
#include "ConversionKey.h"
#include "EngineStarter.h"
#include "Sandbox.h"
#include "ScriptedRun.h"

#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::engine;

namespace {
constexpr int Patience = 30000;
const QStringList RefusedFont{QStringLiteral("https://fonts.example/a.woff")};

/** Starts the real converter run, on the stand-in, and a scripted Chromium; records which engine ran. */
class ScriptedEngines final : public EngineStarter {
public:
    QStringList started;
    /** The engines this starter has, when set; else those installed. */
    std::optional<QStringList> installed;
    /** The run started last, while it lives. */
    QPointer<PdfRun> last;

    bool isInstalled(const QString& app, PdfEngine engine) const override
    {
        return installed ? installed->contains(engineKey(engine)) : EngineStarter::isInstalled(app, engine);
    }

    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override
    {
        started << engineKey(engine);
        if (engine == PdfEngine::Converter)
            return last = EngineStarter::direct().start(engine, order, parent);
        return last = new ScriptedRun(EngineScript::writes("%PDF-1.4\nchromium\n%%EOF\n", RefusedFont), order.pdfPath,
                                      parent);
    }
};
} // namespace

/** The pipeline and its engines: which one runs, whose PDF is taken again, and how long a run is kept. */
class TestPipelineEngines final : public PipelineTestCase {
    Q_OBJECT

private Q_SLOTS:
    void engineStandsIn_data();
    void engineStandsIn();
    void pdfOfOneEngineIsNotTheOthers();
    void enginesAreTheStartersOwn_data();
    void enginesAreTheStartersOwn();
    void runGoesOnceThePdfIsFinished();
};

void TestPipelineEngines::engineStandsIn_data()
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
    QTest::newRow("converter asked, no sandbox, not allowed bare")
        << "wkhtmltopdf" << true << true << QStringList{"wkhtmltopdf"} << ""
        << "The PDF engine was not started: its sandbox, bubblewrap (@BARE@/bwrap), is not installed." << false;
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
void TestPipelineEngines::engineStandsIn()
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
    // Without it the user allowed engines bare, but for the row that shows the refusal.
    if (!sandboxThere)
        Sandbox::useProgram(bare.filePath("bwrap"));
    if (!sandboxThere && error.isEmpty())
        qputenv(Sandbox::BareVariable, "1");
    const auto allowed = qScopeGuard([] { qunsetenv(Sandbox::BareVariable); });
    PageOrder asked = order(PageOrder::Place::AppFolder);
    asked.fields.engine = wanted;
    ScriptedEngines engines;
    const PageResult result = runToEnd(asked, engines);
    qputenv("PATH", path);
    QCOMPARE(engines.started, started);
    QCOMPARE(result.engineNote, note);
    // A refusal goes on with what to do.
    const QString expected = QString(error).replace("@APP@", m_page->app().path()).replace("@BARE@", bare.path());
    QCOMPARE(result.error.left(expected.size()), expected);
    QCOMPARE(result.ok(), error.isEmpty());
}

// A preview's PDF of one engine is taken by a Create of that engine alone, and says what its engine did not load.
void TestPipelineEngines::pdfOfOneEngineIsNotTheOthers()
{
    m_page->app().useStandInConverter(WritePdf);
    QTemporaryDir bare;
    QVERIFY(bare.isValid());
    const QString chromium = writeFile(bare.filePath("chromium"), "#!/bin/sh\n");
    QFile::setPermissions(chromium, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(chromium));
    PageOrder preview = order(PageOrder::Place::Staging);
    preview.fields.engine = engineKey(PdfEngine::Chromium);
    ScriptedEngines engines;
    PagePipeline* made = nullptr;
    QVERIFY(runToEnd(preview, engines, &made).ok());
    QCOMPARE(made->result().refused, RefusedFont);
    const ReusablePdf offered = made->reusablePdf();
    QVERIFY(!offered.key.isEmpty());
    for (PdfEngine engine : {PdfEngine::Chromium, PdfEngine::Converter}) {
        PageOrder create = order(PageOrder::Place::AppFolder);
        create.fields.engine = engineKey(engine);
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

void TestPipelineEngines::enginesAreTheStartersOwn_data()
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
void TestPipelineEngines::enginesAreTheStartersOwn()
{
    QFETCH(QString, wanted);
    QFETCH(QStringList, installed);
    QFETCH(QString, note);
    m_page->app().useStandInConverter(WritePdf);
    ScriptedEngines engines;
    engines.installed = installed;
    PageOrder asked = order(PageOrder::Place::AppFolder);
    asked.fields.engine = wanted;
    const PageResult result = runToEnd(asked, engines);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(engines.started, installed);
    QVERIFY2(result.engineNote.startsWith(note), qPrintable(result.engineNote));
}

// What an engine tidies up after its run (Chromium's tab, and the spare tab that follows it) must wait until the
// finishing is done, and then go.
void TestPipelineEngines::runGoesOnceThePdfIsFinished()
{
    m_page->app().useStandInConverter(WritePdf);
    ScriptedEngines engines;
    PagePipeline pipeline(engines);
    bool keptWhileFinishing = false;
    connect(&pipeline, &PagePipeline::finished, this, [&] { keptWhileFinishing = !engines.last.isNull(); });
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
    QTRY_VERIFY(engines.last.isNull());
}
QTEST_GUILESS_MAIN(TestPipelineEngines)
#include "tst_pipelineengines.moc"
