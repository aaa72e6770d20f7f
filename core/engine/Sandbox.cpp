#include "Sandbox.h"

#include "EngineTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

using namespace orvanta::files;
using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
QMutex lock;
QString chosenProgram;

// The system's own places first: a test or a user that empties PATH still gets the sandbox.
QString program()
{
    if (!chosenProgram.isEmpty())
        return chosenProgram;
    const QString system = QStandardPaths::findExecutable(QStringLiteral("bwrap"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("bwrap")) : system;
}

// An engine needs the system's programs, libraries and fonts; of /etc only what loading and fonts read, so the
// machine's other settings stay out of reach.
QStringList systemArguments()
{
    QStringList arguments{QStringLiteral("--ro-bind"), QStringLiteral("/usr"), QStringLiteral("/usr")};
    for (const char* top : {"bin", "lib", "lib32", "lib64", "libx32", "sbin"}) {
        const QFileInfo link(QStringLiteral("/") + QLatin1String(top));
        if (link.isSymLink())
            arguments << QStringLiteral("--symlink") << link.symLinkTarget() << link.filePath();
        else if (link.isDir())
            arguments << QStringLiteral("--ro-bind") << link.filePath() << link.filePath();
    }
    for (const char* part :
         {"/etc/fonts", "/etc/ld.so.cache", "/etc/ld.so.conf", "/etc/ld.so.conf.d", "/etc/alternatives",
          "/etc/localtime", "/etc/passwd", "/etc/group", "/etc/nsswitch.conf", "/var/cache/fontconfig"})
        arguments << QStringLiteral("--ro-bind-try") << QLatin1String(part) << QLatin1String(part);
    return arguments;
}

// The more deeply nested a folder, the later it is bound, so a page's read-only copy inside a writable output
// folder stays read-only, and a writable profile inside a read-only temp folder stays writable.
QStringList bindArguments(const SandboxBinds& binds)
{
    QList<std::pair<QString, bool>> folders;
    for (const auto& [paths, writable] : {std::pair(binds.readable, false), std::pair(binds.writable, true)}) {
        for (const QString& path : paths) {
            const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
            if (!path.isEmpty() && QFileInfo::exists(absolute))
                folders.append({absolute, writable});
        }
    }
    std::stable_sort(folders.begin(), folders.end(),
                     [](const auto& a, const auto& b) { return a.first.size() < b.first.size(); });
    QStringList arguments;
    for (const auto& [path, writable] : folders)
        arguments << (writable ? QStringLiteral("--bind") : QStringLiteral("--ro-bind")) << path << path;
    return arguments;
}

const QString SandboxHome = QStringLiteral("/tmp/home");
const QString SandboxRuntime = QStringLiteral("/tmp/runtime");

// Fonts the user installed for themselves, and their own fontconfig settings, as fontconfig finds them below the
// sandbox's home; read-only.
QStringList userFontArguments()
{
    const QString home = QDir::homePath();
    const QString data = qEnvironmentVariable("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    const std::pair<QString, QString> places[] = {
        {data + QStringLiteral("/fonts"), SandboxHome + QStringLiteral("/.local/share/fonts")},
        {home + QStringLiteral("/.fonts"), SandboxHome + QStringLiteral("/.fonts")},
        {config + QStringLiteral("/fontconfig"), SandboxHome + QStringLiteral("/.config/fontconfig")}};
    QStringList arguments;
    for (const auto& [outside, inside] : places) {
        if (QFileInfo(outside).isDir())
            arguments << QStringLiteral("--ro-bind") << outside << inside;
    }
    // Fontconfig's own variables may name a file of the user's; it is read where it is.
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH"}) {
        for (const QString& path : qEnvironmentVariable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            if (QFileInfo(path).isAbsolute())
                arguments << QStringLiteral("--ro-bind-try") << path << path;
        }
    }
    return arguments;
}

