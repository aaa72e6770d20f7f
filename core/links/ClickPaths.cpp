#include "ClickPaths.h"

#include "LinkRules.h"
#include "RedirectFiles.h"

using namespace orvanta::campaign;
using namespace orvanta::links;

QString ClickPaths::plainChannel()
{
    return QStringLiteral("link");
}

const QList<std::pair<QByteArray, QString>>& ClickPaths::suffixes()
{
    // The names the counts keep, in the order of the channels the pages carry.
    static const QList<std::pair<QByteArray, QString>> channels{
        {LinkRules::channelSuffix(LinkRules::Channel::Button).toLatin1(), QStringLiteral("button")},
        {LinkRules::channelSuffix(LinkRules::Channel::Qr).toLatin1(), QStringLiteral("qr")},
        {LinkRules::channelSuffix(LinkRules::Channel::Web).toLatin1(), QStringLiteral("web")}};
    return channels;
}

ClickPaths::ClickPaths(const QList<LinkEntry>& links)
{
    for (const LinkEntry& link : links) {
        QByteArray path = RedirectFiles::pathOf(link).toUtf8();
        while (path.endsWith('/'))
            path.chop(1);
        m_paths.insert(path, int(m_slugs.size()));
        m_slugs.append(link.slug);
    }
}

int ClickPaths::linkOf(QByteArrayView path) const
{
    return m_paths.value(QByteArray::fromRawData(path.data(), path.size()), -1);
}

ClickPaths::Click ClickPaths::find(QByteArrayView path) const
{
    const qsizetype query = path.indexOf('?');
    if (query >= 0)
        path = path.first(query);
    if (path.endsWith("/index.html"))
        path.chop(10);
    if (path.endsWith('/'))
        path.chop(1);
    if (const int link = linkOf(path); link >= 0)
        return {link, plainChannel()};
    for (const auto& [suffix, channel] : suffixes())
        if (path.endsWith(suffix))
            if (const int link = linkOf(path.chopped(suffix.size())); link >= 0)
                return {link, channel};
    return {};
}
