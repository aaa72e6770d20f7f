#pragma once

#include "ClickCounts.h"
#include "ClickPaths.h"
#include "RepeatWindow.h"

#include "Result.h"

#include <QByteArrayView>
#include <QString>

/** What reading one access log found: every line once, as counted or as the reason it was left out. */
struct ClickTally {
    qint64 lines = 0;
    qint64 earlier = 0; ///< counted by an earlier import of the same log
    qint64 counted = 0;
    qint64 tooLong = 0;
    qint64 unreadable = 0; ///< another format, or not UTF-8
    qint64 otherMethod = 0;
    qint64 otherPath = 0;
    qint64 notAnswered = 0; ///< an error or another status than a redirect or the page
    qint64 checker = 0;
    qint64 crawler = 0;
    qint64 repeat = 0;

    void add(const ClickTally& other);
};

/**
 * Reads combined-format access logs of Apache and nginx, plain or gzipped, line by line, and counts the clicks on
 * the short links into a ClickCounts. Memory stays the same however long the log: a line beyond MaxLineBytes is
 * left out, and repeats are judged within a bounded window.
 */
class AccessLogReader final {
public:
    static constexpr qsizetype MaxLineBytes = 16 * 1024;
    static constexpr qsizetype HeadBytes = 4096;

    AccessLogReader(const ClickPaths& paths, ClickCounts& counts);

    /** What reading one log gave; a truncated or damaged log keeps the lines before the damage, and says so. */
    struct Reading {
        ClickTally tally;
        QString problem; ///< empty when the whole log was read
    };
    /** Counts @p path from where an earlier import of it stopped; a failure when it cannot be opened. */
    Result<Reading> read(const QString& path);

private:
    void takeLine(QByteArrayView line, ClickTally& tally);
    int knownLog(QByteArrayView head) const;

    const ClickPaths& m_paths;
    ClickCounts& m_counts;
    RepeatWindow m_repeats;
};
