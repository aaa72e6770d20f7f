#include "JobSources.h"

#include "LinkRules.h"
#include "ListFile.h"
#include "RunTr.h"
#include "ShortLinkStore.h"

#include <QCoreApplication>

using namespace orvanta::campaign;
using namespace orvanta::links;
using namespace orvanta::run;

namespace orvanta::run {
QList<JobSource> sheetJobs(const Sheet& sheet, const QString& fileName)
{
    QList<JobSource> jobs;
    for (const SheetRow& row : sheet.rows)
        jobs << JobSource{SheetReader::rowName(fileName, row.number), {}, row.campaign, row.problem};
    return jobs;
}

namespace {
std::optional<Campaign> campaignOf(const JobSource& source)
{
    if (!source.problem.isEmpty())
        return std::nullopt;
    if (source.campaign)
        return source.campaign;
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(source.campaignPath);
    return read ? std::optional<Campaign>(read->campaign) : std::nullopt;
}

LiveLink shortLinkOf(const Campaign& campaign, const JobSettings& settings, const LinksTable& table)
{
    bool entryChosen = false;
    const PageFields fields = pageFieldsOf(campaignAsOpened(campaign, settings, &entryChosen));
    const Result<ShortLinkStore::Prepared> prepared = ShortLinkStore::prepare(settings.app, fields, false);
    if (!prepared || prepared->entry.slug.isEmpty())
        return {};
    const LinkEntry& made = prepared->entry;
    // The slug the PDF took, numbered when another PDF had it first.
    const Result<QString> claim = table.claim(fields.slug, made.pdf, made.campaign, made.target);
    const LinkEntry* known = claim ? table.find(*claim) : nullptr;
    if (known && known->link == made.link)
        return {known->slug, known->link, known->target};
    return {made.slug, made.link, made.target};
}
// A list's products' links, as each product's own campaign gives them; none for a list that cannot be made.
QStringList listLinksOf(const JobSource& source, const JobSettings& settings)
{
    QStringList links;
    const Result<ProductList> list = ListFile::read(source.campaignPath);
    for (const ListItem& item : list ? list->items : QList<ListItem>()) {
        const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(item.campaignPath);
        if (read)
            links << linksOf(read->campaign, settings);
    }
    return links;
}
} // namespace

void claimSlugs(QList<JobSource>& sources, const JobSettings& settings)
{
    // A table that cannot be read fails each job that needs it, in the job's own words.
    const Result<LinksTable> read = ShortLinkStore::read(settings.app);
    if (!read)
        return;
    LinksTable claimed = *read;
    for (JobSource& source : sources) {
        const std::optional<Campaign> campaign = campaignOf(source);
        if (!campaign)
            continue;
        bool entryChosen = false;
        const PageFields fields = pageFieldsOf(campaignAsOpened(*campaign, settings, &entryChosen));
        const Result<ShortLinkStore::Prepared> prepared = ShortLinkStore::prepare(settings.app, fields, false);
        if (!prepared || prepared->entry.slug.isEmpty())
            continue;
        LinkEntry entry = prepared->entry;
        const Result<QString> slug = claimed.claim(fields.slug, entry.pdf, entry.campaign, entry.target);
        if (!slug) {
            source.problem = slug.error();
            continue;
        }
        entry.slug = *slug;
        entry.link = LinkRules::linkOf(fields.brand.linkBase, *slug);
        claimed.record(entry);
    }
}

QList<QStringList> linksOfSources(const QList<JobSource>& sources, const JobSettings& settings)
{
    QList<QStringList> links;
    for (const JobSource& source : sources) {
        if (ListFile::isListPath(source.campaignPath) && !source.campaign) {
            links << listLinksOf(source, settings);
            continue;
        }
        const std::optional<Campaign> campaign = campaignOf(source);
        links << (campaign ? linksOf(*campaign, settings) : QStringList());
    }
    return links;
}

QList<LiveLink> shortLinksOfSources(const QList<JobSource>& sources, const JobSettings& settings)
{
    const LinksTable table = ShortLinkStore::read(settings.app).valueOr({});
    QList<LiveLink> links;
    for (const JobSource& source : sources) {
        const std::optional<Campaign> campaign = campaignOf(source);
        links << (campaign ? shortLinkOf(*campaign, settings, table) : LiveLink{});
    }
    return links;
}

QStringList linksToCheck(const QList<QStringList>& links, const QList<LiveLink>& shortLinks)
{
    QStringList all;
    for (const QStringList& sourceLinks : links)
        all << sourceLinks;
    // A re-pointed link's target is the one its buyers reach now.
    for (const LiveLink& shortLink : shortLinks)
        if (!shortLink.target.isEmpty())
            all << shortLink.target;
    return all;
}

LinkReport reportLinks(const QList<QStringList>& links, const LinkCheck& check, const QList<LiveLink>& live)
{
    LinkReport report;
    for (qsizetype i = 0; i < links.size(); ++i) {
        QStringList shown;
        QStringList checked = links.at(i);
        if (i < live.size() && !live.at(i).link.isEmpty())
            checked << live.at(i).link;
        for (const QString& link : std::as_const(checked)) {
            const bool isShort = i < live.size() && link == live.at(i).link;
            const LinkJudgement judgement = isShort ? check.liveJudgement(link) : check.judgement(link);
            shown << QStringLiteral("%1: %2").arg(link, LinkJudging::describe(judgement));
            if (judgement.verdict != LinkVerdict::Working)
                report.notWorking << LinkReport::Finding{i, link, judgement};
        }
        report.shown << shown;
    }
    return report;
}
} // namespace orvanta::run

QStringList LinkReport::lines(const QStringList& names) const
{
    QStringList lines;
    for (const Finding& finding : notWorking)
        lines << RunTr::tr("%1: the link %2 is %3.")
                     .arg(names.at(finding.source), finding.link, LinkJudging::describe(finding.judgement));
    return lines;
}

QStringList LinkReport::brokenLines(const QStringList& labels) const
{
    QStringList lines;
    for (const Finding& finding : notWorking) {
        if (finding.judgement.verdict == LinkVerdict::Broken)
            lines << RunTr::tr("%1: %2 is %3")
                         .arg(labels.at(finding.source), finding.link, LinkJudging::describe(finding.judgement));
    }
    return lines;
}
