// Create with one engine over the given campaigns, as the command line makes them: the first Create of the process
// (cold), the median of the warm ones after it per campaign, the most Chromium's processes together held (PSS) in
// Creates of their own, and the median of each stage of the warm Creates as the pipeline says them.
// Usage: orvanta_engine_bench ENGINE RUNS APP CAMPAIGN...
#include "BatchCreate.h"
#include "ChromiumBrowser.h"
#include "EngineStarter.h"
#include "StageClock.h"
#include "StageListener.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {
// The browser's processes share its process group: each one's proportional share of memory, summed.
qint64 groupPssKb(qint64 group)
{
    qint64 total = 0;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 3 || fields[2].toLongLong() != group)
            continue;
        QFile rollup("/proc/" + pid + "/smaps_rollup");
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& row : rollup.readAll().split('\n')) {
            if (row.startsWith("Pss:"))
                total += row.mid(4).trimmed().split(' ').first().toLongLong();
        }
    }
    return total;
}

/** How long the bench waits, untimed, before each Create: a user's next Create comes a while after the last. */
int pauseMs = 0;

void idleBeforeCreate()
{
    if (pauseMs <= 0)
        return;
    QEventLoop idle;
    QTimer::singleShot(pauseMs, &idle, &QEventLoop::quit);
    idle.exec();
}

// One Create of one campaign, preflight included as the window's; its time in ms, or a negative one on failure.
double timedCreate(const QString& campaign, const JobSettings& settings)
{
    BatchCreate batch(EngineStarter::direct(), QStringList{campaign}, settings, 1);
    // Waits as the window's event loop does: processEvents() with a time limit never sleeps, and its spin took one
    // of two cores from the engine.
    QEventLoop loop;
    QObject::connect(&batch, &BatchCreate::finished, &loop, &QEventLoop::quit);
    idleBeforeCreate();
    QElapsedTimer clock;
    clock.start();
    batch.start();
    loop.exec();
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!batch.outcome(0).ok) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(campaign), qPrintable(batch.outcome(0).error));
        return -1;
    }
    return ms;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}
// The first Create of the process, browser start included.
struct Cold {
    double ms = -1;
    QMap<QString, double> stages;
};

void printStages(const QString& engine, const QString& campaign, const QMap<QString, double>& stages)
{
    for (auto stage = stages.cbegin(); stage != stages.cend(); ++stage)
        std::printf("%s %s stage:%s %.1f\n", qPrintable(engine), qPrintable(campaign), qPrintable(stage.key()),
                    stage.value());
}

// Creates @p campaign @p runs times and prints the warm Creates' medians, the whole and each stage; the very first
// Create of the process goes to @p cold instead. One more Create runs under @p memory, which reads every process's
// memory map and would weigh on the timed ones.
bool measure(const QString& campaign, const JobSettings& settings, int runs, Cold& cold, QTimer& memory)
{
    QList<double> warm;
    QMap<QString, QList<double>> warmStages;
    for (int run = 0; run < runs; ++run) {
        StageListener::take();
        const double ms = timedCreate(campaign, settings);
        const QMap<QString, double> taken = StageListener::take();
        if (ms < 0)
            return false;
        if (cold.ms < 0) {
            cold = {ms, taken};
            continue;
        }
        warm << ms;
        for (auto stage = taken.cbegin(); stage != taken.cend(); ++stage)
            warmStages[stage.key()] << stage.value();
    }
    memory.start(50);
    const bool measured = timedCreate(campaign, settings) >= 0;
    memory.stop();
    StageListener::take();
    if (!measured)
        return false;
    const QString name = QFileInfo(campaign).baseName();
    std::printf("%s %s warm %.1f\n", qPrintable(settings.engine), qPrintable(name), median(warm));
    QMap<QString, double> medians;
    for (auto stage = warmStages.cbegin(); stage != warmStages.cend(); ++stage)
        medians.insert(stage.key(), median(stage.value()));
    printStages(settings.engine, name, medians);
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const StageListener listener;
    QStringList arguments = application.arguments();
    const QString pauseOption = QStringLiteral("--pause=");
    if (arguments.size() > 4 && arguments.at(4).startsWith(pauseOption))
        pauseMs = arguments.takeAt(4).mid(pauseOption.size()).toInt();
    QTemporaryDir output;
    if (arguments.size() < 5 || !output.isValid()) {
        std::fprintf(stderr, "usage: orvanta_engine_bench wkhtmltopdf|chromium RUNS APP [--pause=MS] CAMPAIGN...\n");
        return 2;
    }
    JobSettings settings;
    settings.engine = arguments.at(1);
    settings.app = arguments.at(3);
    settings.outputFolder = output.path();
    settings.preflight = true;
    const int runs = std::max(2, arguments.at(2).toInt());
    qint64 peakPss = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (ChromiumBrowser* browser = ChromiumBrowser::existing(); browser && browser->processId() > 0)
            peakPss = std::max(peakPss, groupPssKb(browser->processId()));
    });
    Cold cold;
    for (const QString& campaign : arguments.mid(4)) {
        if (!measure(campaign, settings, runs, cold, sampler))
            return 1;
    }
    std::printf("%s - cold %.1f\n", qPrintable(settings.engine), cold.ms);
    // The stage table's rows follow the stages' own order.
    for (int place = 0; place < int(std::size(StageNames)); ++place)
        std::printf("%s - order:%s %d\n", qPrintable(settings.engine), StageNames[place], place);
    printStages(settings.engine, QStringLiteral("-"), cold.stages);
    if (peakPss > 0)
        std::printf("%s - pss %.0f\n", qPrintable(settings.engine), peakPss / 1024.0);
    return 0;
}
