#include "FrontEnd.h"

#include "CommandLineTr.h"
#include "CommandOptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
/** How a Qt window option takes its value. */
enum class Takes { Nothing, NextArgument, NextOrJoined, Joined };

struct WindowOption {
    const char* name;
    Takes takes;
};

// The options QGuiApplication and QApplication document; Qt reads them with one dash or two.
constexpr WindowOption windowOptions[] = {
    {"platform", Takes::NextArgument},        {"platformpluginpath", Takes::NextArgument},
    {"platformtheme", Takes::NextArgument},   {"plugin", Takes::NextArgument},
    {"qwindowgeometry", Takes::NextArgument}, {"qwindowicon", Takes::NextArgument},
    {"qwindowtitle", Takes::NextArgument},    {"session", Takes::NextArgument},
    {"display", Takes::NextArgument},         {"geometry", Takes::NextArgument},
    {"style", Takes::NextOrJoined},           {"stylesheet", Takes::NextOrJoined},
    {"qmljsdebugger", Takes::Joined},         {"reverse", Takes::Nothing},
    {"widgetcount", Takes::Nothing},
};

/** The option @p argument names and whether its value is the next argument; nullptr for none of the window's. */
const WindowOption* windowOption(const QString& argument, bool* valueFollows)
{
    const QString bare = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    for (const WindowOption& option : windowOptions) {
        const QLatin1String name(option.name);
        if (bare == name && option.takes != Takes::Joined) {
            *valueFollows = option.takes == Takes::NextArgument || option.takes == Takes::NextOrJoined;
            return &option;
        }
        if (bare.startsWith(name + QLatin1Char('=')) &&
            (option.takes == Takes::NextOrJoined || option.takes == Takes::Joined)) {
            *valueFollows = false;
            return &option;
        }
    }
    return nullptr;
}
} // namespace

namespace FrontEnd {
// A start that is no command line but not the window's either goes to the command without the window's options,
// so its message names what is wrong, not an option the window would have taken.
Choice choose(const QStringList& arguments, bool displayAvailable)
{
    if (isCommandLine(arguments))
        return {Kind::Command, {}, arguments};
    QStringList files;
    QStringList others = arguments.mid(0, 1);
    bool optionsEnded = false;
    bool unknownOption = false;
    bool platformChosen = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool isOption = !optionsEnded && argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-");
        bool valueFollows = false;
        if (const WindowOption* option = isOption ? windowOption(argument, &valueFollows) : nullptr) {
            // Qt ignores an option whose value is missing.
            platformChosen = platformChosen || (qstrcmp(option->name, "platform") == 0 && i + 1 < arguments.size());
            i += valueFollows ? 1 : 0;
            continue;
        }
        others << argument;
        if (isOption && argument == QLatin1String("--"))
            optionsEnded = true;
        else if (isOption)
            unknownOption = true;
        else
            files << argument;
    }
    if (unknownOption || files.size() > 1)
        return {Kind::Command, {}, others};
    const QString file = files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
    return {displayAvailable || platformChosen ? Kind::Window : Kind::WindowWithoutDisplay, file, {}};
}

Choice choose(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return choose(arguments, displayAvailable());
}

bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

QString windowOptionsHelp()
{
    QString help = CommandLineTr::tr("Options of the window (Qt's own):") + '\n';
    for (const WindowOption& option : windowOptions) {
        const QString value = option.takes == Takes::Nothing  ? QString()
                              : option.takes == Takes::Joined ? QStringLiteral("=<value>")
                                                              : QStringLiteral(" <value>");
        help += QStringLiteral("  -") + QLatin1String(option.name) + value + '\n';
    }
    return help;
}
} // namespace FrontEnd
