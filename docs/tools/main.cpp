#include "AppLook.h"
#include "MainWindow.h"
#include "ScreenshotTour.h"
#include "ScriptedPlatform.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

// Usage: orvanta_screenshots APP_FOLDER COVER_IMAGE OUTPUT_FOLDER. Prints the path of the PDF it made.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: orvanta_screenshots APP_FOLDER COVER_IMAGE OUTPUT_FOLDER\n");
        return 2;
    }
    applyAppLook();
    ScriptedPlatform platform;
    platform.onMessage = [](const ScriptedPlatform::Message& message) {
        std::fprintf(stderr, "%s \"%s\": %s\n", message.yesNo ? "question" : "message", qPrintable(message.title),
                     qPrintable(message.text));
    };
    MainWindow window(platform, QDir::toNativeSeparators(arguments[1]));
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    auto* tour = new ScreenshotTour(window, platform, arguments[2], arguments[3]);
    int exitCode = 1;
    QObject::connect(tour, &ScreenshotTour::finished, &app, [&exitCode](const QString& pdfPath) {
        if (!pdfPath.isEmpty()) {
            std::printf("%s\n", qPrintable(pdfPath));
            exitCode = 0;
        }
        QCoreApplication::quit();
    });
    QTimer::singleShot(0, tour, &ScreenshotTour::start);
    app.exec();
    return exitCode;
}