// None of the user's environment (tokens, credentials, proxies, the display) goes in: only what an engine reads to
// find its programs, speak the user's language, draw offscreen and find fonts. A home and a runtime folder of its own
// keep what it writes in the sandbox's /tmp.
QStringList environmentArguments()
{
    QStringList arguments{QStringLiteral("--clearenv")};
    const auto set = [&arguments](const QString& name, const QString& value) {
        arguments << QStringLiteral("--setenv") << name << value;
    };
    set(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    set(QStringLiteral("HOME"), SandboxHome);
    set(QStringLiteral("XDG_RUNTIME_DIR"), SandboxRuntime);
    set(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QProcessEnvironment outside = QProcessEnvironment::systemEnvironment();
    bool hasLocale = false;
    for (const QString& name : outside.keys()) {
        if (name == QLatin1String("LANG") || name == QLatin1String("LANGUAGE") ||
            name.startsWith(QLatin1String("LC_")) || name.startsWith(QLatin1String("FONTCONFIG_"))) {
            set(name, outside.value(name));
            hasLocale = hasLocale || name == QLatin1String("LANG") || name == QLatin1String("LC_ALL");
        }
    }
    // An engine in the C locale mangles file names beyond ASCII.
    if (!hasLocale)
        set(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return arguments;
}

// Why the sandbox is out of reach, as the user can act on it: a cause of its own for each remedy.
struct Probe {
    enum class Cause { None, Missing, NoNamespaces, CannotStart };
    Cause cause = Cause::None;
    QString program;
    QString why;
};

Probe probe(const QString& bwrap)
{
    if (!QFileInfo(bwrap).isExecutable())
        return {Probe::Cause::Missing, bwrap, {}};
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(bwrap, Sandbox::arguments({}) << QStringLiteral("/usr/bin/true"));
    const bool ended = process.waitForStarted(5000) && process.waitForFinished(10000);
    if (ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    process.kill();
    QString why = QString::fromLocal8Bit(process.readAll()).trimmed().section(QLatin1Char('\n'), 0, 0);
    if (why.isEmpty())
        why = ended ? EngineTr::tr("exit code %1").arg(process.exitCode()) : process.errorString();
    // bubblewrap says so in several ways, each naming the namespace or its id maps.
    static const QRegularExpression namespaces(QStringLiteral("namespace|uid map|gid map"),
                                               QRegularExpression::CaseInsensitiveOption);
    return {namespaces.match(why).hasMatch() ? Probe::Cause::NoNamespaces : Probe::Cause::CannotStart, bwrap, why};
}

QString noteOf(const Probe& found)
{
    switch (found.cause) {
    case Probe::Cause::None:
        return {};
    case Probe::Cause::Missing:
        return EngineTr::tr("The PDF engine ran without its sandbox: bubblewrap (bwrap) is not installed.");
    case Probe::Cause::NoNamespaces:
    case Probe::Cause::CannotStart:
        break;
    }
    return EngineTr::tr("The PDF engine ran without its sandbox: bubblewrap (%1) could not start: %2")
        .arg(found.program, found.why);
}

QString refusalOf(const Probe& found)
{
    const QString allow = EngineTr::tr("To make PDFs without the sandbox all the same, set %1=1 or tick \"Run the "
                                       "PDF engine without its sandbox\" beside the PDF engine.")
                              .arg(QLatin1String(Sandbox::BareVariable));
    switch (found.cause) {
    case Probe::Cause::None:
        return {};
    case Probe::Cause::Missing:
        return EngineTr::tr("The PDF engine was not started: its sandbox, bubblewrap (%1), is not installed. Install "
                            "bubblewrap (the package \"bubblewrap\"), or point ORVANTA_BWRAP at it.")
                   .arg(found.program.isEmpty() ? QStringLiteral("bwrap") : found.program) +
               QLatin1Char(' ') + allow;
    case Probe::Cause::NoNamespaces:
        return EngineTr::tr("The PDF engine was not started: its sandbox, bubblewrap (%1), could not start because "
                            "user namespaces are off on this system (%2). Turn them on (for example with \"sysctl "
                            "kernel.unprivileged_userns_clone=1\" or a higher user.max_user_namespaces), or run "
                            "Orvanta where they are allowed.")
                   .arg(found.program, found.why) +
               QLatin1Char(' ') + allow;
    case Probe::Cause::CannotStart:
        break;
    }
    return EngineTr::tr("The PDF engine was not started: its sandbox, bubblewrap (%1), could not start: %2. Check "
                        "that bubblewrap is installed whole and ORVANTA_BWRAP, when set, names it.")
               .arg(found.program, found.why) +
           QLatin1Char(' ') + allow;
}

std::optional<Probe> remembered;

const Probe& probed()
{
    if (!remembered)
        remembered = probe(program());
    return *remembered;
}

QSettings engineSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orvanta"), QStringLiteral("orvanta"));
}
const QString bareKey = QStringLiteral("engine/runWithoutSandbox");
} // namespace

QString Sandbox::unavailableNote()
{
    const QMutexLocker locked(&lock);
    return noteOf(probed());
}

QString Sandbox::refusal()
{
    QMutexLocker locked(&lock);
    const Probe found = probed();
    locked.unlock();
    return found.cause == Probe::Cause::None || bareAllowed() ? QString() : refusalOf(found);
}

bool Sandbox::bareAllowed()
{
    return qEnvironmentVariable(BareVariable) == QLatin1String("1") || bareAllowedSetting();
}

bool Sandbox::bareAllowedSetting()
{
    return engineSettings().value(bareKey, false).toBool();
}

Result<void> Sandbox::setBareAllowedSetting(bool allowed)
{
    QSettings settings = engineSettings();
    settings.setValue(bareKey, allowed);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return fail(EngineTr::tr("The setting could not be stored in %1.").arg(settings.fileName()));
    return {};
}

SandboxedCommand Sandbox::wrap(const QString& program, const QStringList& arguments, const SandboxBinds& binds)
{
    const QString note = unavailableNote();
    if (!note.isEmpty()) {
        const QString refused = refusal();
        return {program, arguments, refused.isEmpty() ? note : QString(), refused};
    }
    SandboxBinds withProgram = binds;
    // A program of the system's comes with /usr, one in a bound folder with it; one elsewhere (a converter in bin,
    // or its link) is bound on its own.
    const QString path = QFileInfo(program).absoluteFilePath();
    const auto holds = [&path](const QString& folder) {
        return path.startsWith(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/'));
    };
    if (!holds(QStringLiteral("/usr")) && std::none_of(binds.readable.begin(), binds.readable.end(), holds) &&
        std::none_of(binds.writable.begin(), binds.writable.end(), holds))
        withProgram.readable << program;
    const QMutexLocker locked(&lock);
    return {::program(), Sandbox::arguments(withProgram) << program << arguments, {}, {}};
}

// Namespaces of its own for the network, the processes and the rest; no capabilities, even for root. A session of
// its own, so no engine can type into the terminal Orvanta was started from; a stop still reaches it through the
// sandbox's own process, which it dies with. The display is out of reach, so a Qt engine draws offscreen.
QStringList Sandbox::arguments(const SandboxBinds& binds)
{
    QStringList arguments{
        QStringLiteral("--unshare-net"), QStringLiteral("--unshare-ipc"),        QStringLiteral("--unshare-pid"),
        QStringLiteral("--unshare-uts"), QStringLiteral("--unshare-cgroup-try"), QStringLiteral("--cap-drop"),
        QStringLiteral("ALL"),           QStringLiteral("--die-with-parent"),    QStringLiteral("--new-session")};
    arguments << systemArguments();
    arguments << QStringLiteral("--proc") << QStringLiteral("/proc") << QStringLiteral("--dev")
              << QStringLiteral("/dev") << QStringLiteral("--tmpfs") << QStringLiteral("/dev/shm")
              << QStringLiteral("--tmpfs") << QStringLiteral("/tmp") << QStringLiteral("--dir") << SandboxHome
              << QStringLiteral("--perms") << QStringLiteral("0700") << QStringLiteral("--dir") << SandboxRuntime;
    arguments << userFontArguments() << bindArguments(binds) << environmentArguments();
    arguments << QStringLiteral("--chdir") << QStringLiteral("/tmp") << QStringLiteral("--");
    return arguments;
}

void Sandbox::useProgram(const QString& program)
{
    const QMutexLocker locked(&lock);
    chosenProgram = program;
    remembered.reset();
}

// The sandbox ends with 128 plus the signal's number when a signal ended its engine.
bool Sandbox::endedBySignal(int exitCode)
{
    return exitCode > 128 && exitCode < 128 + 65;
}
} // namespace orvanta::engine
