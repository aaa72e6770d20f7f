#pragma once

#include <QString>
#include <QStringList>

/** Which of the program's two front ends a start asks for: the window or the command. */
namespace FrontEnd {
enum class Kind {
    Window,
    Command,
    /** The window, where none can be shown: the command line says so. */
    WindowWithoutDisplay,
};

struct Choice {
    Kind kind = Kind::Window;
    /** For the window: the campaign file to open in it, absolute; empty for none. */
    QString campaignFile;
    /** For the command: what it parses, without the window's options when it has no option of its own. */
    QStringList commandArguments;
};

/**
 * The window takes nothing but Qt's own window options and at most one campaign file, as desktop programs open
 * their documents; anything else is the command's, which also names what it does not know.
 */
Choice choose(const QStringList& arguments, bool displayAvailable);
Choice choose(int argc, char* argv[]);

/** False where a window plainly cannot be shown: on Linux, no display named and no Qt platform chosen. */
bool displayAvailable();

/** The help lines listing the Qt options the window takes. */
QString windowOptionsHelp();
} // namespace FrontEnd
