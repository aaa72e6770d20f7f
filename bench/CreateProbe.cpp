#include "CreateProbe.h"

#include "AppFolder.h"
#include "Campaign.h"
#include "CampaignController.h"
#include "Catalogue.h"
#include "Converter.h"
#include "CreateCommand.h"
#include "Designs.h"
#include "EngineShared.h"
#include "MainWindow.h"
#include "ProcessStats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::engine;

namespace {
// About 2 KB, the length of a quick review.
QString typicalReview()
{
    const QString sentence = QStringLiteral("This product saved me hours every week and the bonus made it better. ");
    return sentence.repeated(28);
}

double elapsedMs(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}
constexpr int WarmUpCreates = 3;
} // namespace

CreateProbe::CreateProbe(const QString& appFolder, int runs, bool withConverterAlone)
    : m_appFolder(appFolder)
    , m_runs(runs)
    , m_withConverterAlone(withConverterAlone)
    , m_driver(m_platform)
{
    m_platform.onMessage = [this](const ScriptedPlatform::Message& message) {
        if (!message.yesNo)
            fail(QStringLiteral("the window said: ") + message.text);
        else if (message.text.startsWith(QLatin1String("Ready")))
            onReady();
    };
    m_platform.onRunStarted = [this] { m_converterStartNs = m_clock.nsecsElapsed(); };
    m_platform.onRunFinished = [this] { m_converterEndNs = m_clock.nsecsElapsed(); };
}

CreateProbe::~CreateProbe() = default;

bool CreateProbe::prepare()
{
    if (!m_scratch.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        return false;
    }
    m_window = std::make_unique<MainWindow>(m_platform, QDir::toNativeSeparators(m_appFolder));
    m_driver.setWindow(m_window.get());
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        std::fprintf(stderr, "the window was never shown\n");
        return false;
    }
    connect(&m_window->createCommand(), &CreateCommand::finished, this, &CreateProbe::onCreateFinished);
    fill();
    return !m_failed;
}

void CreateProbe::start()
{
    // The window takes a lock on its recovery copy at the first autosave, a pause after the fill, and holds it while
    // it lives: taken before anything is counted, so the open files are what the Creates leave.
    CampaignController& campaigns = m_window->campaigns();
    const bool locked = QTest::qWaitFor(
        [&campaigns] {
            return !campaigns.isModified() || (QFileInfo::exists(campaigns.recoveryCopyPath()) && campaigns.isIdle());
        },
        10000);
    if (!locked)
        std::fprintf(stderr, "no autosave before the first Create: its lock may count as an open file\n");
    printStats("before");
    QTimer::singleShot(0, this, &CreateProbe::pressCreate);
}

void CreateProbe::useCampaign(const QString& campaign, const QString& design)
{
    m_campaign = campaign;
    m_design = design;
}

// A copy in the scratch folder carries the design; its pictures are found by their saved absolute paths.
void CreateProbe::openCampaign()
{
    Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(m_campaign, m_appFolder);
    if (!read.ok())
        return fail(read.error());
    read->campaign.design = m_design == Designs::classicName() ? QString() : m_design;
    const QString copy = m_scratch.filePath(QStringLiteral("bench.orvanta"));
    const Result<void> saved = CampaignFile::write(copy, read->campaign);
    if (!saved.ok())
        return fail(saved.error());
    m_window->campaigns().openCampaignFile(copy);
}

void CreateProbe::fill()
{
    if (!m_campaign.isEmpty())
        return openCampaign();
    if (Catalogue::entries(m_appFolder).isEmpty())
        return fail(QStringLiteral("the catalogue is empty"));
    m_window->ShowStep(0);
    m_driver.type(QStringLiteral("txtReview"), typicalReview());
    m_driver.type(QStringLiteral("txtCTAURL"), QStringLiteral("https://example.com/buy"));
    m_driver.chooseImage(0, makeCover());
    m_window->ShowStep(1);
    m_driver.selectBonus(0);
    m_driver.type(QStringLiteral("txtAdTitle"), QStringLiteral("Yes, Get Your Copy with Our Private Bonus"));
    m_driver.type(QStringLiteral("txtCTAText"), QStringLiteral("Click Here to Buy (Includes Our Bonus)"));
    m_driver.type(QStringLiteral("txtInstructions"), QStringLiteral("Forward your receipt to bonus@example.com."));
    m_window->ShowStep(2);
    m_driver.type(QStringLiteral("txtPDFFilename"), QStringLiteral("bench page"));
}

QString CreateProbe::makeCover() const
{
    QImage cover(400, 600, QImage::Format_RGB32);
    cover.fill(Qt::darkCyan);
    const QString path = m_scratch.filePath(QStringLiteral("cover.png"));
    cover.save(path);
    return QDir::toNativeSeparators(path);
}

