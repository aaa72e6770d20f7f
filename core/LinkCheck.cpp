#include "LinkCheck.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("LinkCheck", text);
}

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

LinkJudgement judgeError(QNetworkReply::NetworkError error, const QString& text)
{
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return {LinkVerdict::Broken, tr("unknown host")};
    case QNetworkReply::ConnectionRefusedError:
        return {LinkVerdict::Broken, tr("connection refused")};
    case QNetworkReply::SslHandshakeFailedError:
        return {LinkVerdict::Broken, tr("secure connection (TLS) failed")};
    case QNetworkReply::TooManyRedirectsError:
        return {LinkVerdict::Broken, tr("more than %1 redirects").arg(LinkCheck::MaxRedirects)};
    default:
        return {LinkVerdict::Unverified, text};
    }
}
} // namespace

LinkCheck::LinkCheck(QObject* parent)
    : QObject(parent)
{
}

LinkCheck::~LinkCheck()
{
    blockSignals(true);
    stop();
}

LinkJudgement LinkCheck::judgeStatus(int status, const QString& phrase)
{
    const QString seen = phrase.isEmpty() ? QString::number(status) : QStringLiteral("%1 %2").arg(status).arg(phrase);
    if (status >= 200 && status < 300)
        return {LinkVerdict::Working, seen};
    if (status == 404 || status == 410)
        return {LinkVerdict::Broken, seen};
    return {LinkVerdict::Unverified, seen};
}

QString LinkCheck::describe(const LinkJudgement& judgement)
{
    switch (judgement.verdict) {
    case LinkVerdict::Working:
        return tr("working");
    case LinkVerdict::Broken:
        return tr("broken (%1)").arg(judgement.reason);
    case LinkVerdict::Unverified:
        return judgement.reason.isEmpty() ? tr("not checked") : tr("unverified (%1)").arg(judgement.reason);
    }
    return {};
}

void LinkCheck::start(const QStringList& links)
{
    stop();
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
    if (m_running) {
        m_running = false;
        Q_EMIT finished();
    }
}

namespace {
QString serverOf(const QUrl& url)
{
    return url.scheme().toLower() + QLatin1Char('/') + url.host().toLower() + QLatin1Char(':') +
           QString::number(url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80));
}
} // namespace

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
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        m_judgements.insert(link, {LinkVerdict::Broken, tr("not a web address")});
        ++m_doneCount;
        Q_EMIT linkChecked(link);
        return;
    }
    if (isReservedInvalid(url)) {
        m_judgements.insert(link, {LinkVerdict::Broken, tr("unknown host")});
        ++m_doneCount;
        Q_EMIT linkChecked(link);
        return;
    }
    auto* request = new Request{link, serverOf(url), nullptr, new QTimer(this), false};
    request->timer->setSingleShot(true);
    connect(request->timer, &QTimer::timeout, this, [this, request] { onTimeout(request); });
    request->timer->start(m_timeLimitMs);
    m_active << request;
    send(request);
}

void LinkCheck::send(Request* request)
{
    QNetworkRequest get{QUrl(request->link)};
    get.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    get.setMaximumRedirectsAllowed(MaxRedirects);
    get.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Mozilla/5.0 (compatible; Orvanta link check)"));
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
                  judgeStatus(status.toInt(), reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        });
    connect(request->reply, &QNetworkReply::finished, this, [this, request] { onReplyFinished(request); });
}

void LinkCheck::onReplyFinished(Request* request)
{
    QNetworkReply* reply = request->reply;
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && !request->usedGet && headRefused(status.toInt())) {
        request->usedGet = true;
        send(request);
        return;
    }
    if (status.isValid() && reply->error() != QNetworkReply::TooManyRedirectsError)
        judge(request,
              judgeStatus(status.toInt(), reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
    else
        judge(request, judgeError(reply->error(), reply->errorString()));
}

void LinkCheck::onTimeout(Request* request)
{
    request->reply->disconnect(this);
    request->reply->abort();
    request->reply->deleteLater();
    judge(request, {LinkVerdict::Unverified, tr("no answer within %1 s").arg(m_timeLimitMs / 1000.0)});
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
    if (m_running && m_active.isEmpty() && m_waiting.isEmpty()) {
        m_running = false;
        Q_EMIT finished();
    }
}
