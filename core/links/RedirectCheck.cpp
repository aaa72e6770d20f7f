#include "RedirectCheck.h"

#include "TimeLimit.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <utility>

using namespace orvanta::links;

namespace orvanta::links {
namespace {
bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QString encoded(const QUrl& url)
{
    return QString::fromUtf8(url.toEncoded());
}

// The few references a page writer uses in an attribute; a page that spells the address otherwise is judged by it.
QString attributeText(QString text)
{
    static const std::pair<const char*, const char*> references[] = {{"&quot;", "\""}, {"&#39;", "'"}, {"&#x27;", "'"},
                                                                     {"&lt;", "<"},    {"&gt;", ">"},  {"&amp;", "&"}};
    for (const auto& [reference, character] : references)
        text.replace(QLatin1String(reference), QLatin1String(character), Qt::CaseInsensitive);
    return text;
}
} // namespace
} // namespace orvanta::links

RedirectCheck::RedirectCheck(QObject* parent)
    : QObject(parent)
{
}

RedirectCheck::~RedirectCheck()
{
    blockSignals(true);
    stop();
}

LinkJudgement RedirectCheck::judgeRedirect(const LiveLink& live, const QUrl& location)
{
    const QUrl target(live.target, QUrl::TolerantMode);
    if (location.toEncoded() == target.toEncoded())
        return {LinkVerdict::Working, tr("redirects to its target")};
    return {LinkVerdict::Broken, tr("it redirects to %1, not to its target %2").arg(encoded(location), live.target)};
}

QString RedirectCheck::refreshTarget(const QByteArray& page)
{
    static const QRegularExpression meta(QStringLiteral("<meta\\b[^>]*\\bhttp-equiv\\s*=\\s*[\"']?refresh\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression content(QStringLiteral("\\bcontent\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression url(QStringLiteral("^\\s*\\d*\\s*[;,]?\\s*url\\s*=\\s*['\"]?([^'\"]*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch tag = meta.match(QString::fromUtf8(page));
    const QRegularExpressionMatch value = content.match(tag.captured());
    if (!tag.hasMatch() || !value.hasMatch())
        return {};
    const QString text = attributeText(value.captured(1).isEmpty() ? value.captured(2) : value.captured(1));
    return url.match(text).captured(1).trimmed();
}

void RedirectCheck::start(const QList<LiveLink>& links)
{
    stop();
    m_links.clear();
    m_judgements.clear();
    for (const LiveLink& live : links)
        if (!live.link.isEmpty() && std::none_of(m_links.cbegin(), m_links.cend(),
                                                 [&live](const LiveLink& known) { return known.link == live.link; }))
            m_links << live;
    m_waiting = m_links;
    m_doneCount = 0;
    m_running = true;
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    startNext();
    if (m_links.isEmpty()) {
        m_running = false;
        Q_EMIT finished();
    }
}

void RedirectCheck::stop()
{
    const QList<Request*> active = std::exchange(m_active, {});
    for (Request* request : active)
        drop(request);
    m_waiting.clear();
    if (std::exchange(m_running, false))
        Q_EMIT finished();
}

void RedirectCheck::startNext()
{
    while (m_running && m_active.size() < AtOnce && !m_waiting.isEmpty()) {
        auto* request = new Request{m_waiting.takeFirst(), {}, nullptr, nullptr};
        request->url = QUrl(request->live.link, QUrl::StrictMode);
        request->timer = startTimeLimit(this, m_timeLimitMs, [this, request] {
            judge(request, {LinkVerdict::Unverified, tr("no answer within %1 s").arg(m_timeLimitMs / 1000.0)});
        });
        m_active << request;
        send(request);
    }
}

void RedirectCheck::send(Request* request)
{
    request->reply = m_network->get(LinkJudging::hopRequest(request->url));
    // Only a redirect page is wanted: a large answer is judged by its beginning, not read whole.
    connect(request->reply, &QNetworkReply::readyRead, this, [this, request] {
        if (request->reply->bytesAvailable() > MaxPageBytes)
            onFinished(request, request->reply->read(MaxPageBytes));
    });
    connect(request->reply, &QNetworkReply::finished, this,
            [this, request] { onFinished(request, request->reply->read(MaxPageBytes)); });
}

void RedirectCheck::onFinished(Request* request, const QByteArray& page)
{
    const LinkJudgement judgement = judgeAnswer(request, page);
    if (judgement.reason.isEmpty()) {
        // The short link's own folder asked with its closing slash, as a static host serves a page's folder.
        request->reply->disconnect(this);
        request->reply->deleteLater();
        request->url = QUrl(request->live.link + QLatin1Char('/'));
        send(request);
        return;
    }
    judge(request, judgement);
}

LinkJudgement RedirectCheck::judgeAnswer(Request* request, const QByteArray& page)
{
    const QNetworkReply* reply = request->reply;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return LinkJudging::judgeFailure(reply);
    const QString phrase = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    if (isRedirect(status.toInt())) {
        const QUrl location = request->url.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        const bool toOwnFolder =
            request->url == QUrl(request->live.link) && location == QUrl(request->live.link + QLatin1Char('/'));
        return toOwnFolder ? LinkJudgement{} : judgeRedirect(request->live, location);
    }
    if (status.toInt() < 200 || status.toInt() >= 300)
        return LinkJudging::judgeStatus(status.toInt(), phrase);
    const QString refresh = refreshTarget(page);
    if (refresh.isEmpty())
        return {LinkVerdict::Broken,
                tr("it answers %1 without redirecting").arg(LinkJudging::judgeStatus(status.toInt(), phrase).reason)};
    return judgeRedirect(request->live, request->url.resolved(QUrl(refresh, QUrl::TolerantMode)));
}

void RedirectCheck::judge(Request* request, const LinkJudgement& judgement)
{
    m_active.removeOne(request);
    m_judgements.insert(request->live.link, judgement);
    const QString link = request->live.link;
    drop(request);
    ++m_doneCount;
    Q_EMIT linkChecked(link);
    startNext();
    if (m_running && m_active.isEmpty() && m_waiting.isEmpty()) {
        m_running = false;
        Q_EMIT finished();
    }
}

void RedirectCheck::drop(Request* request)
{
    if (request->reply) {
        request->reply->disconnect(this);
        request->reply->abort();
        request->reply->deleteLater();
    }
    request->timer->stop();
    request->timer->deleteLater();
    delete request;
}
