#include "AppLook.h"
#include "CommandLine.h"
#include "DesktopPlatform.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char* argv[])
{
    // A command needs no display, so it starts no window system.
    if (CommandLine::isCommand(argc, argv))
        return CommandLine::run(argc, argv);
    QApplication app(argc, argv);
    applyAppLook();
    // Lets the desktop match the window to orvanta.desktop for its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvanta"));
    DesktopPlatform platform;
    MainWindow window(platform, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    // Message boxes and the preview take the application's icon, not their parent's.
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    // Queued, so the warning stands over the shown window.
    QTimer::singleShot(0, &window, &MainWindow::warnIfFolderUnwritable);
    return app.exec();
}
