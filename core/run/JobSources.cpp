#include "JobSources.h"

#include "FileToolkit.h"
#include "LinkRules.h"
#include "ListFile.h"
#include "RunTr.h"
#include "ShortLinkStore.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::links;
using namespace orvanta::run;

namespace orvanta::run {
QList<JobSource> sheetJobs(const Sheet& sheet, const QString& fileName)
{
    QList<JobSource> jobs;
    for (const SheetRow& row : sheet.rows)
        jobs << JobSource{SheetReader::rowName(fileName, row.number), {}, row.campaign, row.problem, {}};
    return jobs;
}

namespace {
int placeOf(const SheetRow* row)
{
    return row->rank > 0 ? row->rank : std::numeric_limits<int>::max();
}

// Why the rows cannot fill @p list; empty when they can.
QString fillingProblem(const QList<const SheetRow*>& rows, const ProductList& list, const QString& fileName,
                       const QString& path)
{
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (rows.at(i)->rank > 0 && rows.at(i)->rank == rows.at(i - 1)->rank)
            return RunTr::tr("%1 and %2 both take the place %3 in the list %4; give each its own rank.")
                .arg(SheetReader::rowName(fileName, rows.at(i - 1)->number),
                     SheetReader::rowName(fileName, rows.at(i)->number))
                .arg(rows.at(i)->rank)
                .arg(quotedPath(path));
    // An own row's values belong to the file's own products, one by one; the sheet's rows are others.
    if (std::any_of(list.rows.cbegin(), list.rows.cend(),
                    [](const ListRow& row) { return row.kind == ListRow::Kind::Own; }))
        return RunTr::tr("The list %1 has rows of its own, with a value for each of its own products; a sheet "
                         "cannot fill it with other products. Please remove those rows or keep the list apart.")
            .arg(quotedPath(path));
    return {};
}

JobSource listJob(const Sheet& sheet, const QString& fileName, const QString& path)
{
    JobSource job{SheetReader::listName(fileName, path), path, std::nullopt, {}, {}};
    const Result<ProductList> read = ListFile::read(path);
    if (!read) {
        job.problem = read.error();
        return job;
    }
    QList<const SheetRow*> rows;
    for (const SheetRow& row : sheet.rows)
        if (row.list == path)
            rows << &row;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const SheetRow* a, const SheetRow* b) { return placeOf(a) < placeOf(b); });
    job.problem = fillingProblem(rows, *read, fileName, path);
    ProductList list = read.value();
    list.items.clear();
    for (const SheetRow* row : rows)
        list.items << ListItem{
            SheetReader::rowName(fileName, row->number), row->badge, {}, {}, row->campaign, row->problem};
    job.list = std::make_shared<const ProductList>(std::move(list));
    return job;
}

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
// A list file's products as their own campaigns give them; none for a list that cannot be read, and none for one a
// sheet fills, whose products are the sheet's own rows.
QList<Campaign> listCampaignsOf(const JobSource& source)
{
    QList<Campaign> campaigns;
    const Result<ProductList> list =
        source.list ? Result<ProductList>(ProductList()) : ListFile::read(source.campaignPath);
    for (const ListItem& item : list ? list->items : QList<ListItem>()) {
        const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(item.campaignPath);
        if (read)
            campaigns << read->campaign;
    }
    return campaigns;
}

bool isListSource(const JobSource& source)
{
    return ListFile::isListPath(source.campaignPath) && !source.campaign;
}
} // namespace

QList<JobSource> sheetListJobs(const Sheet& sheet, const QString& fileName)
{
    QStringList lists;
    for (const SheetRow& row : sheet.rows)
        if (!row.list.isEmpty() && !lists.contains(row.list))
            lists << row.list;
    QList<JobSource> jobs;
    for (const QString& path : std::as_const(lists))
        jobs << listJob(sheet, fileName, path);
    return jobs;
}

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
        if (isListSource(source)) {
            QStringList own;
            for (const Campaign& campaign : listCampaignsOf(source))
                own << linksOf(campaign, settings);
            links << own;
            continue;
        }
        const std::optional<Campaign> campaign = campaignOf(source);
        links << (campaign ? linksOf(*campaign, settings) : QStringList());
    }
    return links;
}

QList<QList<LiveLink>> shortLinksOfSources(const QList<JobSource>& sources, const JobSettings& settings)
{
    const LinksTable table = ShortLinkStore::read(settings.app).valueOr({});
    QList<QList<LiveLink>> links;
    for (const JobSource& source : sources) {
        QList<Campaign> campaigns;
        if (isListSource(source))
            campaigns = listCampaignsOf(source);
        else if (const std::optional<Campaign> campaign = campaignOf(source))
            campaigns = {*campaign};
        QList<LiveLink> own;
        for (const Campaign& each : std::as_const(campaigns))
            if (const LiveLink live = shortLinkOf(each, settings, table); !live.link.isEmpty())
                own << live;
        links << own;
    }
    return links;
}

QList<LiveLink> allOf(const QList<QList<LiveLink>>& shortLinks)
{
    QList<LiveLink> all;
    for (const QList<LiveLink>& own : shortLinks)
        all << own;
    return all;
}

QStringList linksToCheck(const QList<QStringList>& links, const QList<QList<LiveLink>>& shortLinks)
{
    QStringList all;
    for (const QStringList& sourceLinks : links)
        all << sourceLinks;
    // A re-pointed link's target is the one its buyers reach now.
    for (const LiveLink& shortLink : allOf(shortLinks))
        if (!shortLink.target.isEmpty())
            all << shortLink.target;
    return all;
}

LinkReport reportLinks(const QList<QStringList>& links, const LinkCheck& check, const QList<QList<LiveLink>>& live)
{
    LinkReport report;
    for (qsizetype i = 0; i < links.size(); ++i) {
        QStringList shown;
        QStringList checked = links.at(i);
        QStringList shortOnes;
        for (const LiveLink& own : live.value(i))
            shortOnes << own.link;
        checked << shortOnes;
        for (const QString& link : std::as_const(checked)) {
            const LinkJudgement judgement =
                shortOnes.contains(link) ? check.liveJudgement(link) : check.judgement(link);
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
