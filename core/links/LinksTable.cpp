#include "LinksTable.h"

#include "CampaignFields.h"
#include "FileToolkit.h"
#include "LinkRules.h"
#include "LinksTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::links {
namespace {
const auto FormatName = QLatin1String("orvanta-links");
constexpr qint64 MaxTableSize = 64 * 1024 * 1024;
constexpr int KnownVersion = 1;

QJsonObject toJson(const LinkEntry& entry, QJsonObject object)
{
    const std::pair<QString, QString> fields[] = {{CampaignFields::keyOf(&Campaign::slug), entry.slug},
                                                  {QStringLiteral("link"), entry.link},
                                                  {QStringLiteral("target"), entry.target},
                                                  {QStringLiteral("campaign"), entry.campaign},
                                                  {QStringLiteral("pdf"), entry.pdf},
                                                  {QStringLiteral("made"), entry.made.toString(Qt::ISODate)},
                                                  {QStringLiteral("lastCheck"), entry.lastCheck}};
    for (const auto& [key, value] : fields)
        object.insert(key, value);
    object.remove(QStringLiteral("repointed"));
    if (entry.repointed.isValid())
        object.insert(QStringLiteral("repointed"), entry.repointed.toString(Qt::ISODate));
    return object;
}

LinkEntry fromJson(const QJsonObject& object)
{
    const auto text = [&object](const char* key) { return object.value(QLatin1String(key)).toString(); };
    return {object.value(CampaignFields::keyOf(&Campaign::slug)).toString(),
            text("link"),
            text("target"),
            text("campaign"),
            text("pdf"),
            QDateTime::fromString(text("made"), Qt::ISODate),
            QDateTime::fromString(text("repointed"), Qt::ISODate),
            text("lastCheck")};
}

// An entry a hand edit broke would write a bad directive into every server's file.
bool isSound(const LinkEntry& entry)
{
    const Result<QString> target = LinkRules::targetOf(entry.target);
    // Links at a site's root were made before such bases were refused; their exact directives harm no other page.
    const QString base = entry.link.chopped(std::min(entry.slug.size(), entry.link.size()));
    return !entry.slug.isEmpty() && LinkRules::slugProblem(entry.slug).isEmpty() && target.ok() &&
           target.value() == entry.target && entry.link.endsWith(QLatin1Char('/') + entry.slug) &&
           (LinkRules::linkBaseProblem(base).isEmpty() || LinkRules::isSiteRoot(base));
}

QString campaignText(const LinkEntry& entry)
{
    return LinksTr::tr("\"%1\" (PDF \"%2\")").arg(entry.campaign, entry.pdf);
}
} // namespace
} // namespace orvanta::links

using namespace orvanta::links;

Result<LinksTable> LinksTable::read(const QString& path)
{
    const Result<QByteArray> file = readBounded(path, MaxTableSize);
    if (!file && file.failure().is(ReadFailure::Missing))
        return LinksTable();
    const QString name = quotedPath(path);
    if (!file)
        return fail(LinksTr::tr("The short links' table %1 cannot be read: %2").arg(name, file.error()));
    const QJsonObject root = QJsonDocument::fromJson(file.value()).object();
    const auto damaged = [&name](const QString& why) {
        return fail(
            LinksTr::tr("The short links' table %1 is damaged: %2 Orvanta leaves it as it is; mend it or move it "
                        "away.")
                .arg(name, why));
    };
    if (root.value(QStringLiteral("format")).toString() != FormatName)
        return fail(LinksTr::tr("The short links' table %1 is damaged: it is no table Orvanta wrote.").arg(name));
    // A newer Orvanta may keep what this one cannot read back; rewriting the file would lose it.
    if (root.value(QStringLiteral("version")).toInt(KnownVersion) > KnownVersion)
        return fail(LinksTr::tr("The short links' table %1 was written by a newer Orvanta (version %2); use that one, "
                                "or a copy of the table.")
                        .arg(name)
                        .arg(root.value(QStringLiteral("version")).toInt()));
    if (!root.value(QStringLiteral("links")).isArray())
        return damaged(LinksTr::tr("its \"links\" is no list."));
    LinksTable table;
    table.m_rest = root;
    for (const QJsonValue value : root.value(QStringLiteral("links")).toArray()) {
        const LinkEntry entry = fromJson(value.toObject());
        if (!isSound(entry))
            return fail(LinksTr::tr("The short links' table %1 is damaged: the entry \"%2\" is no sound short link.")
                            .arg(name, entry.slug));
        if (table.find(entry.slug))
            return damaged(LinksTr::tr("the short link \"%1\" stands in it twice.").arg(entry.slug));
        table.record(entry);
        table.m_restOf.insert(entry.slug, value.toObject());
    }
    return table;
}

