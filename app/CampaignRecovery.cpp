#include "CampaignRecovery.h"

#include "CampaignController.h"
#include "FileToolkit.h"
#include "Platform.h"
#include "RecentList.h"

#include <QLocale>

using namespace orvanta::files;
using namespace orvanta::campaign;

// The texts are the controller's, in its translation context, as the window has always shown them.

CampaignRecovery::CampaignRecovery(CampaignController& campaigns, QWidget& window, Platform& platform,
                                   RecentList& recent, const QString& appFolder)
    : m_campaigns(campaigns)
    , m_window(window)
    , m_platform(platform)
    , m_recent(recent)
    , m_appFolder(appFolder)
    , m_store(appFolder)
    , m_copy([this] { return take(); },
             [this](const QString& error) {
                 m_platform.showMessage(&m_window,
                                        CampaignController::tr("Your changes cannot be kept safe for a restart: "
                                                               "%1\n\nSave the campaign to keep them.")
                                            .arg(error),
                                        CampaignController::tr("Error"), MessageIcon::Exclamation);
             })
{
}

CampaignRecovery::~CampaignRecovery() = default;

// Only the reading of the controls happens here; the write may run in the copy's lane.
AutosaveCopy::Write CampaignRecovery::take()
{
    if (!m_campaigns.isModified())
        return {};
    return [this, snapshot = m_campaigns.campaign(), source = m_campaigns.campaignPath()] {
        return m_store.save(snapshot, source);
    };
}

void CampaignRecovery::noteChange()
{
    m_copy.noteChange();
}

void CampaignRecovery::cancelPending()
{
    m_copy.cancelPending();
}

void CampaignRecovery::discard()
{
    m_copy.settle();
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
    return m_copy.isIdle();
}

bool CampaignRecovery::keepNow()
{
    m_kept = true;
    return m_copy.writeNow().ok();
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
