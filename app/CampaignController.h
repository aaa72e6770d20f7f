#pragma once

#include "Campaign.h"
#include "ListFile.h"

#include <QObject>
#include <QString>

#include <memory>

class BonusPage;
class CampaignMenu;
class CampaignRecovery;
class CreatePage;
class HeaderBand;
class ListEditor;
class Platform;
class RecentList;
class QWidget;
class ReviewPage;

/**
 * The window's campaign: New, Open, Open Recent, Save and Save As and the unsaved-changes mark; its recovery copy
 * keeps what was typed safe for a restart. Nothing the user typed is dropped without a question.
 */
class CampaignController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CampaignController)

public:
    struct Pages {
        ReviewPage* review;
        BonusPage* bonus;
        CreatePage* create;
    };

    CampaignController(QWidget& window, Platform& platform, const QString& appFolder, const Pages& pages,
                       HeaderBand& header);
    ~CampaignController() override;

    /** The wizard changed: marks the campaign unsaved and writes the recovery copy after a pause. */
    void noteChange();
    /**
     * For an end by a signal: writes the recovery copy of unsaved changes now, even within the pause, and leaves it
     * for the next start to offer, as after a crash. The window then closes without asking. False when the copy
     * could not be written.
     */
    bool keepForRecovery();

    /** Fills the recent list and offers what a killed window left; once the window has painted itself. */
    void windowShown();
    /** For the window's close: asks about unsaved changes; true when the window may close. Call it last. */
    bool closeRequested();

    void newCampaign();
    void openCampaign();
    void openCampaignFile(const QString& path);
    /** False when nothing was saved (a failure, or Save As was cancelled). */
    bool save();
    bool saveAs();

    /** What the window holds now. */
    Campaign campaign() const;
    bool isModified() const;
    QString campaignPath() const;
    QString recoveryCopyPath() const;
    /** No recovery copy and no recent list is being written. */
    bool isIdle() const;
    CampaignMenu* menu() const;
    /** Opens Make PDFs from a Spreadsheet over the campaign the window holds. */
    void openSheetDialog();
    void openLinksDialog();
    ListEditor* openListEditor(const ProductList& list, const QString& path);
    void openList();
    void openListFile(const QString& path);
    /** Fills the pages from @p copyPath, a recovery copy of @p sourcePath (empty: untitled), as unsaved changes. */
    void fillRecovered(const Result<orvanta::campaign::CampaignFile::OpenedCampaign>& read, const QString& copyPath,
                       const QString& sourcePath);

private:
    /** Save / Discard / Cancel when there are unsaved changes; true when the caller may go on. */
    bool settleUnsavedChanges();
    bool writeTo(const QString& path);
    /** Fills every page; false when the catalogue entry is not in the list. */
    bool fill(const Campaign& campaign, const QString& path, bool modified);
    /** Fills the pages from a file read whole, then lists in one message what it names but is gone. */
    void fillFrom(const Result<orvanta::campaign::CampaignFile::OpenedCampaign>& read, const QString& file,
                  const QString& path, bool modified);
    void setModified(bool modified);
    void showState();
    void openRecent(const QString& path);
    QString displayName() const;
    QStringList fileFilters() const;
    QString dialogFolder() const;

    QWidget& m_window;
    Platform& m_platform;
    QString m_appFolder;
    Pages m_pages;
    CampaignMenu* m_menu;
    QString m_path;
    bool m_modified = false;
    bool m_filling = false;
    /** What the campaign holds that no page shows (the price and best-for text lists read), kept as opened. */
    Campaign m_unshown;
    RecentList* m_recent;
    std::unique_ptr<CampaignRecovery> m_recovery;
};
