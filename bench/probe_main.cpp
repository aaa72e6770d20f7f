// orvanta_probe: whole-program measurements for bench/run. A measuring tool, not the product.

#include "AppFolder.h"
#include "AppLook.h"
#include "CampaignController.h"
#include "CreateProbe.h"
#include "HelperOps.h"
#include "MainWindow.h"
#include "ScriptedPlatform.h"
#include "SheetDialog.h"
#include "WindowLayout.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace orvanta::files;

namespace {
/** Prints "shown" at the window's first paint and quits: the moment a user first sees it. */
class ShownWatch final : public QObject {
public:
    explicit ShownWatch(QWidget* window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the whole first frame: children paint after their parent, in the same pass.
            QTimer::singleShot(0, qApp, [] {
                std::printf("shown\n");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

int usage()
{
    std::fprintf(stderr, "usage: orvanta_probe startup APPDIR | empty | empty-sized | one-line\n"
                         "                     | launch MODE [ARGS...] | create APPDIR RUNS [alone [CAMPAIGN DESIGN]]\n"
                         "                     | listing FOLDER PATTERN | sheet APPDIR BASE SHEET\n");
    return 2;
}

// As the product's main(), with a platform that answers nothing.
int startup(int argc, char* argv[], const QString& appFolder)
{
    QApplication app(argc, argv);
    applyAppLook();
    ScriptedPlatform platform;
    MainWindow window(platform, QDir::toNativeSeparators(appFolder));
    new ShownWatch(&window);
    window.show();
    return app.exec();
}

// The references a start-up is weighed against: an empty window, and one as large as the main window, bare or
// showing one line of text, which starts the font system every window with text pays for.
enum class Reference { Empty, Sized, OneLine };

int referenceWindow(int argc, char* argv[], Reference reference)
{
    QApplication app(argc, argv);
    applyAppLook();
    QWidget window;
    const WindowLayout::Size mainWindow =
        WindowLayout::clientPixels(QGuiApplication::primaryScreen()->logicalDotsPerInch());
    if (reference == Reference::Empty)
        window.resize(640, 480);
    else
        window.resize(mainWindow.width, mainWindow.height);
    if (reference == Reference::OneLine)
        (new QLabel(QStringLiteral("Step 1: Make a Quick Affiliate Review"), &window))->move(10, 10);
    new ShownWatch(&window);
    window.show();
    return app.exec();
}

// Whole-program start-up: from the start call to the child's "shown" line.
int launch(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(2);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QByteArray output;
    while (!output.contains("shown\n") && child.waitForReadyRead(60000))
        output += child.readAllStandardOutput();
    const double shownMs = clock.nsecsElapsed() / 1e6;
    child.waitForFinished(60000);
    if (!output.contains("shown\n")) {
        std::fprintf(stderr, "launch: %s never showed its window\n", qPrintable(arguments.join(QLatin1Char(' '))));
        return 1;
    }
    std::printf("shown_ms %.2f\n", shownMs);
    return 0;
}

int create(int argc, char* argv[], const QString& appFolder, int runs, bool withConverterAlone, const QString& campaign,
           const QString& design)
{
    QApplication app(argc, argv);
    applyAppLook();
    CreateProbe probe(appFolder, runs, withConverterAlone);
    probe.useCampaign(campaign, design);
    if (!probe.prepare())
        return 1;
    probe.start();
    return app.exec();
}

// Campaign > Make PDFs from a Spreadsheet over BASE, then Create All, answering Yes to every question; prints
// sheet_ms from the click to the last row's result.
int sheet(int argc, char* argv[], const QString& appFolder, const QString& base, const QString& sheetPath)
{
    QApplication app(argc, argv);
    applyAppLook();
    ScriptedPlatform platform;
    for (int i = 0; i < 8; ++i)
        platform.answers << true;
    MainWindow window(platform, appFolder);
    window.show();
    window.campaigns().openCampaignFile(base);
    platform.pickedFiles << sheetPath;
    window.findChild<QAction*>(QStringLiteral("actSheet"))->trigger();
    auto* dialog = window.findChild<SheetDialog*>();
    if (!dialog || dialog->sheet().rows.isEmpty())
        return 1;
    QElapsedTimer clock;
    QObject::connect(dialog, &SheetDialog::createFinished, &app, [&] {
        std::printf("sheet_ms %.1f\n", clock.nsecsElapsed() / 1e6);
        QCoreApplication::quit();
    });
    QTimer::singleShot(0, dialog, [&] {
        clock.start();
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCreateAll"))->click();
    });
    return app.exec();
}

double msOf(const std::function<void()>& work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

double medianOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double medianMsOf(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < 5; ++round)
        times.push_back(msOf(work));
    return medianOf(times);
}

// The steps of filling the catalogue list, each timed alone, with the older sorted listing beside the current.
int listing(int argc, char* argv[], const QString& folder, const QString& pattern)
{
    QApplication app(argc, argv);
    QStringList names;
    QStringList sortedByQDir;
    std::vector<double> statSortedTimes;
    std::vector<double> currentTimes;
    // Alternating rounds, so a change in the machine's load touches both alike.
    for (int round = 0; round < 7; ++round) {
        statSortedTimes.push_back(msOf([&] {
            sortedByQDir = QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::CaseSensitive,
                                                  QDir::Name | QDir::IgnoreCase);
        }));
        currentTimes.push_back(msOf([&] { names = AppFolder::listFolder(folder, pattern); }));
    }
    const double statSorted = medianOf(statSortedTimes);
    const double current = medianOf(currentTimes);
    QStringList entries;
    const double suffixRemoval = medianMsOf([&] {
        entries.clear();
        entries.reserve(names.size());
        for (const QString& name : names)
            entries.append(vParser::ReplaceText(name, QStringLiteral(".txt"), QString()));
    });
    QListWidget list;
    list.setUniformItemSizes(true);
    const double listFill = medianMsOf([&] {
        list.clear();
        list.addItems(entries);
    });
    std::printf("files %lld\nqdir_sorted_ms %.2f\nlistfolder_ms %.2f\nsame_order %d\nsuffix_removal_ms %.2f\n"
                "list_fill_ms %.2f\n",
                static_cast<long long>(names.size()), statSorted, current, int(sortedByQDir == names), suffixRemoval,
                listFill);
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const auto arg = [&](int index) { return index < argc ? QString::fromLocal8Bit(argv[index]) : QString(); };
    if (mode == QLatin1String("startup") && argc == 3)
        return startup(argc, argv, arg(2));
    if (mode == QLatin1String("empty"))
        return referenceWindow(argc, argv, Reference::Empty);
    if (mode == QLatin1String("empty-sized"))
        return referenceWindow(argc, argv, Reference::Sized);
    if (mode == QLatin1String("one-line"))
        return referenceWindow(argc, argv, Reference::OneLine);
    if (mode == QLatin1String("launch") && argc >= 3)
        return launch(argc, argv);
    if (mode == QLatin1String("create") && argc >= 4 && arg(3).toInt() > 0)
        return create(argc, argv, arg(2), arg(3).toInt(), arg(4) == QLatin1String("alone"), arg(5), arg(6));
    if (mode == QLatin1String("sheet") && argc == 5)
        return sheet(argc, argv, arg(2), arg(3), arg(4));
    if (mode == QLatin1String("listing") && argc == 4)
        return listing(argc, argv, arg(2), arg(3));
    return usage();
}
