#include "EngineShared.h"

#include "EngineTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace orvanta::files;
using namespace orvanta::engine;
#endif

namespace orvanta::engine {
namespace {
// A port of the loopback bound for this process's life and never listened on: the kernel refuses every
// connection to it at once, and no other program can take it over.
quint16 reservedRefusingPort()
{
#ifdef Q_OS_UNIX
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket >= 0 && ::bind(socket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        return ntohs(address.sin_port);
    if (socket >= 0)
        ::close(socket);
#endif
    // The discard port: nothing that answers a request listens there on a desktop.
    return 9;
}
} // namespace

QString refusingProxy()
{
    static const QString proxy = QStringLiteral("http://127.0.0.1:%1").arg(reservedRefusingPort());
    return proxy;
}

QStringList splitCommandLine(const QString& commandLine)
{
    return QProcess::splitCommand(commandLine);
}

Result<void> makeOutputFolder(const QString& folder)
{
    if (QDir().mkpath(folder))
        return {};
    return fail(EngineTr::tr("The output folder could not be created: %1").arg(folder));
}

bool isWholePdf(const QByteArray& bytes)
{
    QByteArray trimmed = bytes;
    while (!trimmed.isEmpty() && (trimmed.endsWith('\n') || trimmed.endsWith('\r') || trimmed.endsWith(' ')))
        trimmed.chop(1);
    return trimmed.startsWith("%PDF-") && trimmed.endsWith("%%EOF");
}
} // namespace orvanta::engine
