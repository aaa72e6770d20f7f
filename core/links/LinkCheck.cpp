#include "LinkCheck.h"

#include "LinksTr.h"
#include "TimeLimit.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalBlocker>
#include <QSslCipher>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include <utility>

using namespace orvanta::links;

namespace orvanta::links {
namespace {
// Names that can never exist: judged without asking any name server.
bool isReservedInvalid(const QUrl& url)
{
    const QString host = url.host().toLower();
    return host == QLatin1String("invalid") || host.endsWith(QLatin1String(".invalid"));
}

bool headRefused(int status)
{
    return status == 405 || status == 501 || status == 400 || status == 403;
}

bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool isHttps(const QUrl& url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// Below 200 the reply's errors are the connection's own: no server answered.
bool connectionFailed(QNetworkReply::NetworkError error)
{
    return error > QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

} // namespace
} // namespace orvanta::links

LinkCheck::LinkCheck(int atOnce, QObject* parent)
    : QObject(parent)
    , m_live(new RedirectCheck(this))
    , m_atOnce(atOnce)
{
    connect(m_live, &RedirectCheck::linkChecked, this, &LinkCheck::linkChecked);
    connect(m_live, &RedirectCheck::finished, this, &LinkCheck::finishIfDone);
}

LinkCheck::~LinkCheck()
{
    blockSignals(true);
    stop();
}

void LinkCheck::start(const QStringList& links, const QList<LiveLink>& live)
{
    stop();
    m_live->start(live);
    m_links.clear();
    m_judgements.clear();
    for (const QString& link : links)
        if (!m_links.contains(link))
            m_links << link;
    m_waiting = m_links;
    m_doneCount = 0;
    m_running = true;
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    startNext();
    finishIfDone();
}

void LinkCheck::stop()
{
    const QList<Request*> active = m_active;
    m_active.clear();
    for (Request* request : active) {
        request->reply->disconnect(this);
        request->reply->abort();
        request->reply->deleteLater();
        delete request->timer;
        delete request;
    }
    m_waiting.clear();
    {
        const QSignalBlocker quiet(m_live);
        m_live->stop();
    }
    if (m_running) {
        m_running = false;
        Q_EMIT finished();
    }
}

namespace orvanta::links {
namespace {
QString serverOf(const QUrl& url)
{
    return url.scheme().toLower() + QLatin1Char('/') + url.host().toLower() + QLatin1Char(':') +
           QString::number(url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80));
}
} // namespace
} // namespace orvanta::links

qsizetype LinkCheck::nextStartable() const
{
    QHash<QString, int> busy;
    for (const Request* request : m_active)
        ++busy[request->server];
    for (qsizetype i = 0; i < m_waiting.size(); ++i)
        if (busy.value(serverOf(QUrl(m_waiting.at(i)))) < MaxPerServer)
            return i;
    return -1;
}

void LinkCheck::startNext()
{
    while (m_running && m_active.size() < m_atOnce) {
        const qsizetype next = nextStartable();
        if (next < 0)
            return;
        startRequest(m_waiting.takeAt(next));
    }
}

void LinkCheck::startRequest(const QString& link)
{
    const QUrl url(link, QUrl::StrictMode);
    if (!isWebAddress(url)) {
        m_judgements.insert(link, {LinkVerdict::Broken, LinksTr::tr("not a web address")});
        ++m_doneCount;
        Q_EMIT linkChecked(link);
        return;
    }
    if (isReservedInvalid(url)) {
        m_judgements.insert(link, {LinkVerdict::Broken, LinksTr::tr("unknown host")});
        ++m_doneCount;
        Q_EMIT linkChecked(link);
        return;
    }
    auto* request = new Request{link, serverOf(url), nullptr, nullptr, false, QUrl(link), 0};
    request->timer = startTimeLimit(this, m_timeLimitMs, [this, request] { onTimeout(request); });
    m_active << request;
    send(request);
}

void LinkCheck::send(Request* request)
{
    const QNetworkRequest get = LinkJudging::hopRequest(request->hop);
    request->reply = request->usedGet ? m_network->get(get) : m_network->head(get);
    // A GET only needs its status: the body is not read, the reply goes once the status is known.
    if (request->usedGet)
        connect(request->reply, &QNetworkReply::metaDataChanged, this, [this, request] {
            QNetworkReply* reply = request->reply;
            const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            if (!status.isValid() || reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid())
                return;
            reply->disconnect(this);
            reply->deleteLater();
            judge(request,
                  LinkJudging::judgeStatus(status.toInt(),
                                           reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        });
    connect(request->reply, &QNetworkReply::finished, this, [this, request] { onReplyFinished(request); });
}

void LinkCheck::onReplyFinished(Request* request)
{
    QNetworkReply* reply = request->reply;
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (status.isValid() && target.isValid()) {
        follow(request, target.toUrl());
        return;
    }
    if (status.isValid() && !request->usedGet && headRefused(status.toInt())) {
        request->usedGet = true;
        request->hop = QUrl(request->link);
        request->redirects = 0;
        send(request);
        return;
    }
    const QNetworkReply::NetworkError error = LinkJudging::errorOf(reply);
    if (status.isValid() && !connectionFailed(error))
        judge(request, LinkJudging::judgeStatus(
                           status.toInt(), reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
    else
        judge(request, atHop(request, LinkJudging::judgeError(error, reply->errorString())));
}

// Followed here, hop by hop, so that each hop is looked at first: a name that can never exist is judged without
// asking a name server, and a dead end is judged where it is, not by the redirect that led there.
void LinkCheck::follow(Request* request, const QUrl& target)
{
    const QUrl from = std::exchange(request->hop, request->hop.resolved(target));
    if (++request->redirects > MaxRedirects)
        judge(request, {LinkVerdict::Broken, LinksTr::tr("more than %1 redirects").arg(MaxRedirects)});
    else if (!isWebAddress(request->hop))
        judge(request, atHop(request, {LinkVerdict::Unverified, LinksTr::tr("not a web address")}));
    else if (isReservedInvalid(request->hop))
        judge(request, atHop(request, {LinkVerdict::Broken, LinksTr::tr("unknown host")}));
    else if (isHttps(from) && !isHttps(request->hop))
        judge(request, atHop(request, {LinkVerdict::Unverified, LinksTr::tr("a redirect from https to plain http")}));
    else
        send(request);
}

LinkJudgement LinkCheck::atHop(const Request* request, LinkJudgement judgement)
{
    if (request->hop != QUrl(request->link))
        judgement.reason = LinksTr::tr("%1 at %2").arg(judgement.reason, request->hop.toString());
    return judgement;
}

void LinkCheck::onTimeout(Request* request)
{
    request->reply->disconnect(this);
    request->reply->abort();
    request->reply->deleteLater();
    judge(request,
          atHop(request, {LinkVerdict::Unverified, LinksTr::tr("no answer within %1 s").arg(m_timeLimitMs / 1000.0)}));
}

void LinkCheck::judge(Request* request, const LinkJudgement& judgement)
{
    m_active.removeOne(request);
    m_judgements.insert(request->link, judgement);
    request->timer->stop();
    request->timer->deleteLater();
    const QString link = request->link;
    delete request;
    ++m_doneCount;
    Q_EMIT linkChecked(link);
    startNext();
    finishIfDone();
}

void LinkCheck::finishIfDone()
{
    if (m_running && m_active.isEmpty() && m_waiting.isEmpty() && !m_live->isRunning()) {
        m_running = false;
        Q_EMIT finished();
    }
}
