#include "CreateJob.h"

#include "AppFolder.h"
#include "BoxText.h"
#include "Catalogue.h"
#include "CreateChecks.h"
#include "EngineStarter.h"
#include "FileToolkit.h"
#include "HelperOps.h"
#include "ListJobs.h"
#include "PagePipeline.h"

#include <QDir>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::preflight;
using namespace orvanta::finish;
using namespace orvanta::run;

namespace orvanta::run {
Campaign campaignAsOpened(const Campaign& campaign, const JobSettings& settings, bool* catalogueEntryChosen)
{
    Campaign opened = campaign;
    for (QString* line : {&opened.mainTitle, &opened.bonusHeadline, &opened.productId, &opened.ctaTitle,
                          &opened.ctaText, &opened.ctaUrl, &opened.pdfFileName, &opened.affiliateImageAlt,
                          &opened.bonusImageAlt, &opened.verdict, &opened.price, &opened.bestFor})
        *line = BoxText::line(*line);
    for (QString* box : {&opened.review, &opened.bonusInstructions, &opened.pros, &opened.cons})
        *box = BoxText::multiLine(*box);
    // The window reads the identifier from the product file when the entry is selected, not from the campaign.
    *catalogueEntryChosen =
        !campaign.catalogueEntry.isEmpty() && settings.catalogueEntries.contains(campaign.catalogueEntry);
    if (*catalogueEntryChosen)
        opened.productId = BoxText::line(Catalogue::readProductId(settings.app, campaign.catalogueEntry));
    return opened;
}

QStringList linksOf(const Campaign& campaign, const JobSettings& settings)
{
    bool entryChosen = false;
    const Campaign opened = campaignAsOpened(campaign, settings, &entryChosen);
    const QString delivery =
        entryChosen && !opened.ownBonus ? DeliveryUrl::forProduct(opened.productId) : opened.deliveryUrl.trimmed();
    QStringList links;
    const QString affiliate = taggedAffiliateLink(opened);
    if (!affiliate.isEmpty() && affiliate != QLatin1String("http://"))
        links << affiliate;
    // "Not Available Yet" stands where a bonus has no page yet.
    if (delivery.startsWith(QLatin1String("http"), Qt::CaseInsensitive) && delivery != QLatin1String("http://"))
        links << delivery;
    return links;
}
} // namespace orvanta::run

CreateJob::CreateJob(EngineStarter& engines, const QString& campaignPath, const JobSettings& settings, QObject* parent)
    : CreateJob(engines, JobSource::file(campaignPath), settings, parent)
{
}

CreateJob::CreateJob(EngineStarter& engines, const JobSource& source, const JobSettings& settings, QObject* parent)
    : QObject(parent)
    , m_engines(engines)
    , m_source(source)
    , m_settings(settings)
{
}

// Quietly: whoever listens may be going too.
CreateJob::~CreateJob()
{
    blockSignals(true);
    stop();
}

bool CreateJob::check()
{
    if (!m_source.problem.isEmpty()) {
        fail(m_source.problem);
        return false;
    }
    if (m_source.list || (!m_source.campaign && ListFile::isListPath(m_source.campaignPath)))
        return checkList();
    std::optional<Campaign> campaign = m_source.campaign;
    if (!campaign) {
        const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(m_source.campaignPath);
        if (!read.ok()) {
            fail(read.error());
            return false;
        }
        campaign = read->campaign;
    }
    m_campaign = campaignAsOpened(*campaign, m_settings, &m_entryChosen);
    if (!m_settings.design.isEmpty())
        m_campaign.design = m_settings.design;
    if (!m_settings.engine.isEmpty())
        m_campaign.engine = m_settings.engine;
    if (!m_settings.language.isEmpty())
        m_campaign.language = m_settings.language;
    m_fields = pageFieldsOf(m_campaign);
    const QString problem = missingInfo(m_fields, m_entryChosen);
    if (!problem.isEmpty()) {
        fail(problem);
        return false;
    }
    if (m_fields.bonusInstructions.isEmpty() && m_settings.addBuiltInInstructions)
        m_fields.bonusInstructions =
            BoxText::multiLine(vFile::LoadTextFile(AppFolder::builtInInstructionsPath(m_settings.app)));
    return true;
}

