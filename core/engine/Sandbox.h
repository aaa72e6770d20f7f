#pragma once

#include <QString>
#include <QStringList>

/** The folders an engine sees besides the system's programs, libraries and fonts. */
struct SandboxBinds {
    QStringList readable;
    QStringList writable;
};

/** An engine's program as it is started: inside the sandbox, or bare with a note saying so. */
struct SandboxedCommand {
    QString program;
    QStringList arguments;
    /** Empty inside the sandbox; else why not, said once with the run's result. */
    QString note;
    bool sandboxed() const { return note.isEmpty(); }
};

namespace orvanta::engine {
/**
 * The operating system's sandbox every engine runs in (bubblewrap): no network of its own, none of the user's
 * files but the bound folders, a private /tmp, and gone with its parent. Where it cannot start, the engine runs
 * bare and says so.
 */
namespace Sandbox {
/** Empty when the sandbox starts on this system; else the note why not. Tried once, then remembered. */
QString unavailableNote();

/** @p program with @p arguments inside the sandbox with @p binds, or bare with the note when it cannot start. */
SandboxedCommand wrap(const QString& program, const QStringList& arguments, const SandboxBinds& binds);

/** The sandbox's own arguments up to the engine's program, which follows them. */
QStringList arguments(const SandboxBinds& binds);

/**
 * For tests: the program that makes the sandbox, instead of the system's bwrap; an empty one restores it. The
 * next run tries it again.
 */
void useProgram(const QString& program);

/** True when an engine's exit code is the sandbox's report of a signal that ended it. */
bool endedBySignal(int exitCode);
} // namespace Sandbox
} // namespace orvanta::engine
