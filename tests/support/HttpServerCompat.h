#pragma once

#include <QHttpServer>
#include <QHttpServerResponse>
#include <QTcpServer>

/** The few QHttpServer calls that Qt 6.8 changed, said once for both versions the project builds with. */
namespace HttpServerCompat {

/** Listens on a free port of 127.0.0.1; returns the port, or 0 when it could not. */
inline quint16 listenLocally(QHttpServer& server)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    auto* tcp = new QTcpServer(&server);
    if (!tcp->listen(QHostAddress::LocalHost, 0) || !server.bind(tcp)) {
        delete tcp;
        return 0;
    }
    return tcp->serverPort();
#else
    return server.listen(QHostAddress::LocalHost, 0);
#endif
}

inline void addHeader(QHttpServerResponse& response, const QByteArray& name, const QByteArray& value)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QHttpHeaders headers = response.headers();
    headers.append(name, value);
    response.setHeaders(std::move(headers));
#else
    response.addHeader(name, value);
#endif
}

} // namespace HttpServerCompat
