// Page preview and fitting, measured through the real window with the real converter:
//   preview: last keystroke -> new preview on show, beside the pause plus the converter alone on the same page,
//            and the time one keystroke in the review box takes while a preview renders and while none does;
//   create:  click on Create -> "Ready" question, with and without fitting, alternating.
// Prints "key value" lines; bench/preview-run turns them into a table.

#include "AppLook.h"
#include "Converter.h"
#include "CreateCommand.h"
#include "MainWindow.h"
#include "PagePreview.h"
#include "PreviewPage.h"
#include "ScriptedPlatform.h"
#include "StagingFolder.h"
#include "WindowDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace orvanta::page;
using namespace orvanta::engine;

namespace {
double ms(qint64 ns)
{
    return ns / 1e6;
}

void fill(const WindowDriver& driver, const QString& cover)
{
    driver.type(QStringLiteral("txtMainTitle"), QStringLiteral("A Quick Review"));
    driver.type(QStringLiteral("txtReview"),
                QStringLiteral("This product saved me hours every week and the bonus made it better. ").repeated(28));
    driver.type(QStringLiteral("txtCTAURL"), QStringLiteral("https://example.com/buy"));
    driver.chooseImage(0, cover);
    driver.selectBonus(0);
    driver.type(QStringLiteral("txtAdTitle"), QStringLiteral("Yes, Get Your Copy"));
    driver.type(QStringLiteral("txtCTAText"), QStringLiteral("Click Here to Buy"));
    driver.type(QStringLiteral("txtInstructions"), QStringLiteral("Forward your receipt."));
    driver.type(QStringLiteral("txtPDFFilename"), QStringLiteral("bench page"));
    driver.window().ShowStep(0);
}

// The converter by itself on the page the preview shows, in a folder of its own.
double converterAlone(const QString& app, const PageFields& fields)
{
    const StagingFolder folder(app, QStringLiteral("bench"));
    const Result<BuiltPage> built = buildPreviewPage(app, fields, folder.target());
    (void)WritePage(built.valueOr(BuiltPage()));
    QElapsedTimer clock;
    clock.start();
    ConverterRun run;
    QSignalSpy finished(&run, &ConverterRun::finished);
    run.start(ConverterCommand(app, built->htmlPath, built->pdfPath), built->pdfPath);
    finished.wait(120000);
    return ms(clock.nsecsElapsed());
}

double keystrokeMs(QWidget* box)
{
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(box, Qt::Key_Z);
    return ms(clock.nsecsElapsed());
}

void measurePreview(const WindowDriver& driver, const QString& app, int runs)
{
    MainWindow& window = driver.window();
    driver.control<QAbstractButton>(QStringLiteral("cmdPagePreview"))->click();
    auto* preview = window.findChild<PagePreview*>();
    QSignalSpy shown(preview, &PagePreview::renderShown);
    shown.wait(120000);
    QWidget* review = driver.control(QStringLiteral("txtReview"));
    for (int run = 0; run < runs; ++run) {
        for (const char key : {'n', 'e', 'w'})
            QTest::keyClick(review, key);
        QElapsedTimer clock;
        clock.start();
        shown.clear();
        shown.wait(120000);
        std::printf("preview_ms %.2f\n", ms(clock.nsecsElapsed()));
        std::printf("converter_ms %.2f\n", converterAlone(app, window.pageFields()));
        std::printf("key_idle_ms %.3f\n", keystrokeMs(review));
        preview->renderNow();
        std::printf("key_rendering_ms %.3f\n", keystrokeMs(review));
        shown.clear();
        shown.wait(120000);
    }
    preview->close();
}

// One click on Create, timed to the "Ready" question.
double timedCreate(const WindowDriver& driver, ScriptedPlatform& platform)
{
    QElapsedTimer clock;
    double readyMs = 0;
    platform.onMessage = [&](const ScriptedPlatform::Message& message) {
        if (message.text.startsWith(QLatin1String("Ready")))
            readyMs = ms(clock.nsecsElapsed());
    };
    QSignalSpy finished(&driver.window().createCommand(), &CreateCommand::finished);
    clock.start();
    driver.clickCreate();
    finished.wait(120000);
    platform.onMessage = nullptr;
    return readyMs;
}

// Create right after the preview showed exactly what Create would make: its PDF is taken instead of a new run.
void measureCreateAfterPreview(const WindowDriver& driver, ScriptedPlatform& platform, int runs)
{
    MainWindow& window = driver.window();
    driver.control<QAbstractButton>(QStringLiteral("cmdPagePreview"))->click();
    auto* preview = window.findChild<PagePreview*>();
    QSignalSpy shown(preview, &PagePreview::renderShown);
    QWidget* title = driver.control(QStringLiteral("txtMainTitle"));
    for (int run = 0; run < runs; ++run) {
        QTest::keyClick(title, 'x');
        shown.clear();
        shown.wait(120000);
        const int converters = int(platform.starts.size());
        const double readyMs = timedCreate(driver, platform);
        std::printf("create_after_preview_ms %.2f\nconverters_for_create %d\n", readyMs,
                    int(platform.starts.size()) - converters);
    }
    preview->close();
}

void measureCreate(const WindowDriver& driver, ScriptedPlatform& platform, int runs)
{
    auto* fit = driver.control<QCheckBox>(QStringLiteral("chkFitToContent"));
    driver.window().ShowStep(2);
    for (int run = 0; run < 2 * runs; ++run) {
        fit->setChecked(run % 2 == 0);
        const double readyMs = timedCreate(driver, platform);
        std::printf("%s %.2f\n", fit->isChecked() ? "create_fit_ms" : "create_plain_ms", readyMs);
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvanta_preview_bench APPDIR RUNS\n");
        return 2;
    }
    applyAppLook();
    const QString appFolder = QDir::toNativeSeparators(QString::fromLocal8Bit(argv[1]));
    const int runs = QString::fromLocal8Bit(argv[2]).toInt();
    QTemporaryDir scratch;
    QImage cover(400, 600, QImage::Format_RGB32);
    cover.fill(Qt::darkCyan);
    cover.save(scratch.filePath(QStringLiteral("cover.png")));
    ScriptedPlatform platform;
    MainWindow window(platform, appFolder);
    const WindowDriver driver(platform, &window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    fill(driver, scratch.filePath(QStringLiteral("cover.png")));
    measurePreview(driver, appFolder, runs);
    measureCreate(driver, platform, runs);
    measureCreateAfterPreview(driver, platform, runs);
    return 0;
}
