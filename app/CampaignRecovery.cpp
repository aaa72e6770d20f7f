#include "CampaignRecovery.h"

#include "CampaignController.h"
#include "FileToolkit.h"
#include "Platform.h"
#include "RecentList.h"

#include <QLocale>

using namespace orvanta::files;
using namespace orvanta::campaign;

// The texts are the controller's, in its translation context, as the window has always shown them.

namespace {
constexpr int AutosaveQuietMs = 2000;
} // namespace

CampaignRecovery::CampaignRecovery(CampaignController& campaigns, QWidget& window, Platform& platform,
                                   RecentList& recent, const QString& appFolder)
    : m_campaigns(campaigns)
    , m_window(window)
    , m_platform(platform)
    , m_recent(recent)
    , m_appFolder(appFolder)
    , m_store(appFolder)
{
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(AutosaveQuietMs);
    QObject::connect(&m_quietTimer, &QTimer::timeout, &m_quietTimer, [this] { autosave(); });
}

CampaignRecovery::~CampaignRecovery() = default;

void CampaignRecovery::noteChange()
{
    m_quietTimer.start();
}

void CampaignRecovery::cancelPending()
{
    m_quietTimer.stop();
}

void CampaignRecovery::discard()
{
    m_quietTimer.stop();
    m_writer.wait();
    m_store.discard();
}

bool CampaignRecovery::isKept() const
{
    return m_kept;
}

QString CampaignRecovery::copyPath() const
{
    return m_store.copyPath();
}

bool CampaignRecovery::isIdle() const
{
    return m_writer.isIdle();
}

void CampaignRecovery::autosave()
{
    if (!m_campaigns.isModified())
        return;
    // Only the reading of the controls happens here; the writing runs in the writer's lane.
    const Campaign snapshot = m_campaigns.campaign();
    const QString source = m_campaigns.campaignPath();
    m_writer.run([this, snapshot, source] { return m_store.save(snapshot, source); },
                 [this](const Result<void>& result) { autosaveFinished(result); });
}

void CampaignRecovery::autosaveFinished(const Result<void>& result)
{
    // One message per run of failures, not one every two seconds.
    if (!result.ok() && !m_failed)
        m_platform.showMessage(&m_window,
                               CampaignController::tr("Your changes cannot be kept safe for a restart: %1\n\nSave "
                                                      "the campaign to keep them.")
                                   .arg(result.error()),
                               CampaignController::tr("Error"), MessageIcon::Exclamation);
    m_failed = !result.ok();
}

bool CampaignRecovery::keepNow()
{
    m_kept = true;
    m_quietTimer.stop();
    m_writer.wait();
    if (!m_campaigns.isModified())
        return true;
    // The writer is idle now, so the copy is written here and is whole when this returns.
    const Result<void> result = m_store.save(m_campaigns.campaign(), m_campaigns.campaignPath());
    m_failed = !result.ok();
    return result.ok();
}

void CampaignRecovery::offer()
{
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(m_appFolder);
    bool restored = false;
    // Newest first: that is the work the user last saw.
    for (auto it = orphans.rbegin(); it != orphans.rend(); ++it) {
        const QString name = it->sourcePath.isEmpty()
                                 ? CampaignController::tr("an untitled campaign")
                                 : CampaignController::tr("the campaign %1").arg(quotedPath(it->sourcePath));
        const QString text =
            CampaignController::tr("Orvanta was not closed normally. Unsaved changes to %1, last changed %2, were "
                                   "kept.\n\nDo you want to restore them?")
                .arg(name, QLocale().toString(it->lastChanged, QLocale::LongFormat));
        if (!restored &&
            m_platform.askYesNo(&m_window, text, CampaignController::tr("Restore Campaign"), MessageIcon::Question)) {
            restore(*it);
            restored = true;
        } else {
            keep(*it);
        }
    }
}

void CampaignRecovery::restore(OrphanedCopy& orphan)
{
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(orphan.copyPath, m_appFolder);
    if (!read.ok()) {
        m_platform.showMessage(&m_window, read.error(), CampaignController::tr("Error"), MessageIcon::Exclamation);
        keep(orphan);
        return;
    }
    m_campaigns.fillRecovered(read, orphan.copyPath, orphan.sourcePath);
    // This window's own copy takes over before the old one goes.
    const Result<void> copied = m_store.save(m_campaigns.campaign(), m_campaigns.campaignPath());
    if (copied.ok())
        RecoveryStore::forget(orphan);
    else
        keep(orphan);
}

void CampaignRecovery::keep(OrphanedCopy& orphan)
{
    const Result<QString> kept = RecoveryStore::keep(orphan);
    if (!kept) {
        m_platform.showMessage(&m_window, kept.error(), CampaignController::tr("Error"), MessageIcon::Exclamation);
        return;
    }
    m_recent.add(kept.value());
    m_platform.showMessage(&m_window,
                           CampaignController::tr("The unsaved campaign is kept as %1.\n\nYou can open it any time "
                                                  "with Campaign > Open or Open Recent.")
                               .arg(quotedPath(kept.value())),
                           CampaignController::tr("Info"), MessageIcon::Information);
}
