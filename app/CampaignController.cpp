#include "CampaignController.h"

#include "AppFolder.h"
#include "BonusPage.h"
#include "CampaignMenu.h"
#include "CampaignRecovery.h"
#include "CreatePage.h"
#include "FileToolkit.h"
#include "HeaderBand.h"
#include "LinksDialog.h"
#include "ListEditor.h"
#include "ListRecovery.h"
#include "Platform.h"
#include "RecentList.h"
#include "ReviewPage.h"
#include "SheetDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QToolButton>

using namespace orvanta::files;
using namespace orvanta::campaign;

CampaignController::CampaignController(QWidget& window, Platform& platform, const QString& appFolder,
                                       const Pages& pages, HeaderBand& header)
    : QObject(&window)
    , m_window(window)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_pages(pages)
    , m_menu(new CampaignMenu(&window, &header))
    , m_recent(new RecentList(window, platform, *m_menu, appFolder, this))
    , m_recovery(std::make_unique<CampaignRecovery>(*this, window, platform, *m_recent, appFolder))
{
    header.addCampaignControls(m_menu);
    // Tab reaches the menu after the page's last control, before it wraps to the step bar.
    QWidget::setTabOrder(pages.create->tabChain().constLast(), m_menu->button());
    connect(m_menu, &CampaignMenu::newRequested, this, &CampaignController::newCampaign);
    connect(m_menu, &CampaignMenu::openRequested, this, &CampaignController::openCampaign);
    connect(m_menu, &CampaignMenu::saveRequested, this, &CampaignController::save);
    connect(m_menu, &CampaignMenu::saveAsRequested, this, &CampaignController::saveAs);
    connect(m_menu, &CampaignMenu::recentRequested, this, &CampaignController::openRecent);
    connect(m_menu, &CampaignMenu::recentAboutToShow, m_recent, &RecentList::refresh);
    connect(m_menu, &CampaignMenu::sheetRequested, this, &CampaignController::openSheetDialog);
    connect(m_menu, &CampaignMenu::newListRequested, this, [this] { openListEditor({}, {}); });
    connect(m_menu, &CampaignMenu::openListRequested, this, &CampaignController::openList);
    connect(m_menu, &CampaignMenu::linksRequested, this, &CampaignController::openLinksDialog);
    connect(m_menu, &CampaignMenu::clearRecentRequested, m_recent, &RecentList::clear);
    // A new window is a new campaign: it starts in the brand kept for new campaigns.
    Campaign fresh = campaign();
    fresh.brand = readDefaultBrand(AppFolder::defaultBrandPath(appFolder));
    if (!fresh.brand.isEmpty())
        m_pages.create->writeFrom(fresh);
    showState();
}

// After the window's first paint: nothing here is needed to show it, and the question needs a window to sit on.
void CampaignController::windowShown()
{
    m_recent->show();
    m_recovery->offer();
    ListRecovery::offer(m_window, m_platform, *m_recent, m_appFolder,
                        [this](const ProductList& list, const QString& path) { return openListEditor(list, path); });
}

CampaignController::~CampaignController()
{
    // A window destroyed without closing keeps its copy, like a crash; a clean one needs none.
    if (!m_modified)
        m_recovery->discard();
}

Campaign CampaignController::campaign() const
{
    Campaign campaign;
    m_pages.review->readInto(campaign);
    m_pages.bonus->readInto(campaign);
    m_pages.create->readInto(campaign);
    campaign.price = m_unshown.price;
    campaign.bestFor = m_unshown.bestFor;
    return campaign;
}

bool CampaignController::isModified() const
{
    return m_modified;
}

QString CampaignController::campaignPath() const
{
    return m_path;
}

QString CampaignController::recoveryCopyPath() const
{
    return m_recovery->copyPath();
}

bool CampaignController::isIdle() const
{
    return m_recovery->isIdle() && m_recent->isIdle();
}

CampaignMenu* CampaignController::menu() const
{
    return m_menu;
}

