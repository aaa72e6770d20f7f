#include "CampaignController.h"

#include "FileToolkit.h"
#include "Platform.h"
#include "RecentList.h"

#include <QLocale>
#include <QTimer>

using namespace orvanta::files;
using namespace orvanta::campaign;

// Keeping unsaved work safe for a restart, and offering it back after one.

void CampaignController::autosave()
{
    if (!m_modified)
        return;
    // Only the reading of the controls happens here; the writing runs in the writer's lane.
    const Campaign snapshot = campaign();
    const QString source = m_path;
    m_writer.run([this, snapshot, source] { return m_recovery.save(snapshot, source); },
                 [this](const Result<void>& result) { autosaveFinished(result); });
}

void CampaignController::autosaveFinished(const Result<void>& result)
{
    // One message per run of failures, not one every two seconds.
    if (!result.ok() && !m_autosaveFailed)
        m_platform.showMessage(&m_window,
                               tr("Your changes cannot be kept safe for a restart: %1\n\nSave the campaign to keep "
                                  "them.")
                                   .arg(result.error()),
                               tr("Error"), MessageIcon::Exclamation);
    m_autosaveFailed = !result.ok();
}

void CampaignController::waitForAutosave()
{
    m_writer.wait();
}

bool CampaignController::keepForRecovery()
{
    m_keptForRecovery = true;
    m_autosaveTimer->stop();
    waitForAutosave();
    if (!m_modified)
        return true;
    // The writer is idle now, so the copy is written here and is whole when this returns.
    const Result<void> result = m_recovery.save(campaign(), m_path);
    m_autosaveFailed = !result.ok();
    return result.ok();
}

void CampaignController::offerRecovery()
{
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(m_appFolder);
    bool restored = false;
    // Newest first: that is the work the user last saw.
    for (auto it = orphans.rbegin(); it != orphans.rend(); ++it) {
        const QString name = it->sourcePath.isEmpty() ? tr("an untitled campaign")
                                                      : tr("the campaign %1").arg(quotedPath(it->sourcePath));
        const QString text = tr("Orvanta was not closed normally. Unsaved changes to %1, last changed %2, were "
                                "kept.\n\nDo you want to restore them?")
                                 .arg(name, QLocale().toString(it->lastChanged, QLocale::LongFormat));
        if (!restored && m_platform.askYesNo(&m_window, text, tr("Restore Campaign"), MessageIcon::Question)) {
            restore(*it);
            restored = true;
        } else {
            keep(*it);
        }
    }
}

void CampaignController::restore(OrphanedCopy& orphan)
{
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(orphan.copyPath, m_appFolder);
    if (!read.ok()) {
        m_platform.showMessage(&m_window, read.error(), tr("Error"), MessageIcon::Exclamation);
        keep(orphan);
        return;
    }
    fillFrom(read, orphan.copyPath, orphan.sourcePath, true);
    // This window's own copy takes over before the old one goes.
    const Result<void> copied = m_recovery.save(campaign(), m_path);
    if (copied.ok())
        RecoveryStore::forget(orphan);
    else
        keep(orphan);
}

void CampaignController::keep(OrphanedCopy& orphan)
{
    const Result<QString> kept = RecoveryStore::keep(orphan);
    if (!kept) {
        m_platform.showMessage(&m_window, kept.error(), tr("Error"), MessageIcon::Exclamation);
        return;
    }
    m_recent->add(kept.value());
    m_platform.showMessage(&m_window,
                           tr("The unsaved campaign is kept as %1.\n\nYou can open it any time with Campaign > Open "
                              "or Open Recent.")
                               .arg(quotedPath(kept.value())),
                           tr("Info"), MessageIcon::Information);
}
