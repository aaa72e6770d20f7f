#include "ChromiumBrowser.h"

#include "AppFolder.h"
#include "ChildTie.h"
#include "EngineShared.h"
#include "Leftovers.h"
#include "PdfEngine.h"
#include "Sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <utility>

using namespace orvanta::files;
using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
ChromiumBrowser* theBrowser = nullptr;
bool programEnding = false;

// The program ends: the browser and all it started go with it, and its profile with them.
void endBrowser()
{
    programEnding = true;
    delete theBrowser;
    theBrowser = nullptr;
}

// Above the descriptors a child is given, so moving them to 3 and 4 in the child never overwrites the other one.
int highDescriptor(int fd)
{
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 10);
    ::close(fd);
    return moved;
}

// The browser runs in a session of its own inside its sandbox, so it goes a moment after bubblewrap: until then it
// may still write into its profile, and a folder emptied meanwhile is not removed. Bounded, so a stop never hangs.
void removeProfile(QTemporaryDir* profile)
{
    if (!profile)
        return;
    for (int attempt = 0; attempt < 100 && !profile->remove(); ++attempt)
        ::usleep(10 * 1000);
}

void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (fd >= 0 && done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        done += written;
    }
}

// A page the engines read lies in its job's folder below the process's engine copies: the browser may read them all,
// and each run's requests stay confined to its own folder. Any other page's folder is read alone.
QString readFolderFor(const QString& app, const QString& pageFolder)
{
    const QString folder = QDir::cleanPath(QFileInfo(pageFolder).absoluteFilePath());
    const QString root = QDir::cleanPath(AppFolder::engineCopiesFolder(app));
    return QFileInfo(folder).absolutePath() == root ? root : folder;
}

// The browser reads the folder of the pages it prints and their scripts, not the earlier PDFs and pages beside them.
SandboxBinds browserBinds(const QString& app, const QString& pageFolder, const QString& program, const QString& profile)
{
    SandboxBinds binds{{pageFolder, AppFolder::assetsFolder(app)}, {profile}};
    // A browser outside the system's folders reads its resources beside it.
    const QString folder = QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath();
    if (!folder.startsWith(QLatin1String("/usr/")))
        binds.readable << folder;
    return binds;
}
} // namespace
} // namespace orvanta::engine

ChromiumBrowser& ChromiumBrowser::instance()
{
    if (!theBrowser) {
        theBrowser = new ChromiumBrowser;
        qAddPostRoutine(endBrowser);
    }
    return *theBrowser;
}

ChromiumBrowser* ChromiumBrowser::existing()
{
    return programEnding ? nullptr : theBrowser;
}

void ChromiumBrowser::closeTabOf(int createId)
{
    m_orphanTabs << createId;
}

// The network stays shut behind the page's own refusals too: every host name fails and every connection, loopback
// included, goes to a port that refuses it.
QStringList ChromiumBrowser::arguments(const QString& profile)
{
    QStringList arguments{QStringLiteral("--headless"),
                          QStringLiteral("--remote-debugging-pipe"),
                          QStringLiteral("--user-data-dir=") + profile,
                          QStringLiteral("--no-first-run"),
                          QStringLiteral("--no-default-browser-check"),
                          QStringLiteral("--disable-gpu"),
                          QStringLiteral("--disable-software-rasterizer"),
                          QStringLiteral("--disable-extensions"),
                          QStringLiteral("--disable-background-networking"),
                          QStringLiteral("--disable-component-update"),
                          QStringLiteral("--disable-sync"),
                          QStringLiteral("--disable-default-apps"),
                          QStringLiteral("--disable-breakpad"),
                          QStringLiteral("--disable-dev-shm-usage"),
                          QStringLiteral("--mute-audio"),
                          QStringLiteral("--hide-scrollbars"),
                          QStringLiteral("--disable-site-isolation-trials"),
                          QStringLiteral("--disable-features=site-per-process,IsolateOrigins,Translate,MediaRouter,"
                                         "OptimizationHints,AutofillServerCommunication"),
                          QStringLiteral("--proxy-server=") + refusingProxy(),
                          QStringLiteral("--proxy-bypass-list=<-loopback>"),
                          QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND"),
                          QStringLiteral("--force-webrtc-ip-handling-policy=disable_non_proxied_udp")};
    // The sandbox refuses to run as root; for everyone else it stays.
    if (::geteuid() == 0)
        arguments << QStringLiteral("--no-sandbox");
    return arguments;
}

ChromiumBrowser::ChromiumBrowser()
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&m_process, &QProcess::readyRead, this,
            [this] { m_output = (m_output + m_process.readAll()).right(2000); });
    connect(&m_process, &QProcess::finished, this, &ChromiumBrowser::onProcessFinished);
}

