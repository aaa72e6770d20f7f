#pragma once

#include "CreateJob.h"
#include "RedirectCheck.h"
#include "SheetReader.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class BatchCreate;
class LinkCheck;
class Platform;
class QLabel;
class QProgressBar;
class QTableWidget;
class QWidget;

/**
 * The runs of a sheet's dialog: the check of the rows' links, and the batch of Creates that may follow it, with
 * their busy state and their stop. What they find shows in the dialog's rows, progress bar and notes.
 */
class SheetRun final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SheetRun)

public:
    /** Where the runs show what they find; the dialog is also where they ask. */
    struct View {
        QWidget& dialog;
        QTableWidget& rows;
        QProgressBar& progress;
        QLabel& notes;
    };

    /** @p settings are the dialog's; a batch keeps in them the answer on built-in instructions. */
    SheetRun(Platform& platform, JobSettings& settings, const View& view);
    ~SheetRun() override;

    /** The rows the next run checks and makes, @p fileName naming them in messages. */
    void setSheet(const Sheet& sheet, const QString& fileName);
    /** Each row's links, in the order the table lists them. */
    const QList<QStringList>& rowLinks() const { return m_rowLinks; }
    bool isBusy() const;
    /**
     * Checks the rows' links, and with @p live whether the live short links redirect; then, with @p thenCreate and
     * no stop, makes every row, after asking about broken links. Nothing starts while a run is busy.
     */
    void start(bool live, bool thenCreate);
    void stop();

Q_SIGNALS:
    void busyChanged();
    void linksChecked();
    /** Every row of a batch has its result. */
    void createFinished();

private:
    void onLinksChecked();
    void startBatch();
    void onRowFinished(int index);
    void onBatchFinished();
    void setCell(int row, int column, const QString& text);

    Platform& m_platform;
    JobSettings& m_settings;
    View m_view;
    Sheet m_sheet;
    QString m_fileName;
    QList<QStringList> m_rowLinks;
    QList<QList<LiveLink>> m_rowShortLinks;
    std::unique_ptr<LinkCheck> m_linkCheck;
    std::unique_ptr<BatchCreate> m_batch;
    bool m_live = false;
    bool m_createAfterCheck = false;
};
