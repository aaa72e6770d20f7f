#include "ListJobs.h"

#include "BookPage.h"
#include "BookPrint.h"
#include "Campaign.h"
#include "CreateChecks.h"
#include "CreateJob.h"
#include "Designs.h"
#include "EngineNames.h"
#include "FileToolkit.h"
#include "ListPage.h"
#include "PageLanguage.h"
#include "PagePipeline.h"
#include "PdfName.h"
#include "Rating.h"
#include "RunTr.h"
#include "ShortLinkStore.h"

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::links;
using namespace orvanta::run;

namespace orvanta::run {
namespace {
Failure itemFailure(const QString& path, qsizetype index, const QString& campaign, const QString& problem)
{
    return fail(RunTr::tr("The list %1, item %2 (%3): %4")
                    .arg(quotedPath(path))
                    .arg(index + 1)
                    .arg(quotedPath(campaign), problem));
}

// Each product as its own Create would take it: its checks, and its short link claimed against the table.
Result<Campaign> campaignOf(const ListItem& item)
{
    if (!item.problem.isEmpty())
        return fail(item.problem);
    if (item.campaign)
        return *item.campaign;
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(item.campaignPath);
    if (!read)
        return read.failure();
    return read->campaign;
}

Result<ListProduct> productOf(const ListItem& item, const JobSettings& settings, LinkEntry* shortLink)
{
    const Result<Campaign> campaign = campaignOf(item);
    if (!campaign)
        return campaign.failure();
    bool entryChosen = false;
    const PageFields fields = pageFieldsOf(campaignAsOpened(*campaign, settings, &entryChosen));
    const QString problem = missingInfo(fields, entryChosen);
    if (!problem.isEmpty())
        return fail(problem);
    const Result<ShortLinkStore::Prepared> links = ShortLinkStore::prepare(settings.app, fields, true);
    if (!links)
        return links.failure();
    ListProduct product;
    product.fields = links->shown;
    *shortLink = links->entry;
    product.badge = item.badge;
    product.bestFor = item.bestFor.trimmed().isEmpty() ? fields.bestFor : item.bestFor;
    return product;
}

QString pageProblem(const PageFields& fields)
{
    for (const QString& problem : {pdfNameProblem(fields.pdfFileName), PageLanguage::problem(fields.language),
                                   EngineNames::problem(fields.engine)})
        if (!problem.isEmpty())
            return problem;
    return {};
}
} // namespace

namespace ListJobs {
Result<ListRun> prepare(const QString& path, const JobSettings& settings)
{
    const Result<ProductList> read = ListFile::read(path);
    if (!read)
        return read.failure();
    return prepareList(read.value(), path, settings);
}

Result<ListRun> prepareList(const ProductList& list, const QString& path, const JobSettings& settings)
{
    ListRun run;
    run.list = list;
    const QString problem = ListFile::problem(run.list, path);
    if (!problem.isEmpty())
        return fail(problem);
    run.fields = ListPage::fieldsOf(run.list, ListFile::pdfFileNameOf(run.list, path));
    for (const auto& [chosen, place] :
         {std::pair{settings.design, &run.fields.design}, std::pair{settings.engine, &run.fields.engine},
          std::pair{settings.language, &run.fields.language}})
        if (!chosen.isEmpty())
            *place = chosen;
    const QString bad = pageProblem(run.fields);
    if (!bad.isEmpty())
        return fail(RunTr::tr("The list %1: %2").arg(quotedPath(path), bad));
    for (qsizetype i = 0; i < run.list.items.size(); ++i) {
        const QString campaign = run.list.items.at(i).campaignPath;
        LinkEntry shortLink;
        const Result<ListProduct> product = productOf(run.list.items.at(i), settings, &shortLink);
        if (!product)
            return itemFailure(path, i, campaign, product.error());
        run.products << product.value();
        if (!shortLink.slug.isEmpty())
            run.shortLinks << shortLink;
    }
    return run;
}

Result<BuiltPage> build(const QString& app, const ListRun& run, const PageTarget& target)
{
    if (run.list.kind == ProductList::Kind::Book)
        return BookPage::build(app, run.list, run.products, run.fields, target);
    return ListPage::build(app, run.list, run.products, run.fields, target);
}

void fillOrder(PageOrder& order, const std::shared_ptr<const ListRun>& run, bool numbered)
{
    order.buildPage = [run](const QString& app, const PageTarget& target) { return build(app, *run, target); };
    order.preflightLinks = buyLinks(*run);
    if (run->list.kind != ProductList::Kind::Book)
        return;
    order.paged = true;
    order.options.fitToContent = false;
    if (!numbered)
        return;
    auto passes = std::make_shared<BookPasses>(BookPage::headingsOf(run->list, run->products, run->fields.language));
    order.reprint = [passes](const QString& pdf, const QString& page) { return passes->afterPrint(pdf, page); };
    order.bookMarks = [passes] { return passes->marks(); };
}

QStringList ownPreflight(const QString& app, const ListRun& run, const QString& pdfPath)
{
    if (run.list.kind == ProductList::Kind::Book)
        return preflight::bookPreflight(pdfPath, bookPreflightInput(app, run));
    return preflight::listPreflight(pdfPath, preflightInput(app, run));
}

QStringList buyLinks(const ListRun& run)
{
    QStringList links;
    for (const ListProduct& product : run.products)
        links << product.fields.ctaUrl;
    return links;
}

ListPreflightInput preflightInput(const QString& app, const ListRun& run)
{
    const PageWords words = PageWordTables::of(run.fields.language, Designs::find(app, run.fields.design).words);
    ListPreflightInput input;
    if (!run.list.howWeRanked.trimmed().isEmpty())
        input.methodHeading = ListWordTables::of(words.tag).howWeRanked;
    for (const ListProduct& product : run.products)
        input.products << RankedProduct{ListMarkup::productName(product),
                                        orvanta::campaign::ReviewBlocks::ratingValue(product.fields.rating),
                                        product.badge};
    return input;
}

BookPreflightInput bookPreflightInput(const QString& app, const ListRun& run)
{
    const PageWords words = PageWordTables::of(run.fields.language, Designs::find(app, run.fields.design).words);
    return {BookPage::headingsOf(run.list, run.products, run.fields.language), buyLinks(run), words.disclosure};
}

Result<void> recordShortLinks(const QString& app, const ListRun& run)
{
    for (const LinkEntry& entry : run.shortLinks) {
        const Result<void> recorded = ShortLinkStore::record(app, entry);
        if (!recorded)
            return recorded;
    }
    return {};
}
} // namespace ListJobs
} // namespace orvanta::run
