#pragma once

#include <QDialog>

class Platform;
class QLineEdit;
class QPushButton;
class QTableWidget;

/**
 * Campaign > Links: every short link with its target, campaign, PDF and last check. Re-point sends the chosen link
 * to a new target and rewrites the redirect files; no PDF changes.
 */
class LinksDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinksDialog)

public:
    enum Column { SlugColumn, TargetColumn, CampaignColumn, PdfColumn, CheckColumn, ColumnCount };

    LinksDialog(Platform& platform, const QString& appFolder, QWidget* parent);

    /** Lists the table again; a table that cannot be read is said so. */
    void listLinks();
    /** Points the selected link to the new target's text. */
    void repoint();

private:
    Platform& m_platform;
    QString m_appFolder;
    QTableWidget* m_table;
    QLineEdit* m_txtTarget;
    QPushButton* m_cmdRepoint;
};
