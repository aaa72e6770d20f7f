#pragma once

#include "Result.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

/**
 * How far one access log was counted: the digest of its first bytes (up to 4 KB, decompressed) and how many bytes
 * from its start were counted. A rotated log keeps its start, so a copy renamed or gzipped is the same log.
 */
struct LogMark {
    QByteArray head; ///< SHA-256 of the first headBytes bytes
    qint64 headBytes = 0;
    qint64 counted = 0;
    QByteArray firstLine; ///< SHA-256 of the first line, break and all; empty when the head holds no whole line
};

/** Clicks by day, for one slug and channel. */
using ClickDays = QMap<QDate, qint64>;

/**
 * The clicks counted from the site's logs, per slug, channel and UTC day, and which logs were counted how far. It
 * keeps counts only: no address, no agent.
 */
class ClickCounts final {
public:
    /** The counts in @p path; a missing file is none, a damaged one a failure naming it. */
    static Result<ClickCounts> read(const QString& path);
    /** Written whole beside @p path and renamed over it. */
    Result<void> write(const QString& path) const;

    void add(const QString& slug, const QString& channel, const QDate& day, qint64 clicks);
    /** Channel by channel, for @p slug. */
    QMap<QString, ClickDays> of(const QString& slug) const { return m_clicks.value(slug); }
    const QMap<QString, QMap<QString, ClickDays>>& all() const { return m_clicks; }
    /** @p slug's clicks per day on @p channel, or on all its channels together when it is empty. */
    ClickDays daysOf(const QString& slug, const QString& channel = QString()) const;
    /** @p slug's clicks on the days from @p since on (all days when invalid). */
    qint64 total(const QString& slug, const QDate& since = QDate()) const;

    const QList<LogMark>& logs() const { return m_logs; }
    /** Keeps @p mark, replacing the one of the same log at @p replacing if there is one; a longer head stays. */
    void remember(const LogMark& mark, int replacing);

private:
    QMap<QString, QMap<QString, ClickDays>> m_clicks;
    QList<LogMark> m_logs;
};
