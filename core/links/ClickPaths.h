#pragma once

#include "LinksTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QStringList>

/** Which short link and channel a requested path is, from the links' paths below their base. */
class ClickPaths final {
public:
    /** What a path without a channel's suffix is counted as: the plain short link. */
    static QString plainChannel();
    /** The channels' suffixes after a link's path, and their names in the counts. */
    static const QList<std::pair<QByteArray, QString>>& suffixes();

    explicit ClickPaths(const QList<LinkEntry>& links);

    struct Click {
        int link = -1; ///< index in slugs(); -1 for another path
        QString channel;
    };
    /** @p path as requested, query and all; a folder's slash and its index page answer for the link too. */
    Click find(QByteArrayView path) const;
    const QStringList& slugs() const { return m_slugs; }

private:
    int linkOf(QByteArrayView path) const;

    QHash<QByteArray, int> m_paths;
    QStringList m_slugs;
};