ChromiumBrowser::~ChromiumBrowser()
{
    blockSignals(true);
    stop();
}

Result<void> ChromiumBrowser::ensureRunning(const QString& app, const QString& pageFolder)
{
    const QString folder = readFolderFor(app, pageFolder);
    if (isRunning() && m_app == app && m_pageFolder == folder && QFileInfo(m_profile->path()).isDir())
        return {};
    if (isRunning()) {
        stop();
        Q_EMIT ended(tr("Chromium was started again for %1.").arg(folder));
    }
    return start(app, folder);
}

bool ChromiumBrowser::isRunning() const
{
    return m_process.state() != QProcess::NotRunning && m_toBrowser >= 0;
}

int ChromiumBrowser::send(const QString& method, const QJsonObject& params, const QString& sessionId)
{
    const int id = m_nextId++;
    writeAll(m_toBrowser, devToolsCommand(id, method, params, sessionId));
    return id;
}

qint64 ChromiumBrowser::processId() const
{
    return m_process.processId();
}

Result<void> ChromiumBrowser::start(const QString& app, const QString& pageFolder)
{
    if (const QString refused = Sandbox::refusal(); !refused.isEmpty())
        return fail(refused);
    m_program = chromiumProgram();
    if (m_program.isEmpty())
        return fail(tr("Chromium could not be started: it was not found. Install the package \"chromium\" or set "
                       "ORVANTA_CHROMIUM."));
    const QString temp = AppFolder::tempFolder(app);
    m_profile = std::make_unique<QTemporaryDir>(Leftovers::privateTemplate(temp, QStringLiteral("chromium")));
    if (!QDir().mkpath(temp) || !m_profile->isValid())
        return fail(tr("Chromium could not be started: its profile could not be made in %1.").arg(temp));
    int toBrowser[2];
    int fromBrowser[2];
    if (::pipe2(toBrowser, O_CLOEXEC) != 0)
        return fail(
            tr("Chromium could not be started: no pipe to it (%1).").arg(QString::fromLocal8Bit(strerror(errno))));
    if (::pipe2(fromBrowser, O_CLOEXEC) != 0) {
        ::close(toBrowser[0]);
        ::close(toBrowser[1]);
        return fail(
            tr("Chromium could not be started: no pipe from it (%1).").arg(QString::fromLocal8Bit(strerror(errno))));
    }
    const int childReads = highDescriptor(toBrowser[0]);
    const int childWrites = highDescriptor(fromBrowser[1]);
    m_process.setChildProcessModifier([parent = long(::getpid()), childReads, childWrites] {
        tieChildToParent(parent);
        ::dup2(childReads, 3);
        ::dup2(childWrites, 4);
    });
    m_app = app;
    m_pageFolder = pageFolder;
    m_output.clear();
    m_framer = DevToolsFramer();
    // The pipe's ends at 3 and 4 pass through the sandbox as they are.
    const SandboxedCommand command = Sandbox::wrap(m_program, arguments(m_profile->path()),
                                                   browserBinds(app, pageFolder, m_program, m_profile->path()));
    m_sandboxNote = command.note;
    m_process.start(command.program, command.arguments);
    ::close(childReads);
    ::close(childWrites);
    m_toBrowser = toBrowser[1];
    m_fromBrowser = fromBrowser[0];
    ::fcntl(m_fromBrowser, F_SETFL, ::fcntl(m_fromBrowser, F_GETFL) | O_NONBLOCK);
    m_readable = new QSocketNotifier(m_fromBrowser, QSocketNotifier::Read, this);
    connect(m_readable, &QSocketNotifier::activated, this, &ChromiumBrowser::onReadable);
    if (!m_process.waitForStarted(10000)) {
        const QString why = m_process.errorString();
        stop();
        return fail(tr("Chromium could not be started: %1 (%2)").arg(m_program, why));
    }
    // A tab's crash or end is then said on the browser's own session, also of a tab nobody is attached to.
    send(QStringLiteral("Target.setDiscoverTargets"), {{QStringLiteral("discover"), true}});
    m_spareLosses = 0;
    openSpareTab();
    return {};
}

