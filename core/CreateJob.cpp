#include "CreateJob.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "ConverterStarter.h"
#include "CreateChecks.h"
#include "HelperOps.h"
#include "PagePipeline.h"

#include <QDir>

// The text box keeps every line break as a block and hands them back as LF, which the window turns into CR LF;
// it also gives line and paragraph separators back as LF. No-break spaces stay, as the window keeps them.
QString MultiLineBoxText(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1)
            result += QLatin1String("\r\n");
        else
            result += text.at(i);
    }
    return result;
}

// A one-line box holds at most 32767 characters and cuts what is longer.
QString LineBoxText(const QString& text)
{
    return text.left(32767);
}

PageFields CreateFieldsOf(const Campaign& campaign, const JobSettings& settings, bool* catalogueEntryChosen)
{
    PageFields fields = pageFieldsOf(campaign);
    for (QString* line : {&fields.mainTitle, &fields.bonusHeadline, &fields.rawProductId, &fields.ctaTitle,
                          &fields.ctaText, &fields.ctaUrl, &fields.pdfFileName})
        *line = LineBoxText(*line);
    fields.review = MultiLineBoxText(fields.review);
    fields.bonusInstructions = MultiLineBoxText(fields.bonusInstructions);
    // The window reads the identifier from the product file when the entry is selected, not from the campaign.
    *catalogueEntryChosen =
        !campaign.catalogueEntry.isEmpty() && settings.catalogueEntries.contains(campaign.catalogueEntry);
    if (*catalogueEntryChosen)
        fields.rawProductId = LineBoxText(Catalogue::readProductId(settings.app, campaign.catalogueEntry));
    return fields;
}

CreateJob::CreateJob(const QString& campaignPath, const JobSettings& settings, QObject* parent)
    : QObject(parent)
    , m_campaignPath(campaignPath)
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
    const CampaignFile::ReadResult read = CampaignFile::read(m_campaignPath);
    if (!read.campaign) {
        fail(read.error);
        return false;
    }
    m_campaign = *read.campaign;
    m_fields = CreateFieldsOf(m_campaign, m_settings, &m_entryChosen);
    const QString problem = MissingInfo(m_fields, m_entryChosen);
    if (!problem.isEmpty()) {
        fail(problem);
        return false;
    }
    if (m_fields.bonusInstructions.isEmpty() && m_settings.addBuiltInInstructions)
        m_fields.bonusInstructions =
            MultiLineBoxText(vFile::LoadTextFile(AppFolder::builtInInstructionsPath(m_settings.app)));
    return true;
}

QString CreateJob::pdfPath() const
{
    return m_settings.outputFolder + QDir::separator() + PageNameOf(m_fields.pdfFileName) + QStringLiteral(".pdf");
}

void CreateJob::start()
{
    if (m_done)
        return;
    m_pipeline = std::make_unique<PagePipeline>(ConverterStarter::direct());
    connect(m_pipeline.get(), &PagePipeline::converterEnded, this, &CreateJob::converterEnded);
    connect(m_pipeline.get(), &PagePipeline::finished, this, &CreateJob::onPipelineFinished);
    PageOrder order;
    order.app = m_settings.app;
    order.fields = m_fields;
    order.catalogueEntryChosen = m_entryChosen;
    order.options = {m_campaign.fitToContent, m_campaign.saveWebPage};
    order.place = PageOrder::Place::Staging;
    order.outputFolder = m_settings.outputFolder;
    order.timeLimitMs = m_settings.timeLimitMs;
    m_pipeline->start(order);
}

void CreateJob::stop()
{
    if (m_pipeline)
        m_pipeline->stop();
    if (!m_done)
        end({false, {}, PagePipeline::stoppedMessage()});
}

void CreateJob::fail(const QString& error)
{
    end({false, {}, error});
}

void CreateJob::onPipelineFinished()
{
    const PageResult& result = m_pipeline->result();
    end({result.ok(), result.pdfPath, result.error});
}

void CreateJob::end(const JobOutcome& outcome)
{
    if (m_done)
        return;
    m_done = true;
    m_outcome = outcome;
    Q_EMIT finished();
}