void CreateProbe::pressCreate()
{
    m_sawReady = false;
    m_clock.start();
    m_driver.clickCreate();
}

void CreateProbe::onReady()
{
    const qint64 totalNs = m_clock.nsecsElapsed();
    // Everything the window adds to its converter run: checks, page, images, start-up and the end report.
    std::printf("create_ms %.2f\nwindow_overhead_ms %.2f\n", totalNs / 1e6,
                (totalNs - (m_converterEndNs - m_converterStartNs)) / 1e6);
    m_sawReady = true;
}

void CreateProbe::onCreateFinished()
{
    if (!m_sawReady)
        return fail(QStringLiteral("Create ended without the \"Ready\" question"));
    const QMap<QString, double> stages = StageListener::take();
    for (auto stage = stages.cbegin(); stage != stages.cend(); ++stage)
        std::printf("stage_%s %.2f\n", qPrintable(stage.key()), stage.value());
    if (++m_done == 1)
        std::printf("hwm_after_first_kb %lld\n", ProcessStats::peakResidentKb());
    // The first Creates load the PDF engine and start the finishing threads: growth is counted after them.
    if (m_done == WarmUpCreates) {
        printStats("warm");
        m_warmFiles = ProcessStats::openFiles();
    }
    // Queued: the job's own clean-up finishes before the next press, as between two real clicks.
    if (m_withConverterAlone)
        QTimer::singleShot(0, this, &CreateProbe::runConverterAlone);
    else
        QTimer::singleShot(0, this, &CreateProbe::next);
}

// The converter's own time on the page the window just wrote: the floor for Create.
void CreateProbe::runConverterAlone()
{
    const QString page = writtenPage();
    const QString pdf = m_scratch.filePath(QStringLiteral("alone.pdf"));
    QFile::remove(pdf);
    QStringList arguments = splitCommandLine(ConverterCommand(m_appFolder, page, pdf));
    const QString program = arguments.takeFirst();
    auto* converter = new QProcess(this);
    converter->setProcessChannelMode(QProcess::MergedChannels);
    connect(converter, &QProcess::finished, this, [this, converter, pdf] {
        std::printf("converter_ms %.2f\n", elapsedMs(m_clock));
        converter->deleteLater();
        if (!QFileInfo(pdf).isFile())
            return fail(QStringLiteral("the converter alone wrote no PDF"));
        runSandboxedAlone();
    });
    m_clock.start();
    converter->start(program, arguments);
}

// The same run in the sandbox Create starts it in: the difference is the sandbox's own start and end.
void CreateProbe::runSandboxedAlone()
{
    const QString pdf = m_scratch.filePath(QStringLiteral("sandboxed.pdf"));
    QFile::remove(pdf);
    auto* run = new ConverterRun(this);
    connect(run, &PdfRun::finished, this, [this, run](const RenderResult& result) {
        std::printf("sandboxed_ms %.2f\n", elapsedMs(m_clock));
        run->deleteLater();
        if (!result)
            return fail(result.error());
        next();
    });
    m_clock.start();
    run->start(ConverterCommand(m_appFolder, writtenPage(), pdf), pdf);
}

QString CreateProbe::writtenPage() const
{
    const QString bin = AppFolder::binFolder(m_appFolder);
    for (const QString& name : AppFolder::listFolder(bin, QStringLiteral("*.html"))) {
        if (name != QLatin1String("template.html"))
            return bin + QDir::separator() + name;
    }
    return QString();
}

void CreateProbe::next()
{
    if (m_done < m_runs)
        return pressCreate();
    printStats("after");
    // What stays open beyond the warm Creates, by name: the lines bench/run reports as growth.
    for (const QString& file : ProcessStats::openFiles())
        if (m_done > WarmUpCreates && !m_warmFiles.contains(file))
            std::printf("fd_new %s\n", qPrintable(file));
    // Closed as a user would, so the next run on this folder is not offered this one's recovery copy.
    m_window->close();
    QCoreApplication::exit(0);
}

void CreateProbe::fail(const QString& why)
{
    m_failed = true;
    std::fprintf(stderr, "create probe failed: %s\n", qPrintable(why));
    std::fflush(stdout);
    QCoreApplication::exit(1);
}

void CreateProbe::printStats(const char* when) const
{
    // The processor time is the window's and the pipeline's alone: the converters are other processes.
    std::printf("rss_%s_kb %lld\nhwm_%s_kb %lld\nfds_%s %d\ncpu_%s_ms %.1f\n", when, ProcessStats::residentKb(), when,
                ProcessStats::peakResidentKb(), when, ProcessStats::openFileCount(), when, ProcessStats::cpuMs());
    std::fflush(stdout);
}
