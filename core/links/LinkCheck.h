#pragma once

#include "LinkJudgement.h"
#include "RedirectCheck.h"

#include <QHash>
#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

/**
 * Requests links on the caller's thread and judges each: HEAD first, GET where HEAD is refused, redirects
 * followed. Only ever started on the user's request: nothing here runs on its own.
 */
class LinkCheck final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkCheck)

public:
    static constexpr int DefaultTimeLimitMs = 5000;
    static constexpr int DefaultAtOnce = 8;
    static constexpr int MaxRedirects = 10;
    /** Qt opens at most six connections to one server; more would wait in its queue while their time runs. */
    static constexpr int MaxPerServer = 6;

    /** At most @p atOnce requests run at a time, each server's share bounded too. */
    explicit LinkCheck(int atOnce = DefaultAtOnce, QObject* parent = nullptr);
    ~LinkCheck() override;

    void setTimeLimitMs(int ms)
    {
        m_timeLimitMs = ms;
        m_live->setTimeLimitMs(ms);
    }

    /**
     * Checks each distinct link of @p links once, and that each short link of @p live redirects to its target;
     * finished() follows both, also for none.
     */
    void start(const QStringList& links, const QList<LiveLink>& live = {});
    /** Ends every request; what was not judged stays unverified. finished() follows. */
    void stop();

    bool isRunning() const { return m_running; }
    int count() const { return int(m_links.size()) + m_live->count(); }
    int doneCount() const { return m_doneCount + m_live->doneCount(); }
    /** The judgement of @p link; unverified with no reason while it is not known. */
    LinkJudgement judgement(const QString& link) const { return m_judgements.value(link); }
    /** Whether the live short link @p link redirects to its target; unverified with no reason while not known. */
    LinkJudgement liveJudgement(const QString& link) const { return m_live->judgement(link); }

Q_SIGNALS:
    void linkChecked(const QString& link);
    void finished();

private:
    struct Request {
        QString link;
        QString server;
        QNetworkReply* reply = nullptr;
        QTimer* timer = nullptr;
        bool usedGet = false;
        /** Where the redirects led: the link itself before the first. */
        QUrl hop;
        int redirects = 0;
    };

    void startNext();
    /** The next waiting link whose server has a free connection, or -1. */
    qsizetype nextStartable() const;
    void startRequest(const QString& link);
    void send(Request* request);
    void onReplyFinished(Request* request);
    void follow(Request* request, const QUrl& target);
    void onTimeout(Request* request);
    void judge(Request* request, const LinkJudgement& judgement);
    /** @p judgement naming the hop it was made at, when a redirect led away from the link. */
    static LinkJudgement atHop(const Request* request, LinkJudgement judgement);
    void finishIfDone();

    QNetworkAccessManager* m_network = nullptr;
    RedirectCheck* m_live;
    QStringList m_links;
    QHash<QString, LinkJudgement> m_judgements;
    QList<Request*> m_active;
    QStringList m_waiting;
    int m_doneCount = 0;
    int m_timeLimitMs = DefaultTimeLimitMs;
    const int m_atOnce;
    bool m_running = false;
};
