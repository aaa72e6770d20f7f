#pragma once

#include <QByteArrayView>
#include <QHash>

/**
 * Whether a click repeats one from the same address and agent on the same link within 30 seconds, in either order.
 * It keeps a hash per visitor and link, never the address; a log of any length holds at most MaxVisitors of them.
 */
class RepeatWindow final {
public:
    static constexpr qint64 WindowSeconds = 30;
    static constexpr qsizetype MaxVisitors = 200000;

    /** True for a repeat; a click that is none opens its own window. */
    bool isRepeat(QByteArrayView address, QByteArrayView agent, int link, qint64 utcSeconds);

private:
    void prune();

    QHash<size_t, qint64> m_lastClick;
    qint64 m_newest = 0;
};
