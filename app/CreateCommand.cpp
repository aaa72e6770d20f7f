#include "CreateCommand.h"

#include "AppFolder.h"
#include "Converter.h"
#include "MainWindow.h"
#include "PageBuilder.h"
#include "PdfName.h"
#include "Platform.h"

#include <QDir>
#include <QFile>

CreateCommand::CreateCommand(MainWindow& window, Platform& platform)
    : QObject(&window)
    , m_window(window)
    , m_platform(platform)
    , m_timeLimitMs(ConverterRun::DefaultTimeLimitMs)
{
}

void CreateCommand::run()
{
    if (isBusy())
        return;
    const std::optional<BuiltPage> page = prepare();
    if (!page) {
        Q_EMIT finished();
        return;
    }
    m_window.setPdfFileName(page->pageName);
    setBusy(true);
    const WriteResult written = WritePage(*page);
    if (!written.ok) {
        setBusy(false);
        showError(written.error);
        Q_EMIT finished();
        return;
    }
    render(*page);
}

void CreateCommand::openOutputFolder()
{
    const QString folder = AppFolder::outputFolder(appFolder());
    QDir().mkpath(folder);
    if (!m_platform.openFolder(folder))
        showError(tr("The output folder could not be opened: %1").arg(folder));
}

bool CreateCommand::isBusy() const
{
    return m_run != nullptr;
}

void CreateCommand::cancel()
{
    if (!m_run)
        return;
    m_run->cancel();
    m_run->deleteLater();
    m_run = nullptr;
    setBusy(false);
    Q_EMIT finished();
}

void CreateCommand::setTimeLimitMs(int ms)
{
    m_timeLimitMs = ms;
}

QString CreateCommand::missingInfo(const PageFields& fields, int selectedBonusIndex)
{
    if (fields.pdfFileName.isEmpty())
        return tr("Please enter a name for the pdf.");
    const QString nameProblem = PdfNameProblem(fields.pdfFileName);
    if (!nameProblem.isEmpty())
        return nameProblem;
    if (fields.affiliateImagePath.isEmpty())
        return tr("Please select an image of the affiliate product that you want to promote (like a product cover "
                  "etc). You can do this from the first tab. ");
    if (selectedBonusIndex == -1 && !fields.ownBonus)
        return tr("Please select a bonus from the list or enable the option to use your own bonus.");
    if (fields.ctaUrl == QLatin1String("http://") || fields.ctaText.isEmpty() || fields.ctaUrl.isEmpty() ||
        fields.ctaTitle.isEmpty())
        return tr("Please complete all the required fields.");
    if (fields.ownBonus && fields.ownBonusImagePath.isEmpty())
        return tr("If you want to use your own bonus, please provide an image for it to use as description.");
    return QString();
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
    return acceptedPage(BuildPage(appFolder(), m_window.pageFields()));
}

bool CreateCommand::passesChecks()
{
    const QString problem = missingInfo(m_window.pageFields(), m_window.selectedBonusIndex());
    if (problem.isEmpty())
        return true;
    m_platform.showMessage(&m_window, problem, tr("Missing Info"), MessageIcon::Information);
    return false;
}

void CreateCommand::offerBuiltInInstructions()
{
    if (!m_window.pageFields().bonusInstructions.isEmpty())
        return;
    const QString question = tr("You are not including bonus download instructions. If you are promoting a JVZoo / "
                                "W+ product is recommended to add them. Would you like to add built-in 'Bonus "
                                "Delivery' instructions for these platforms?");
    if (m_platform.askYesNo(&m_window, question, tr("Bonus Delivery Instructions"), MessageIcon::Question))
        m_window.loadBuiltInInstructions();
}

// The page writer appends, so a page left from an earlier run must go first, hidden ones (a PDF name with a
// leading dot) too. The template is spared in any letter case, since a case-insensitive file system may
// list it as "Template.html".
bool CreateCommand::removeOldPages()
{
    const QString bin = AppFolder::binFolder(appFolder());
    for (const QString& name : AppFolder::listFolder(bin, QStringLiteral("*.html"), true)) {
        if (name.compare(QLatin1String("template.html"), Qt::CaseInsensitive) == 0)
            continue;
        QFile page(bin + QDir::separator() + name);
        if (!page.remove() && page.exists()) {
            showError(tr("The old page %1 could not be deleted: %2").arg(page.fileName(), page.errorString()));
            return false;
        }
    }
    return true;
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

void CreateCommand::render(const BuiltPage& page)
{
    m_run = m_platform.startConverter(ConverterCommand(appFolder(), page.htmlPath, page.pdfPath), page.pdfPath,
                                      m_timeLimitMs, this);
    connect(m_run, &ConverterRun::finished, this, &CreateCommand::onConverterFinished);
    // A run that ended inside its start reported before anyone listened; never stay busy for it.
    if (!m_run->isRunning())
        onConverterFinished(
            {false, tr("The converter could not be started: %1").arg(AppFolder::converterPath(appFolder()))});
}

void CreateCommand::onConverterFinished(const RenderResult& result)
{
    if (m_run)
        m_run->deleteLater();
    m_run = nullptr;
    setBusy(false);
    if (result.ok)
        askOpenOutputFolder();
    else
        showError(result.error);
    Q_EMIT finished();
}

void CreateCommand::askOpenOutputFolder()
{
    if (m_platform.askYesNo(&m_window, tr("Ready. Do you want to open the output folder?"), tr("Done"),
                            MessageIcon::Question))
        openOutputFolder();
}

void CreateCommand::setBusy(bool busy)
{
    if (busy)
        m_window.switchPleaseWaitOn();
    else
        m_window.switchPleaseWaitOff();
    m_window.setCreateButtonsEnabled(!busy);
}

void CreateCommand::showError(const QString& text)
{
    m_platform.showMessage(&m_window, text, tr("Error"), MessageIcon::Exclamation);
}

QString CreateCommand::appFolder() const
{
    return m_window.appFolder();
}
