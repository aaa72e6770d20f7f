#pragma once

#include "LinkJudgement.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

/** A short link as it stands on the marketer's site, and where the redirect files send it. */
struct LiveLink {
    QString slug;
    QString link;
    QString target;
};

/**
 * Asks each live short link once, without following it, whether it sends a buyer to exactly its target: by an HTTP
 * redirect, or for a static host by its page's meta refresh. Only ever started on the user's request.
 */
class RedirectCheck final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RedirectCheck)

public:
    /** A redirect page is a few hundred bytes; more than this is some other page. */
    static constexpr qint64 MaxPageBytes = 64 * 1024;
    /** The marketer's one site: asked a few at a time, as a browser would. */
    static constexpr int AtOnce = 4;

    explicit RedirectCheck(QObject* parent = nullptr);
    ~RedirectCheck() override;

    void setTimeLimitMs(int ms) { m_timeLimitMs = ms; }
    /** Checks each distinct short link of @p links once; finished() follows, also for none. */
    void start(const QList<LiveLink>& links);
    /** Ends every request; what was not judged stays unverified. finished() follows when it was running. */
    void stop();

    bool isRunning() const { return m_running; }
    int count() const { return int(m_links.size()); }
    int doneCount() const { return m_doneCount; }
    LinkJudgement judgement(const QString& link) const { return m_judgements.value(link); }

    /** Working when @p location is exactly @p live's target, else broken naming both. */
    static LinkJudgement judgeRedirect(const LiveLink& live, const QUrl& location);
    /** The address a page's meta refresh sends to, character references read; empty when it has none. */
    static QString refreshTarget(const QByteArray& page);

Q_SIGNALS:
    void linkChecked(const QString& link);
    void finished();

private:
    struct Request {
        LiveLink live;
        QUrl url;
        QNetworkReply* reply = nullptr;
        QTimer* timer = nullptr;
    };

    void startNext();
    void send(Request* request);
    void onFinished(Request* request, const QByteArray& page);
    LinkJudgement judgeAnswer(Request* request, const QByteArray& page);
    void judge(Request* request, const LinkJudgement& judgement);
    void drop(Request* request);

    QNetworkAccessManager* m_network = nullptr;
    QList<LiveLink> m_links;
    QList<LiveLink> m_waiting;
    QList<Request*> m_active;
    QHash<QString, LinkJudgement> m_judgements;
    int m_doneCount = 0;
    int m_timeLimitMs = 5000;
    bool m_running = false;
};
