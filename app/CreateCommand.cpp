#include "CreateCommand.h"

#include "AppFolder.h"
#include "CreateChecks.h"
#include "CreateSource.h"
#include "Designs.h"
#include "EngineReport.h"
#include "PagePipeline.h"
#include "PdfEngine.h"
#include "Platform.h"

#include <QDir>
#include <QWidget>

#include <utility>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::preflight;

CreateCommand::CreateCommand(CreateSource& source, Platform& platform, const QString& appFolder, QWidget* dialogParent)
    : QObject(dialogParent)
    , m_source(source)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_dialogParent(dialogParent)
    , m_timeLimitMs(PdfRun::DefaultTimeLimitMs)
{
}

void CreateCommand::cmdCreate_Click()
{
    if (isBusy())
        return;
    // The wizard is read once: what is checked is what is made.
    PageOrder order = wizardOrder();
    if (!passesChecks(order) || !acceptsBrandColors(order.fields)) {
        Q_EMIT finished();
        return;
    }
    offerBuiltInInstructions(order.fields);
    RenderPdf(order);
}

void CreateCommand::createPrepared(PageOrder order, AfterMade afterMade)
{
    if (isBusy())
        return;
    const PageOrder wizard = wizardOrder();
    order.app = wizard.app;
    order.outputFolder = wizard.outputFolder;
    order.timeLimitMs = wizard.timeLimitMs;
    order.preflight = true;
    if (!acceptsBrandColors(order.fields)) {
        Q_EMIT finished();
        return;
    }
    m_afterMade = std::move(afterMade);
    RenderPdf(order);
}

void CreateCommand::OpenOutputFolder()
{
    const QString folder = AppFolder::outputFolder(m_appFolder);
    QDir().mkpath(folder);
    if (!m_platform.openFolder(folder))
        showError(tr("The output folder could not be opened: %1").arg(folder));
}

bool CreateCommand::isBusy() const
{
    return m_pipeline != nullptr;
}

void CreateCommand::cancel()
{
    if (m_pipeline)
        m_pipeline->stop();
}

void CreateCommand::setTimeLimitMs(int ms)
{
    m_timeLimitMs = ms;
}

PageOrder CreateCommand::wizardOrder() const
{
    PageOrder order;
    order.app = m_appFolder;
    order.fields = m_source.pageFields();
    order.catalogueEntryChosen = m_source.isCatalogueEntryChosen();
    order.options = m_source.createOptions();
    order.outputFolder = AppFolder::outputFolder(m_appFolder);
    order.timeLimitMs = m_timeLimitMs;
    order.preflight = true;
    return order;
}

bool CreateCommand::passesChecks(const PageOrder& order)
{
    const QString problem = missingInfo(order.fields, order.catalogueEntryChosen);
    if (problem.isEmpty())
        return true;
    m_platform.showMessage(m_dialogParent, problem, tr("Missing Info"), MessageIcon::Information);
    return false;
}

// Named before the page is made, and left as chosen: the user may mean them.
bool CreateCommand::acceptsBrandColors(const PageFields& fields)
{
    const QStringList warnings = contrastWarnings(fields.brand, Designs::find(m_appFolder, fields.design).look);
    if (warnings.isEmpty())
        return true;
    return m_platform.askYesNo(m_dialogParent,
                               tr("Some colours of your brand make text hard to read:\n\n%1\n\nCreate the PDF with "
                                  "these colours anyway?")
                                   .arg(warnings.join(QStringLiteral("\n"))),
                               tr("Brand Colours"), MessageIcon::Question);
}

void CreateCommand::offerBuiltInInstructions(PageFields& fields)
{
    if (!fields.bonusInstructions.isEmpty())
        return;
    if (!m_platform.askYesNo(m_dialogParent, builtInInstructionsQuestion(), tr("Bonus Delivery Instructions"),
                             MessageIcon::Question))
        return;
    m_source.addBuiltInInstructions();
    // As the instructions box gives them back, which is what the page holds.
    fields.bonusInstructions = m_source.pageFields().bonusInstructions;
}

// The pipeline may end inside start(), when the page cannot be built; everything after is reported by finished().
void CreateCommand::RenderPdf(PageOrder order)
{
    m_pipeline = new PagePipeline(m_platform, this);
    connect(m_pipeline, &PagePipeline::pageBuilt, this, &CreateCommand::onPageBuilt);
    connect(m_pipeline, &PagePipeline::finished, this, &CreateCommand::onPipelineFinished);
    // Asked last: the preview may have finished while a question was open.
    order.reusable = m_source.reusablePdf();
    m_pipeline->start(order);
}

void CreateCommand::onPageBuilt()
{
    m_source.showPageName(m_pipeline->page().pageName);
    m_busy = true;
    Q_EMIT busyChanged(true);
}

// A PDF that kept its full length is the PDF as it always was, so the job ends in "Ready" as always.
void CreateCommand::onPipelineFinished()
{
    const PageResult result = m_pipeline->result();
    QStringList details{m_pipeline->preflight().summary()};
    const QStringList engine = engineSaid(result.engineNote, result.refused);
    if (!engine.isEmpty())
        details.prepend(engine.join(QLatin1Char('\n')));
    if (!result.accessNote.isEmpty())
        details.append(result.accessNote);
    m_pipeline->deleteLater();
    m_pipeline = nullptr;
    if (std::exchange(m_busy, false))
        Q_EMIT busyChanged(false);
    if (const AfterMade after = std::exchange(m_afterMade, {}); after && result.status == PageResult::Status::Made) {
        const Result<QStringList> lines = after(result.pdfPath);
        if (!lines) {
            showError(lines.error());
            Q_EMIT finished();
            return;
        }
        details << lines.value();
    }
    switch (result.status) {
    case PageResult::Status::missingInfo:
        m_platform.showMessage(m_dialogParent, result.error, tr("Missing Info"), MessageIcon::Information);
        break;
    case PageResult::Status::Failed:
        showError(result.error);
        break;
    case PageResult::Status::Made:
        // A web page that was asked for and not saved is a failure, never "Ready".
        if (result.error.isEmpty())
            AskOpenOutputFolder(details.join(QStringLiteral("\n\n")).trimmed());
        else
            showError(result.error);
        break;
    case PageResult::Status::Stopped:
        break;
    }
    Q_EMIT finished();
}

// The question keeps its words; which engine stood in and what the preflight found stand below it.
void CreateCommand::AskOpenOutputFolder(const QString& details)
{
    if (m_platform.askYesNoWithDetails(m_dialogParent, tr("Ready. Do you want to open the output folder?"), details,
                                       tr("Done"), MessageIcon::Question))
        OpenOutputFolder();
}

void CreateCommand::showError(const QString& text)
{
    m_platform.showMessage(m_dialogParent, text, tr("Error"), MessageIcon::Exclamation);
}
