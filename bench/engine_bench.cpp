// Create with one engine over the given campaigns, as the command line makes them: the first Create of the process
// (cold), the median of the warm ones after it per campaign, and for Chromium the most its processes together held
// (PSS). Usage: orvanta_engine_bench ENGINE RUNS APP CAMPAIGN...
#include "BatchCreate.h"
#include "ChromiumBrowser.h"
#include "EngineStarter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

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

// One Create of one campaign, preflight included as the window's; its time in ms, or a negative one on failure.
double timedCreate(const QString& campaign, const JobSettings& settings)
{
    BatchCreate batch(EngineStarter::direct(), QStringList{campaign}, settings, 1);
    bool done = false;
    QObject::connect(&batch, &BatchCreate::finished, [&] { done = true; });
    QElapsedTimer clock;
    clock.start();
    batch.start();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
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
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    QTemporaryDir output;
    if (arguments.size() < 5 || !output.isValid()) {
        std::fprintf(stderr, "usage: orvanta_engine_bench wkhtmltopdf|chromium RUNS APP CAMPAIGN...\n");
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
    sampler.start(50);
    double cold = -1;
    for (const QString& campaign : arguments.mid(4)) {
        QList<double> warm;
        for (int run = 0; run < runs; ++run) {
            const double ms = timedCreate(campaign, settings);
            if (ms < 0)
                return 1;
            if (cold < 0)
                cold = ms;
            else
                warm << ms;
        }
        std::printf("%s %s warm %.0f\n", qPrintable(settings.engine), qPrintable(QFileInfo(campaign).baseName()),
                    median(warm));
    }
    std::printf("%s - cold %.0f\n", qPrintable(settings.engine), cold);
    if (peakPss > 0)
        std::printf("%s - pss %.0f\n", qPrintable(settings.engine), peakPss / 1024.0);
    return 0;
}
