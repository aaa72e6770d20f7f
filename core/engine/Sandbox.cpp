#include "Sandbox.h"

#include "EngineTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
QMutex lock;
QString chosenProgram;
std::optional<QString> remembered;

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

QString probe(const QString& bwrap)
{
    if (!QFileInfo(bwrap).isExecutable())
        return EngineTr::tr("The PDF engine ran without its sandbox: bubblewrap (bwrap) is not installed.");
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
    return EngineTr::tr("The PDF engine ran without its sandbox: bubblewrap (%1) could not start: %2").arg(bwrap, why);
}
} // namespace

QString Sandbox::unavailableNote()
{
    const QMutexLocker locked(&lock);
    if (!remembered)
        remembered = probe(program());
    return *remembered;
}

SandboxedCommand Sandbox::wrap(const QString& program, const QStringList& arguments, const SandboxBinds& binds)
{
    const QString note = unavailableNote();
    if (!note.isEmpty())
        return {program, arguments, note};
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
    return {::program(), Sandbox::arguments(withProgram) << program << arguments, {}};
}

// Namespaces of its own for the network, the processes and the rest; no capabilities, even for root. It stays in
// Orvanta's process group, so a stop kills the engine at once, not only through its parent's death. The display is
// out of reach, so a Qt engine draws offscreen.
QStringList Sandbox::arguments(const SandboxBinds& binds)
{
    QStringList arguments{
        QStringLiteral("--unshare-net"), QStringLiteral("--unshare-ipc"),        QStringLiteral("--unshare-pid"),
        QStringLiteral("--unshare-uts"), QStringLiteral("--unshare-cgroup-try"), QStringLiteral("--cap-drop"),
        QStringLiteral("ALL"),           QStringLiteral("--die-with-parent")};
    arguments << systemArguments();
    arguments << QStringLiteral("--proc") << QStringLiteral("/proc") << QStringLiteral("--dev")
              << QStringLiteral("/dev") << QStringLiteral("--tmpfs") << QStringLiteral("/dev/shm")
              << QStringLiteral("--tmpfs") << QStringLiteral("/tmp");
    arguments << bindArguments(binds);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS"})
        arguments << QStringLiteral("--unsetenv") << QLatin1String(name);
    arguments << QStringLiteral("--setenv") << QStringLiteral("QT_QPA_PLATFORM") << QStringLiteral("offscreen")
              << QStringLiteral("--chdir") << QStringLiteral("/tmp") << QStringLiteral("--");
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
