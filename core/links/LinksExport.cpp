#include "LinksExport.h"

#include "AppFolder.h"
#include "ClickCounts.h"
#include "CsvText.h"
#include "FileToolkit.h"
#include "LinksTr.h"
#include "ShortLinkStore.h"

#include <QFileInfo>
#include <QUrl>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::links;

namespace {
QByteArray linksCsv(const LinksTable& table)
{
    QByteArray text = CsvText::record({QStringLiteral("Long URL"), QStringLiteral("Short code"),
                                       QStringLiteral("Domain"), QStringLiteral("Title"), QStringLiteral("Tags")});
    // The PDF is what a campaign is known by here, so it is the tag that keeps a campaign's links together.
    for (const LinkEntry& entry : table.entries())
        text += CsvText::record({entry.target, entry.slug, QUrl(entry.link).host(), entry.campaign, entry.pdf});
    return text;
}

QByteArray clicksCsv(const ClickCounts& counts)
{
    QByteArray text = CsvText::record(
        {QStringLiteral("Short code"), QStringLiteral("Channel"), QStringLiteral("Day"), QStringLiteral("Clicks")});
    for (auto slug = counts.all().cbegin(); slug != counts.all().cend(); ++slug)
        for (auto channel = slug->cbegin(); channel != slug->cend(); ++channel)
            for (auto day = channel->cbegin(); day != channel->cend(); ++day)
                text += CsvText::record(
                    {slug.key(), channel.key(), day.key().toString(Qt::ISODate), QString::number(day.value())});
    return text;
}

Result<void> writeCsv(const QString& path, const QByteArray& bytes)
{
    const Result<void> written = replaceBeside(path, bytes, path + QStringLiteral(".XXXXXX"),
                                               QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (written)
        return {};
    return fail(LinksTr::tr("The CSV file %1 could not be written: %2").arg(quotedPath(path), written.error()));
}
} // namespace

namespace orvanta::links {
namespace LinksExport {
QString clicksFileOf(const QString& file)
{
    const QFileInfo info(file);
    return inFolder(info.path(), info.completeBaseName() + QStringLiteral("-clicks.csv"));
}

Result<void> write(const QString& app, const QString& file)
{
    const Result<LinksTable> table = ShortLinkStore::read(app);
    if (!table)
        return table.failure();
    const Result<ClickCounts> counts = ClickCounts::read(AppFolder::clicksPath(app));
    if (!counts)
        return counts.failure();
    const Result<void> links = writeCsv(file, linksCsv(*table));
    return links ? writeCsv(clicksFileOf(file), clicksCsv(*counts)) : links;
}
} // namespace LinksExport
} // namespace orvanta::links
