#pragma once

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QString>

class QUrl;

/** How a link answered. Many affiliate networks refuse robots, so only a plain "not there" counts as broken. */
enum class LinkVerdict { Working, Broken, Unverified };

struct LinkJudgement {
    LinkVerdict verdict = LinkVerdict::Unverified;
    /** What was seen: "404 Not Found", "unknown host", "no answer within 5 s" ... */
    QString reason;
};

namespace orvanta::links {
/** How the link check and the live short links' check read what a server answered. */
namespace LinkJudging {
/** The user agent every request of the link check sends, so that a click count can leave them out. */
inline constexpr char CheckerAgent[] = "Mozilla/5.0 (compatible; Orvanta link check)";
/** The judgement for an HTTP status seen after the redirects. */
LinkJudgement judgeStatus(int status, const QString& phrase);
/** A short user-facing text: "working", "broken: 404 Not Found" ... */
QString describe(const LinkJudgement& judgement);
/** The judgement for a connection's error; @p text is Qt's own words for it. */
LinkJudgement judgeError(QNetworkReply::NetworkError error, const QString& text);
/** The reply's error, a TLS handshake a server closed named as such. */
QNetworkReply::NetworkError errorOf(const QNetworkReply* reply);
/** The judgement for a reply that ended without an HTTP status. */
LinkJudgement judgeFailure(const QNetworkReply* reply);
/** A request for one hop of @p url: redirects are judged, never followed, and the check names itself. */
QNetworkRequest hopRequest(const QUrl& url);
} // namespace LinkJudging
} // namespace orvanta::links
