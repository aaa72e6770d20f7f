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

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>

namespace {
double ms(qint64 ns)
{
    return ns / 1e6;
}

QWidget* control(MainWindow& window, const char* name)
{
    QWidget* found = window.findChild<QWidget*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

void fill(MainWindow& window)
{
    window.ShowStep(0);
    QTest::keyClicks(control(window, "txtMainTitle"), QStringLiteral("A Quick Review"));
    QTest::keyClicks(
        control(window, "txtReview"),
        QStringLiteral("This product saved me hours every week and the bonus made it better. ").repeated(28));
    QTest::keyClicks(control(window, "txtCTAURL"), QStringLiteral("https://example.com/buy"));
    QTest::mouseClick(control(window, "cmdCoverSelect(0)"), Qt::LeftButton);
    window.ShowStep(1);
    auto* list = static_cast<QAbstractItemView*>(control(window, "lstProductItems"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    QTest::keyClicks(control(window, "txtAdTitle"), QStringLiteral("Yes, Get Your Copy"));
    QTest::keyClicks(control(window, "txtCTAText"), QStringLiteral("Click Here to Buy"));
    QTest::keyClicks(control(window, "txtInstructions"), QStringLiteral("Forward your receipt."));
    window.ShowStep(2);
    QTest::keyClicks(control(window, "txtPDFFilename"), QStringLiteral("bench page"));
    window.ShowStep(0);
}

// The converter by itself on the page the preview shows, in a folder of its own.
double converterAlone(const QString& app, const PageFields& fields)
{
    const StagingFolder folder(app, QStringLiteral("bench"));
    const BuildResult built = buildPreviewPage(app, fields, folder.target());
    WritePage(built.page);
    QElapsedTimer clock;
    clock.start();
    ConverterRun run;
    QSignalSpy finished(&run, &ConverterRun::finished);
    run.start(ConverterCommand(app, built.page.htmlPath, built.page.pdfPath), built.page.pdfPath);
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

void measurePreview(MainWindow& window, const QString& app, int runs)
{
    static_cast<QToolButton*>(control(window, "cmdPagePreview"))->click();
    auto* preview = window.findChild<PagePreview*>();
    QSignalSpy shown(preview, &PagePreview::renderShown);
    shown.wait(120000);
    QWidget* review = control(window, "txtReview");
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

void measureCreate(MainWindow& window, ScriptedPlatform& platform, int runs)
{
    QElapsedTimer clock;
    double readyMs = 0;
    platform.onMessage = [&](const ScriptedPlatform::Message& message) {
        if (message.text.startsWith(QLatin1String("Ready")))
            readyMs = ms(clock.nsecsElapsed());
    };
    auto* fit = static_cast<QCheckBox*>(control(window, "chkFitToContent"));
    window.ShowStep(2);
    for (int run = 0; run < 2 * runs; ++run) {
        fit->setChecked(run % 2 == 0);
        QSignalSpy finished(&window.createCommand(), &CreateCommand::finished);
        clock.start();
        QTest::mouseClick(static_cast<QPushButton*>(control(window, "cmdCreate")), Qt::LeftButton);
        finished.wait(120000);
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
    platform.pickedFiles.enqueue(scratch.filePath(QStringLiteral("cover.png")));
    MainWindow window(platform, appFolder);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    fill(window);
    measurePreview(window, appFolder, runs);
    measureCreate(window, platform, runs);
    return 0;
}