void CampaignController::openSheetDialog()
{
    auto* dialog = new SheetDialog(m_platform, m_appFolder, campaign(), m_path, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
    dialog->pickSheet();
}

void CampaignController::openLinksDialog()
{
    auto* dialog = new LinksDialog(m_platform, m_appFolder, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

// Beside the wizard, not over it: a list is made of the campaigns the wizard edits.
ListEditor* CampaignController::openListEditor(const ProductList& list, const QString& path)
{
    auto* editor = new ListEditor(m_platform, m_appFolder, m_recent->paths(), &m_window);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowFlag(Qt::Window);
    editor->setList(list, path);
    connect(editor, &ListEditor::saved, m_recent, &RecentList::add);
    editor->show();
    return editor;
}

void CampaignController::openList()
{
    const QString path = m_platform.pickFile(&m_window, tr("Open List"), dialogFolder(),
                                             {tr("Lists (*.%1)").arg(ListFile::extension()), tr("All files (*)")});
    if (!path.isEmpty())
        openListFile(path);
}

void CampaignController::openListFile(const QString& path)
{
    const Result<ProductList> read = ListFile::read(path);
    if (!read) {
        m_platform.showMessage(&m_window, read.error(), tr("Error"), MessageIcon::Exclamation);
        return;
    }
    m_recent->add(path);
    openListEditor(read.value(), path);
}

void CampaignController::noteChange()
{
    if (m_filling)
        return;
    setModified(true);
    m_recovery->noteChange();
}

bool CampaignController::keepForRecovery()
{
    bool kept = m_recovery->keepNow();
    for (ListEditor* editor : m_window.findChildren<ListEditor*>())
        kept = editor->keepForRecovery() && kept;
    return kept;
}

bool CampaignController::closeRequested()
{
    // Ending by a signal: no question that nobody may be there to answer, and the copy stays.
    if (m_recovery->isKept())
        return true;
    // An open list asks about its own changes, and one kept open keeps the window.
    for (ListEditor* editor : m_window.findChildren<ListEditor*>())
        if (editor->isVisible() && !editor->close())
            return false;
    if (!settleUnsavedChanges())
        return false;
    m_recovery->discard();
    return true;
}

bool CampaignController::settleUnsavedChanges()
{
    if (!m_modified)
        return true;
    const QString text = tr("The campaign %1 has unsaved changes.\n\nDo you want to save them?").arg(displayName());
    switch (m_platform.askSaveDiscardCancel(&m_window, text, tr("Unsaved Changes"))) {
    case SaveAnswer::Save:
        return save();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void CampaignController::newCampaign()
{
    if (!settleUnsavedChanges())
        return;
    Campaign fresh;
    fresh.brand = readDefaultBrand(AppFolder::defaultBrandPath(m_appFolder));
    fill(fresh, QString(), false);
}

void CampaignController::openCampaign()
{
    if (!settleUnsavedChanges())
        return;
    const QString path = m_platform.pickFile(&m_window, tr("Open Campaign"), dialogFolder(), fileFilters());
    if (!path.isEmpty())
        openCampaignFile(path);
}

void CampaignController::openCampaignFile(const QString& path)
{
    // Read whole and checked before any field changes.
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(path, m_appFolder);
    if (!read.ok()) {
        m_platform.showMessage(&m_window, read.error(), tr("Error"), MessageIcon::Exclamation);
        return;
    }
    fillFrom(read, path, QFileInfo(path).absoluteFilePath(), false);
    m_recent->add(path);
}

void CampaignController::fillFrom(const Result<CampaignFile::OpenedCampaign>& read, const QString& file,
                                  const QString& path, bool modified)
{
    QStringList missing = read->missing;
    const QString entry = CampaignFile::missingEntry(read->campaign.catalogueEntry);
    // The list may lack an entry whose file is there: it was added after start-up.
    if (!fill(read->campaign, path, modified) && !missing.contains(entry))
        missing << entry;
    if (!missing.isEmpty())
        m_platform.showMessage(&m_window,
                               tr("The campaign %1 was opened, but some of it is missing:\n\n- %2\n\nEverything "
                                  "else was filled in.")
                                   .arg(quotedPath(file), missing.join(QStringLiteral("\n- "))),
                               tr("Info"), MessageIcon::Exclamation);
}

void CampaignController::fillRecovered(const Result<CampaignFile::OpenedCampaign>& read, const QString& copyPath,
                                       const QString& sourcePath)
{
    fillFrom(read, copyPath, sourcePath, true);
}

void CampaignController::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        const QString text = ListFile::isListPath(path)
                                 ? tr("The list %1 is no longer there.\n\nRemove it from the recent campaigns?")
                                 : tr("The campaign %1 is no longer there.\n\nRemove it from the recent campaigns?");
        if (m_platform.askYesNo(&m_window, text.arg(quotedPath(path)), tr("Info"), MessageIcon::Question)) {
            m_recent->remove(path);
        }
        return;
    }
    if (ListFile::isListPath(path))
        openListFile(path);
    else if (settleUnsavedChanges())
        openCampaignFile(path);
}

bool CampaignController::save()
{
    return m_path.isEmpty() ? saveAs() : writeTo(m_path);
}

bool CampaignController::saveAs()
{
    const QString initial = m_path.isEmpty() ? QDir(dialogFolder()).filePath(tr("Campaign.orvanta")) : m_path;
    QString path = m_platform.pickSaveFile(&m_window, tr("Save Campaign As"), initial, fileFilters());
    if (path.isEmpty())
        return false;
    const QString suffix = QLatin1Char('.') + CampaignFile::extension();
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path) &&
            !m_platform.askYesNo(&m_window,
                                 tr("%1 already exists.\n\nDo you want to replace it?").arg(quotedPath(path)),
                                 tr("Save Campaign As"), MessageIcon::Question))
            return false;
    }
    return writeTo(path);
}

bool CampaignController::writeTo(const QString& path)
{
    const Result<void> result = CampaignFile::write(path, campaign());
    if (!result.ok()) {
        m_platform.showMessage(&m_window, result.error(), tr("Error"), MessageIcon::Exclamation);
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_recent->add(m_path);
    setModified(false);
    // The saved file now holds everything the copy did.
    m_recovery->discard();
    return true;
}

bool CampaignController::fill(const Campaign& campaign, const QString& path, bool modified)
{
    m_filling = true;
    m_pages.review->writeFrom(campaign);
    const bool entryFound = m_pages.bonus->writeFrom(campaign);
    m_pages.create->writeFrom(campaign);
    m_unshown = campaign;
    m_filling = false;
    m_path = path;
    // Changes the user discarded must not come back after a crash.
    if (modified)
        m_recovery->cancelPending();
    else
        m_recovery->discard();
    setModified(modified);
    showState();
    return entryFound;
}

void CampaignController::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    showState();
}

void CampaignController::showState()
{
    m_menu->showCampaign(displayName(), m_modified);
}

QString CampaignController::displayName() const
{
    return m_path.isEmpty() ? tr("Untitled") : QFileInfo(m_path).completeBaseName();
}

QStringList CampaignController::fileFilters() const
{
    return {tr("Orvanta campaigns (*.%1)").arg(CampaignFile::extension()), tr("All files (*)")};
}

QString CampaignController::dialogFolder() const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).absolutePath();
    const QStringList recent = m_recent->paths();
    if (!recent.isEmpty())
        return QFileInfo(recent.first()).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
