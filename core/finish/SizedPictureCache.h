#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>

#include <optional>

/**
 * The sized pictures of the last Creates, by the very bytes they were sized from: a page made again, or its web page
 * after a preview, gets the same smaller copy without decoding its photos again. Shared by every thread.
 */
class SizedPictureCache final {
public:
    /** Together, the sources and sized copies kept stay below this. */
    static constexpr qsizetype DefaultBudgetBytes = 64 * 1024 * 1024;

    explicit SizedPictureCache(qsizetype budgetBytes = DefaultBudgetBytes);
    SizedPictureCache(const SizedPictureCache&) = delete;
    SizedPictureCache& operator=(const SizedPictureCache&) = delete;

    /** The one the pipeline uses. */
    static SizedPictureCache& shared();

    /** The copy sized from exactly @p source to at most @p maxWidthPx under @p format's rules, when kept. */
    std::optional<QByteArray> find(const QByteArray& source, int maxWidthPx, const QByteArray& format);
    /** Keeps @p sized; the oldest go first once the budget is spent, and one larger than it is not kept. */
    void keep(const QByteArray& source, int maxWidthPx, const QByteArray& format, const QByteArray& sized);

private:
    struct Entry {
        size_t hash;
        QByteArray source;
        int maxWidthPx;
        QByteArray format;
        QByteArray sized;
    };

    QMutex m_lock;
    qsizetype m_budget;
    qsizetype m_used = 0;
    /** Oldest first. */
    QList<Entry> m_entries;
};
