#pragma once

#include "AutosaveCopy.h"
#include "RecoveryStore.h"

#include <QString>

class CampaignController;
class Platform;
class QWidget;
class RecentList;

/**
 * The window's unsaved work kept safe for a restart: a copy written once the changes pause, and at start the
 * offer to restore what a killed window left, or to keep it as a campaign file.
 */
class CampaignRecovery final {
    Q_DISABLE_COPY_MOVE(CampaignRecovery)

public:
    /** @p campaigns is the campaign whose unsaved changes are kept; it owns this. */
    CampaignRecovery(CampaignController& campaigns, QWidget& window, Platform& platform, RecentList& recent,
                     const QString& appFolder);
    ~CampaignRecovery();

    /** The campaign changed: its copy is written after a pause. */
    void noteChange();
    /** A copy due after the pause is not written; the one written stays. */
    void cancelPending();
    /** The changes are saved or dropped: the copy goes, once any being written is done. */
    void discard();
    /** Writes the copy of unsaved changes now and leaves it for the next start; false when it could not. */
    bool keepNow();
    /** The copy was left for the next start: the window ends without asking. */
    bool isKept() const;
    /** Offers each copy a killed window left, newest first; one may be restored, the others are kept as files. */
    void offer();
    QString copyPath() const;
    /** No copy is being written. */
    bool isIdle() const;

private:
    AutosaveCopy::Write take();
    void restore(OrphanedCopy& orphan);
    void keep(OrphanedCopy& orphan);

    CampaignController& m_campaigns;
    QWidget& m_window;
    Platform& m_platform;
    RecentList& m_recent;
    QString m_appFolder;
    bool m_kept = false;
    RecoveryStore m_store;
    /** Last, so its writes are done before the store goes. */
    AutosaveCopy m_copy;
};