Result<void> LinksTable::write(const QString& path) const
{
    QJsonArray links;
    for (const LinkEntry& entry : m_entries)
        links.append(toJson(entry, m_restOf.value(entry.slug)));
    QJsonObject root = m_rest;
    root.insert(QStringLiteral("format"), FormatName);
    root.insert(QStringLiteral("version"), KnownVersion);
    root.insert(QStringLiteral("links"), links);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const Result<void> written = replaceBeside(
        path, QJsonDocument(root).toJson(QJsonDocument::Indented), path + QStringLiteral(".XXXXXX"),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (written.ok())
        return {};
    return fail(
        LinksTr::tr("The short links' table could not be saved as %1: %2").arg(quotedPath(path), written.error()));
}

const LinkEntry* LinksTable::find(const QString& slug) const
{
    const auto found = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                    [&slug](const LinkEntry& entry) { return entry.slug == slug; });
    return found == m_entries.cend() ? nullptr : &*found;
}

Result<QString> LinksTable::claim(const QString& chosen, const QString& pdf, const QString& campaign,
                                  const QString& target) const
{
    if (!chosen.isEmpty()) {
        const LinkEntry* other = find(chosen);
        if (!other || other->pdf == pdf || other->target == target)
            return chosen;
        return fail(
            LinksTr::tr(
                "The short link \"%1\" already points campaign %2 to %3; campaign %4 would point it to %5. Give one "
                "of them another short link name.")
                .arg(chosen, campaignText(*other), other->target, campaignText({{}, {}, {}, campaign, pdf, {}, {}, {}}),
                     target));
    }
    const QString made = LinkRules::slugFromName(pdf);
    QString slug = made;
    for (int n = 2;; ++n) {
        const LinkEntry* other = find(slug);
        if (!other || other->pdf == pdf)
            return slug;
        slug = made.left(LinkRules::MaxSlugLength - 1 - int(QString::number(n).size())) + QLatin1Char('-') +
               QString::number(n);
    }
}

void LinksTable::record(const LinkEntry& entry)
{
    const auto place = std::lower_bound(m_entries.begin(), m_entries.end(), entry.slug,
                                        [](const LinkEntry& e, const QString& slug) { return e.slug < slug; });
    if (place != m_entries.end() && place->slug == entry.slug)
        *place = entry;
    else
        m_entries.insert(place, entry);
}

Result<void> LinksTable::repoint(const QString& slug, const QString& target, const QDateTime& when)
{
    const auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&slug](const LinkEntry& e) { return e.slug == slug; });
    if (entry == m_entries.end())
        return fail(
            LinksTr::tr("There is no short link \"%1\"; Orvanta makes one when it creates a PDF with a link base.")
                .arg(slug));
    const Result<QString> safe = LinkRules::targetOf(target);
    if (!safe.ok())
        return safe.failure();
    entry->target = safe.value();
    entry->repointed = when;
    entry->lastCheck.clear();
    return {};
}

void LinksTable::setLastCheck(const QString& slug, const QString& text)
{
    for (LinkEntry& entry : m_entries)
        if (entry.slug == slug)
            entry.lastCheck = text;
}
