#include "SizedPictureCache.h"

#include <QHash>

SizedPictureCache::SizedPictureCache(qsizetype budgetBytes)
    : m_budget(budgetBytes)
{
}

SizedPictureCache& SizedPictureCache::shared()
{
    static SizedPictureCache cache;
    return cache;
}

// The hash only narrows the search: a copy is handed out for byte-equal sources alone.
std::optional<QByteArray> SizedPictureCache::find(const QByteArray& source, int maxWidthPx, const QByteArray& format)
{
    const size_t hash = qHash(source);
    const QMutexLocker locked(&m_lock);
    for (const Entry& entry : m_entries)
        if (entry.hash == hash && entry.maxWidthPx == maxWidthPx && entry.format == format && entry.source == source)
            return entry.sized;
    return std::nullopt;
}

void SizedPictureCache::keep(const QByteArray& source, int maxWidthPx, const QByteArray& format,
                             const QByteArray& sized)
{
    const qsizetype bytes = source.size() + sized.size();
    if (bytes > m_budget)
        return;
    const QMutexLocker locked(&m_lock);
    while (!m_entries.isEmpty() && m_used + bytes > m_budget) {
        m_used -= m_entries.first().source.size() + m_entries.first().sized.size();
        m_entries.removeFirst();
    }
    m_entries.append({qHash(source), source, maxWidthPx, format, sized});
    m_used += bytes;
}
