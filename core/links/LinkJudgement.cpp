#include "LinkJudgement.h"

#include "LinksTr.h"

#include <QNetworkReply>
#include <QSslCipher>
#include <QSslConfiguration>
#include <QUrl>

using namespace orvanta::links;

namespace orvanta::links {
namespace {
bool isHttps(const QUrl& url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}
} // namespace

namespace LinkJudging {
LinkJudgement judgeStatus(int status, const QString& phrase)
{
    const QString seen = phrase.isEmpty() ? QString::number(status) : QStringLiteral("%1 %2").arg(status).arg(phrase);
    if (status >= 200 && status < 300)
        return {LinkVerdict::Working, seen};
    if (status == 404 || status == 410)
        return {LinkVerdict::Broken, seen};
    return {LinkVerdict::Unverified, seen};
}

QString describe(const LinkJudgement& judgement)
{
    switch (judgement.verdict) {
    case LinkVerdict::Working:
        return LinksTr::tr("working");
    case LinkVerdict::Broken:
        return LinksTr::tr("broken (%1)").arg(judgement.reason);
    case LinkVerdict::Unverified:
        return judgement.reason.isEmpty() ? LinksTr::tr("not checked")
                                          : LinksTr::tr("unverified (%1)").arg(judgement.reason);
    }
    return {};
}

LinkJudgement judgeError(QNetworkReply::NetworkError error, const QString& text)
{
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return {LinkVerdict::Broken, LinksTr::tr("unknown host")};
    case QNetworkReply::ConnectionRefusedError:
        return {LinkVerdict::Broken, LinksTr::tr("connection refused")};
    case QNetworkReply::SslHandshakeFailedError:
        return {LinkVerdict::Broken, LinksTr::tr("secure connection (TLS) failed")};
    default:
        return {LinkVerdict::Unverified, text};
    }
}

// A server that speaks no TLS mostly just closes the connection in the handshake.
QNetworkReply::NetworkError errorOf(const QNetworkReply* reply)
{
    const bool closedInHandshake = reply->error() == QNetworkReply::RemoteHostClosedError && isHttps(reply->url()) &&
                                   reply->sslConfiguration().sessionCipher().isNull();
    return closedInHandshake ? QNetworkReply::SslHandshakeFailedError : reply->error();
}

LinkJudgement judgeFailure(const QNetworkReply* reply)
{
    return judgeError(errorOf(reply), reply->errorString());
}

QNetworkRequest hopRequest(const QUrl& url)
{
    QNetworkRequest get{url};
    get.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    get.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(CheckerAgent));
    return get;
}
} // namespace LinkJudging
} // namespace orvanta::links
