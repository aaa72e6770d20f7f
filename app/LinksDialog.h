#pragma once

#include "ClickCounts.h"
#include "Result.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class ClickChart;
class Platform;
class QLineEdit;
class QPushButton;
class QTableWidget;

/**
 * Campaign > Links: every short link with its target, campaign, PDF, last check and clicks, and the chosen link's
 * clicks per day. Re-point sends the chosen link to a new target and rewrites the redirect files; no PDF changes.
 * Import Log counts the site's access logs into the clicks.
 */
class LinksDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinksDialog)

public:
    enum Column {
        SlugColumn,
        TargetColumn,
        CampaignColumn,
        PdfColumn,
        CheckColumn,
        ClicksColumn,
        RecentColumn, ///< the last 30 days, today included
        ButtonColumn,
        QrColumn,
        WebColumn,
        LinkColumn,
        ColumnCount
    };
    /** Counts @p logs into the application folder @p app's clicks; what it read and left out, or why it failed. */
    using LogImport = std::function<Result<QString>(const QString& app, const QStringList& logs)>;

    /** With no @p import, the one defaultImport gives. */
    LinksDialog(Platform& platform, const QString& appFolder, QWidget* parent, LogImport import = {});

    static LogImport defaultImport();

    /** Lists the table again; a table that cannot be read is said so. */
    void listLinks();
    /** Points the selected link to the new target's text. */
    void repoint();
    /** Asks for access logs and counts them. */
    void importLogs();

signals:
    /** An import ended, its message shown and the counts listed again. */
    void logsImported();

private:
    void showClicks(int row, const QString& slug);
    void showChart();

    Platform& m_platform;
    QString m_appFolder;
    QTableWidget* m_table;
    QLineEdit* m_txtTarget;
    QPushButton* m_cmdRepoint;
    QPushButton* m_cmdImportLog;
    ClickChart* m_chart;
    LogImport m_import;
    ClickCounts m_clicks;
};
