#pragma once

#include "Result.h"

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
    /** Set when the engine must not run at all: the sandbox cannot start and the user has not allowed it bare. */
    QString refusal;
    bool sandboxed() const { return note.isEmpty(); }
    bool refused() const { return !refusal.isEmpty(); }
};

namespace orvanta::engine {
/**
 * The operating system's sandbox every engine runs in (bubblewrap): no network of its own, none of the user's
 * files but the bound folders, a private /tmp, no terminal, none of the user's environment, and gone with its
 * parent. Where it cannot start, no engine runs, unless the user allowed engines without it; then each run says so.
 */
namespace Sandbox {
/** Empty when the sandbox starts on this system; else the note why not. Tried once, then remembered. */
QString unavailableNote();
/** Empty when an engine may run; else why not and what to do. */
QString refusal();

/** The variable that, set to 1, lets the engines run without their sandbox. */
inline constexpr char BareVariable[] = "ORVANTA_NO_SANDBOX";
/** True when the user allowed engines without their sandbox: by @ref BareVariable or by the stored setting. */
bool bareAllowed();
/** The stored setting alone. */
bool bareAllowedSetting();
/** Stores the setting; a failure names the settings file. */
Result<void> setBareAllowedSetting(bool allowed);

/**
 * @p program with @p arguments inside the sandbox with @p binds; where it cannot start, bare with the note when the
 * user allowed that, else refused.
 */
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
