#include "AppLook.h"
#include "CampaignController.h"
#include "CommandLine.h"
#include "DesktopPlatform.h"
#include "FrontEnd.h"
#include "MainWindow.h"
#include "Sandbox.h"
#include "Translations.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

using namespace orvanta::files;
using namespace orvanta::engine;

namespace {
QtMessageHandler qtMessages = nullptr;

// Qt's font database warns once per installed family that lacks a script's OpenType tables while it looks for a
// fallback font, some thirty lines on every start of the window: no fault of ours or the user's. Every other message
// goes on as before.
void quietFontFallback(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.trimmed().startsWith(QLatin1String("OpenType support missing for")))
        return;
    qtMessages(type, context, message);
}
} // namespace

int main(int argc, char* argv[])
{
    // Decided before any Qt application exists: a command, or a window that cannot be shown, starts no window
    // system, so neither needs a display.
    const FrontEnd::Choice frontEnd = FrontEnd::choose(argc, argv);
    // A sandbox program set on purpose is taken as it is, as a Chromium is: one that cannot start is said with
    // each PDF, never passed over in silence.
    if (const QString sandbox = qEnvironmentVariable("ORVANTA_BWRAP"); !sandbox.isEmpty())
        Sandbox::useProgram(sandbox);
    if (frontEnd.kind != FrontEnd::Kind::Window)
        return CommandLine::run(argc, argv, frontEnd);
    qtMessages = qInstallMessageHandler(quietFontFallback);
    QApplication app(argc, argv);
    Translations::install(QLocale::system().uiLanguages());
    applyAppLook();
    // Lets the desktop match the window to orvanta.desktop for its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvanta"));
    DesktopPlatform platform;
    MainWindow window(platform, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    // Message boxes and the preview take the application's icon, not their parent's.
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    // As desktop programs open the document they are started with; a file that is no campaign says so there.
    if (!frontEnd.campaignFile.isEmpty())
        window.campaigns().openCampaignFile(frontEnd.campaignFile);
    return window.runEventLoop();
}