// A list's products are read and checked now, each as its own Create would; its page is built when it starts.
bool CreateJob::checkList()
{
    Result<ListRun> list = m_source.list ? ListJobs::prepareList(*m_source.list, m_source.campaignPath, m_settings)
                                         : ListJobs::prepare(m_source.campaignPath, m_settings);
    if (!list) {
        fail(list.error());
        return false;
    }
    m_fields = list->fields;
    m_campaign.saveWebPage = list->list.saveWebPage;
    m_list = std::make_shared<const ListRun>(std::move(list).value());
    return true;
}

QString CreateJob::pdfPath() const
{
    return inFolder(m_settings.outputFolder, pageNameOf(m_fields.pdfFileName) + QStringLiteral(".pdf"));
}

void CreateJob::start()
{
    if (m_done)
        return;
    m_pipeline = std::make_unique<PagePipeline>(m_engines);
    connect(m_pipeline.get(), &PagePipeline::engineEnded, this, &CreateJob::engineEnded);
    connect(m_pipeline.get(), &PagePipeline::finished, this, &CreateJob::onPipelineFinished);
    PageOrder order;
    order.app = m_settings.app;
    order.fields = m_fields;
    order.catalogueEntryChosen = m_entryChosen;
    order.options = {m_campaign.fitToContent, m_campaign.saveWebPage, m_campaign.optimiseImages};
    order.place = PageOrder::Place::Staging;
    order.outputFolder = m_settings.outputFolder;
    order.timeLimitMs = m_settings.timeLimitMs;
    order.preflight = m_settings.preflight;
    if (m_list)
        ListJobs::fillOrder(order, m_list);
    m_pipeline->start(order);
}

void CreateJob::stop()
{
    if (m_pipeline)
        m_pipeline->stop();
    if (!m_done)
        end(JobOutcome::failed(PagePipeline::stoppedMessage()));
}

void CreateJob::fail(const QString& error)
{
    end(JobOutcome::failed(error));
}

void CreateJob::onPipelineFinished()
{
    const PageResult& result = m_pipeline->result();
    JobOutcome outcome;
    outcome.ok = result.ok();
    outcome.pdfPath = result.pdfPath;
    outcome.error = result.error;
    outcome.preflight = m_pipeline->preflight().lines();
    outcome.engineNote = result.engineNote;
    outcome.accessNote = result.accessNote;
    outcome.unsandboxed = result.unsandboxed;
    outcome.refused = result.refused;
    if (m_list && result.status == PageResult::Status::Made && m_settings.preflight)
        outcome.preflight << ListJobs::ownPreflight(m_settings.app, *m_list, result.pdfPath);
    // The products' short links stand in the PDF now: the table must know them, as their own PDFs would tell it.
    if (m_list && result.status == PageResult::Status::Made) {
        const Result<void> recorded = ListJobs::recordShortLinks(m_settings.app, *m_list);
        if (!recorded) {
            outcome.ok = false;
            outcome.error = tr("The PDF %1 was made. %2").arg(result.pdfPath, recorded.error());
        }
    }
    // The PDF stays where it was made: the preflight reports, it never deletes. A PDF whose engine ran without its
    // sandbox may hold what a hostile page reached, which no check of the PDF can tell.
    if (outcome.ok && m_settings.strictPreflight) {
        const qsizetype failed = outcome.preflight.size();
        QStringList errors;
        if (failed == 1)
            errors << tr("The PDF %1 was made but failed 1 preflight check.").arg(result.pdfPath);
        else if (failed > 1)
            errors << tr("The PDF %1 was made but failed %2 preflight checks.")
                          .arg(result.pdfPath, QString::number(failed));
        if (outcome.unsandboxed)
            errors << tr("The PDF %1 was made, but its engine ran without its sandbox, which a strict preflight "
                         "does not pass. Install bubblewrap, or turn user namespaces on, to make it inside the "
                         "sandbox.")
                          .arg(result.pdfPath);
        outcome.ok = errors.isEmpty();
        outcome.error = errors.join(QLatin1Char(' '));
    }
    end(outcome);
}

void CreateJob::end(const JobOutcome& outcome)
{
    if (m_done)
        return;
    m_done = true;
    m_outcome = outcome;
    Q_EMIT finished();
}