// A page process takes about a tenth of a second to start. One tab stands ready on a file of the profile's, its
// process started, for the next page to take; each page still has a process of its own, which goes with its tab.
void ChromiumBrowser::openSpareTab()
{
    if (!isRunning() || m_spareCreateId > 0 || !m_spareTargetId.isEmpty())
        return;
    const QString spare = m_profile->filePath(QStringLiteral("spare.html"));
    QFile file(spare);
    if (!file.exists() && (!file.open(QIODevice::WriteOnly) || file.write("<!doctype html><title></title>") < 0))
        return;
    file.close();
    m_spareCreateId =
        send(QStringLiteral("Target.createTarget"), {{QStringLiteral("url"), QUrl::fromLocalFile(spare).toString()}});
}

// A spare still being opened is taken too: opening a second tab beside it would start two page processes at once.
ChromiumBrowser::SpareTab ChromiumBrowser::takeSpareTab()
{
    // A closing tab opens the next spare, which is then taken on its way.
    Q_EMIT tabWanted();
    const SpareTab spare{std::exchange(m_spareTargetId, QString()), std::exchange(m_spareCreateId, 0)};
    if (!spare.targetId.isEmpty() || spare.createId > 0)
        m_spareLosses = 0;
    return spare;
}

// A spare tab whose page process died (out of memory, a crash) would hang the page handed to it: another stands in.
// A browser whose every page process dies at once gets no endless row of new ones.
void ChromiumBrowser::dropDeadSpare(const DevToolsMessage& event)
{
    const bool crashed = event.method == QLatin1String("Target.targetCrashed");
    if (m_spareTargetId.isEmpty() || (!crashed && event.method != QLatin1String("Target.targetDestroyed")) ||
        event.data.value(QLatin1String("targetId")).toString() != m_spareTargetId)
        return;
    if (crashed)
        send(QStringLiteral("Target.closeTarget"), {{QStringLiteral("targetId"), m_spareTargetId}});
    m_spareTargetId.clear();
    if (++m_spareLosses <= MaxSpareLosses)
        openSpareTab();
}

void ChromiumBrowser::closeTab(const QString& targetId)
{
    send(QStringLiteral("Target.closeTarget"), {{QStringLiteral("targetId"), targetId}});
    openSpareTab();
}

void ChromiumBrowser::hold()
{
    ++m_holds;
}

// Said once the caller's call has returned: the run that lets go may be inside a reply of this browser's.
void ChromiumBrowser::release()
{
    if (m_holds > 0 && --m_holds == 0)
        QTimer::singleShot(0, this, [this] {
            if (m_holds == 0)
                Q_EMIT idle();
        });
}

bool ChromiumBrowser::busyElsewhere(const QString& app, const QString& pageFolder) const
{
    return isRunning() && m_holds > 0 && (m_app != app || m_pageFolder != readFolderFor(app, pageFolder));
}

void ChromiumBrowser::stop()
{
    const qint64 pid = m_process.processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.blockSignals(true);
        m_process.kill();
        m_process.waitForFinished(2000);
        m_process.blockSignals(false);
    }
    closePipes();
    m_orphanTabs.clear();
    m_spareCreateId = 0;
    m_spareTargetId.clear();
    removeProfile(m_profile.get());
    m_profile.reset();
}

void ChromiumBrowser::onReadable()
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(m_fromBrowser, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // The browser closed its end: what follows is its process's end.
            if (got == 0 && m_readable)
                m_readable->setEnabled(false);
            return;
        }
        for (const QByteArray& text : m_framer.feed(QByteArray(chunk, got))) {
            const DevToolsMessage message = parseDevToolsMessage(text);
            if (message.kind == DevToolsMessage::Kind::Reply && message.id == m_spareCreateId) {
                m_spareCreateId = 0;
                m_spareTargetId = message.data.value(QLatin1String("targetId")).toString();
            } else if (message.kind == DevToolsMessage::Kind::Reply && m_orphanTabs.removeOne(message.id))
                send(QStringLiteral("Target.closeTarget"),
                     {{QStringLiteral("targetId"), message.data.value(QLatin1String("targetId"))}});
            else if (message.kind == DevToolsMessage::Kind::Reply)
                Q_EMIT replied(message);
            else if (message.kind == DevToolsMessage::Kind::Event) {
                dropDeadSpare(message);
                Q_EMIT notified(message);
            }
        }
    }
}

void ChromiumBrowser::onProcessFinished()
{
    const QString output = QString::fromLocal8Bit(m_output).trimmed().right(500);
    stop();
    const QString why = tr("Chromium (%1) ended unexpectedly.").arg(m_program);
    Q_EMIT ended(output.isEmpty() ? why
                                  : why + QLatin1Char('\n') + tr("Its last output:") + QLatin1Char('\n') + output);
}

void ChromiumBrowser::closePipes()
{
    delete m_readable;
    m_readable = nullptr;
    for (int* fd : {&m_toBrowser, &m_fromBrowser}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}
