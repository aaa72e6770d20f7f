#pragma once

#include "Campaign.h"
#include "CreateJob.h"
#include "SheetReader.h"

#include <QDialog>

#include <memory>

class Platform;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class SheetRun;

/**
 * Campaign > Make PDFs from a Spreadsheet: a sheet of offers becomes one campaign per row over a base campaign;
 * the rows are shown with what each still lacks, made through the command line's parallel jobs, or saved as
 * campaign files.
 */
class SheetDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SheetDialog)

public:
    enum Column { RowColumn, PdfColumn, TitleColumn, LinksColumn, ResultColumn, ColumnCount };

    /** @p openCampaign is the window's; it is the base until another is chosen. */
    SheetDialog(Platform& platform, const QString& appFolder, const Campaign& openCampaign,
                const QString& openCampaignPath, QWidget* parent);
    ~SheetDialog() override;

    /** Reads @p path as the sheet and lists its rows. */
    void loadSheet(const QString& path);
    /** Reads @p path as the base campaign and lists the rows again; false (with a message) when it is refused. */
    bool loadBase(const QString& path);
    const Sheet& sheet() const { return m_sheet; }
    bool isBusy() const;

    void pickSheet();
    void pickBase();
    void checkLinks();
    void createAll();
    void stop();
    void saveRowsAsCampaigns();

Q_SIGNALS:
    /** Every row of a Create All has its result. */
    void createFinished();
    void linksChecked();

protected:
    void reject() override;

private:
    void buildLayout();
    void listRows();
    void showBusy();
    void setCell(int row, Column column, const QString& text);
    QString sheetFileName() const;

    Platform& m_platform;
    JobSettings m_settings;
    Campaign m_base;
    QString m_sheetPath;
    Sheet m_sheet;

    QLabel* m_lblSheet;
    QLabel* m_lblBase;
    QLabel* m_lblNotes;
    QTableWidget* m_tblRows;
    QProgressBar* m_progress;
    QPushButton* m_cmdSheet;
    QPushButton* m_cmdBase;
    QPushButton* m_cmdCheckLinks;
    QCheckBox* m_chkLiveLinks;
    QPushButton* m_cmdCreateAll;
    QPushButton* m_cmdStop;
    QPushButton* m_cmdSaveRows;
    QPushButton* m_cmdClose;
    /** The link check and the batch; they end with the dialog. */
    std::unique_ptr<SheetRun> m_run;
};
