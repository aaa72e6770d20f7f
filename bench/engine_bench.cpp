// Create through the page pipeline with either engine: the first (cold) Create, the warm ones after it, and for
// Chromium the most its processes together held (PSS) while rendering. Usage: orvanta_engine_bench ENGINE [RUNS]
#include "Catalogue.h"
#include "ChromiumBrowser.h"
#include "ConverterStarter.h"
#include "PagePipeline.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

PageOrder orderFor(const QString& app, PdfEngine engine, int run)
{
    const QStringList entries = Catalogue::entries(app);
    PageOrder order;
    order.app = app;
    order.engine = engine;
    order.catalogueEntryChosen = true;
    order.fields.mainTitle = QString("Bench run %1").arg(run);
    order.fields.affiliateImagePath =
        Catalogue::salesPagePath(app, Catalogue::cleanProductId(Catalogue::readProductId(app, entries.value(0))));
    order.fields.rawProductId = Catalogue::readProductId(app, entries.value(1));
    order.fields.review = QString("A review line that fills the column. ").repeated(40);
    order.fields.ctaTitle = "Yes";
    order.fields.ctaText = "Buy";
    order.fields.ctaUrl = "https://example.com/buy";
    order.fields.pdfFileName = "bench";
    return order;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const std::optional<PdfEngine> engine = engineFromKey(arguments.value(1));
    const int runs = std::max(2, arguments.value(2, "6").toInt());
    QTemporaryDir dir;
    if (!engine || !dir.isValid() || QProcess::execute("cp", {"-a", ORVANTA_BENCH_APP_DIR, dir.filePath("app")}) != 0) {
        std::fprintf(stderr, "usage: orvanta_engine_bench wkhtmltopdf|chromium [RUNS]\n");
        return 2;
    }
    const QString app = dir.filePath("app");
    QList<double> times;
    QList<double> engineTimes;
    qint64 peakPss = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (ChromiumBrowser* browser = ChromiumBrowser::existing(); browser && browser->processId() > 0)
            peakPss = std::max(peakPss, groupPssKb(browser->processId()));
    });
    sampler.start(50);
    for (int run = 0; run < runs; ++run) {
        PagePipeline pipeline(ConverterStarter::direct());
        QElapsedTimer clock;
        clock.start();
        QObject::connect(&pipeline, &PagePipeline::converterEnded, [&] { engineTimes << clock.nsecsElapsed() / 1e6; });
        pipeline.start(orderFor(app, *engine, run));
        while (pipeline.isRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        times << clock.nsecsElapsed() / 1e6;
        if (!pipeline.result().ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(pipeline.result().error));
            return 1;
        }
    }
    QList<double> warm = times.mid(1);
    std::sort(warm.begin(), warm.end());
    QList<double> warmEngine = engineTimes.mid(1);
    std::sort(warmEngine.begin(), warmEngine.end());
    std::printf("%s: cold Create %.0f ms, warm Create median %.0f ms, of it the engine %.0f ms (%lld runs)",
                qPrintable(arguments.value(1)), times.first(), warm.at(warm.size() / 2),
                warmEngine.at(warmEngine.size() / 2), static_cast<long long>(warm.size()));
    if (*engine == PdfEngine::Chromium)
        std::printf(", Chromium's processes at most %.0f MB PSS", peakPss / 1024.0);
    std::printf("\n");
    return 0;
}
