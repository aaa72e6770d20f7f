#include "CreateCommand.h"

#include "AppFolder.h"
#include "Converter.h"
#include "CreateChecks.h"
#include "CreateSource.h"
#include "FinishPdf.h"
#include "PageBuilder.h"
#include "Platform.h"

#include <QDir>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

CreateCommand::CreateCommand(CreateSource& source, Platform& platform, const QString& appFolder, QWidget* dialogParent)
    : QObject(dialogParent)
    , m_source(source)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_dialogParent(dialogParent)
    , m_finishing(new QFutureWatcher<FinishResult>(this))
    , m_timeLimitMs(ConverterRun::DefaultTimeLimitMs)
{
    connect(m_finishing, &QFutureWatcher<FinishResult>::finished, this, &CreateCommand::onPdfFinished);
}

void CreateCommand::cmdCreate_Click()
{
    if (isBusy())
        return;
    const std::optional<BuiltPage> page = prepare();
    if (!page) {
        Q_EMIT finished();
        return;
    }
    m_source.showPageName(page->pageName);
    Q_EMIT busyChanged(true);
    const WriteResult written = WritePage(*page);
    if (!written.ok) {
        Q_EMIT busyChanged(false);
        showError(written.error);
        Q_EMIT finished();
        return;
    }
    m_page = page;
    RenderPdf(*page);
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
    return m_run != nullptr || m_page.has_value();
}

// The converter is stopped; a PDF already being fitted is whole and takes a moment, so it is let finish.
void CreateCommand::cancel()
{
    if (!isBusy())
        return;
    if (m_run)
        m_run->cancel();
    else
        m_finishing->waitForFinished();
    endRun();
    Q_EMIT finished();
}

void CreateCommand::setTimeLimitMs(int ms)
{
    m_timeLimitMs = ms;
}

// Everything before the busy state; any stop here leaves the window idle.
std::optional<BuiltPage> CreateCommand::prepare()
{
    if (!passesChecks())
        return std::nullopt;
    offerBuiltInInstructions();
    if (!removeOldPages())
        return std::nullopt;
    // Read again: the built-in instructions may have just been added.
    return acceptedPage(BuildPage(m_appFolder, m_source.pageFields()));
}

bool CreateCommand::passesChecks()
{
    const QString problem = MissingInfo(m_source.pageFields(), m_source.isCatalogueEntryChosen());
    if (problem.isEmpty())
        return true;
    m_platform.showMessage(m_dialogParent, problem, tr("Missing Info"), MessageIcon::Information);
    return false;
}

void CreateCommand::offerBuiltInInstructions()
{
    if (!m_source.pageFields().bonusInstructions.isEmpty())
        return;
    if (m_platform.askYesNo(m_dialogParent, BuiltInInstructionsQuestion(), tr("Bonus Delivery Instructions"),
                            MessageIcon::Question))
        m_source.addBuiltInInstructions();
}

bool CreateCommand::removeOldPages()
{
    const RemoveResult removed = RemoveOldPages(AppFolder::binFolder(m_appFolder));
    if (!removed.ok)
        showError(removed.error);
    return removed.ok;
}

std::optional<BuiltPage> CreateCommand::acceptedPage(const BuildResult& built)
{
    switch (built.status) {
    case BuildResult::Status::Built:
        return built.page;
    case BuildResult::Status::BonusImageMissing:
        // The words alone do not say which of the two images, or which product, is missing.
        showError(tr("Target file not found.") + QLatin1Char('\n') + built.error);
        return std::nullopt;
    case BuildResult::Status::FileError:
        showError(built.error);
        return std::nullopt;
    }
    return std::nullopt;
}

// A converter that cannot start reports through finished() like any other run.
void CreateCommand::RenderPdf(const BuiltPage& page)
{
    m_run = m_platform.startConverter(ConverterCommand(m_appFolder, page.htmlPath, page.pdfPath), page.pdfPath,
                                      m_timeLimitMs, this);
    connect(m_run, &ConverterRun::finished, this, &CreateCommand::onConverterFinished);
}

void CreateCommand::onConverterFinished(const RenderResult& result)
{
    if (result.ok && m_page) {
        finishPdf(*m_page);
        return;
    }
    endRun();
    showError(result.error);
    Q_EMIT finished();
}

void CreateCommand::finishPdf(const BuiltPage& page)
{
    if (m_run)
        m_run->deleteLater();
    m_run = nullptr;
    m_finishing->setFuture(QtConcurrent::run(FinishPdf, m_appFolder, page, m_source.createOptions(),
                                             AppFolder::outputFolder(m_appFolder)));
}

// A PDF that kept its full length is the PDF as it always was, so the job ends in "Ready" as always.
void CreateCommand::onPdfFinished()
{
    if (!m_page)
        return; // cancelled while the PDF was fitted
    const FinishResult result = m_finishing->result();
    endRun();
    if (!result.ok)
        showError(result.error);
    AskOpenOutputFolder();
    Q_EMIT finished();
}

void CreateCommand::AskOpenOutputFolder()
{
    if (m_platform.askYesNo(m_dialogParent, tr("Ready. Do you want to open the output folder?"), tr("Done"),
                            MessageIcon::Question))
        OpenOutputFolder();
}

void CreateCommand::endRun()
{
    if (m_run)
        m_run->deleteLater();
    m_run = nullptr;
    m_page.reset();
    Q_EMIT busyChanged(false);
}

void CreateCommand::showError(const QString& text)
{
    m_platform.showMessage(m_dialogParent, text, tr("Error"), MessageIcon::Exclamation);
}
