#pragma once

#include "CreateSource.h"
#include "PageBuilder.h"
#include "WindowLayout.h"

#include <QWidget>

#include <array>
#include <memory>

class BonusPage;
class CampaignController;
class CreateCommand;
class CreatePage;
class HeaderBand;
class ImagePicker;
class PathLabel;
class Platform;
class QTimer;
class ReviewPage;
class SideWindows;
class StepButton;
class WizardPage;

/**
 * frmMass, the three-step wizard. It owns every value the user enters; the commands read the
 * controls when they run.
 */
class MainWindow final : public QWidget, public CreateSource {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    MainWindow(Platform& platform, const QString& appFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    QString appFolder() const;
    PageFields pageFields() const override;
    bool isCatalogueEntryChosen() const override;
    CreateOptions createOptions() const override;
    ReusablePdf reusablePdf() const override;
    void addBuiltInInstructions() override;
    void showPageName(const QString& pageName) override;
    /** The chosen catalogue entry's row, or -1. */
    int selectedBonusIndex() const;
    /** Starts the blinking; the notice shows at the first tick. */
    void switchPleaseWaitOn();
    /** Stops the blinking and leaves the notice hidden. */
    void switchPleaseWaitOff();
    CreateCommand& createCommand();
    /** Shows page @p index (0 to 2); any other index changes nothing. */
    void ShowStep(int index);
    /** Says so at start-up when the application folder refuses new files, before "Create" fails on it. */
    void warnIfFolderUnwritable();
    /**
     * Runs the event loop until the window closes. A stop signal (SIGTERM, SIGHUP, Ctrl+C) ends it as closing
     * would, without questions: Create and the page preview stop and what was typed is kept for recovery; the
     * program then ends as the signal asks.
     */
    int runEventLoop();
    CampaignController& campaigns();

Q_SIGNALS:
    /**
     * The one notice that the wizard changed: a field, an option, the chosen bonus or an image (a cancelled pick
     * is no change). The campaign and the page preview both follow it.
     */
    void fieldsChanged();
    /** The work that waits for the first paint is done (the folder check, the recovery offer). */
    void started();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private Q_SLOTS:
    void stopForSignal();
    void afterFirstPaint();

private:
    void buildStepBar();
    void connectControls();
    void setTabOrder();
    void Form_Load();
    void Form_Resize();
    void tmrPleaseWait_Timer();
    /** The Create job's busy state: the notice blinks and "Create" and "Open Output Folder" wait. */
    void showBusy(bool busy);
    void rebuildDeliveryLink();
    void cmdCoverSelect_Click(int index);
    /** lblImage(index): 0 on Step 1, 1 on Step 2. */
    PathLabel* imageLabel(int index) const;
    qreal dotsPerInch() const;

    Platform& m_platform;
    QString m_appFolder;
    HeaderBand* m_header;
    std::array<StepButton*, 3> m_stepButtons{};
    ReviewPage* m_reviewPage;
    BonusPage* m_bonusPage;
    CreatePage* m_createPage;
    std::array<WizardPage*, 3> m_pages{};
    QTimer* m_tmrPleaseWait;
    WindowLayout::Size m_pageSize;
    std::unique_ptr<ImagePicker> m_imagePicker;
    CreateCommand* m_createCommand;
    SideWindows* m_sideWindows;
    CampaignController* m_campaigns = nullptr;
    bool m_painted = false;
};
