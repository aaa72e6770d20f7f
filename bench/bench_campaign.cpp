// orvanta_campaign_bench: the campaign commands' cost in the real window, for bench/run. A measuring tool.
// Prints "name_ms median" lines: the autosave's work on the window's thread, its write on the writer thread,
// Save and Open, each for a typical campaign and with a 1 MB review.

#include "AppFolder.h"
#include "Campaign.h"
#include "CampaignController.h"
#include "MainWindow.h"
#include "RecoveryStore.h"
#include "ScriptedPlatform.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace orvanta::campaign;

namespace {
constexpr int Runs = 31;

double medianMs(const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Paragraphs of about 80 characters with tags and accents, like a real review.
QString reviewOf(qsizetype chars)
{
    const QString line =
        QStringLiteral("A <b>fine</b> product, caf\u00E9 cr\u00E8me, worth every cent of its price.\n");
    QString text;
    while (text.size() < chars)
        text += line;
    text.truncate(chars);
    return text;
}

void fillTypical(const WindowDriver& driver, const QString& review)
{
    driver.paste(QStringLiteral("txtMainTitle"), QStringLiteral("Traffic Toolkit Review"));
    driver.paste(QStringLiteral("txtReview"), review);
    driver.paste(QStringLiteral("txtCTAURL"), QStringLiteral("https://example.com/buy"));
    driver.paste(QStringLiteral("txtInstructions"), reviewOf(600));
    driver.paste(QStringLiteral("txtPDFFilename"), QStringLiteral("traffic toolkit"));
}

void measure(const WindowDriver& driver, const QString& app, const QString& folder, const char* label, qsizetype chars)
{
    fillTypical(driver, reviewOf(chars));
    CampaignController& campaigns = driver.window().campaigns();
    const QString file = QDir(folder).filePath(QStringLiteral("bench %1.orvanta").arg(QLatin1String(label)));
    // What the autosave does on the window's thread: read every control into one value.
    const double snapshot = medianMs([&] { (void)campaigns.campaign(); });
    RecoveryStore store(app);
    const Campaign campaign = campaigns.campaign();
    const double write = medianMs([&] { (void)store.save(campaign, QString()); });
    store.discard();
    (void)CampaignFile::write(file, campaign);
    campaigns.openCampaignFile(file);
    const double save = medianMs([&] { campaigns.save(); });
    // Two files in turn, so every Open also moves its file to the top of the recent list, as a real one does.
    const QString other = QString(file).replace(QLatin1String(".orvanta"), QLatin1String(" 2.orvanta"));
    (void)CampaignFile::write(other, campaign);
    int opened = 0;
    const double open = medianMs([&] { campaigns.openCampaignFile(++opened % 2 ? other : file); });
    std::printf("autosave_window_%s_ms %.3f\nautosave_write_%s_ms %.3f\nsave_%s_ms %.3f\nopen_%s_ms %.3f\n", label,
                snapshot, label, write, label, save, label, open);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QTemporaryDir app;
    QTemporaryDir folder;
    ScriptedPlatform platform;
    MainWindow window(platform, app.path());
    const WindowDriver driver(platform, &window);
    window.show();
    QApplication::processEvents();
    measure(driver, app.path(), folder.path(), "typical", 2048);
    measure(driver, app.path(), folder.path(), "1mb", 1024 * 1024);
    return 0;
}
