#pragma once

#include <QObject>
#include <QStringList>

class BatchCreate;
struct JobOutcome;

/**
 * What the command prints: one line per campaign in the order given, the PDF or the campaign and the message the
 * window would have shown; on a terminal also how many are done.
 */
class CommandReport final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandReport)

public:
    CommandReport(const BatchCreate& batch, const QStringList& campaigns);
    /** Prints what is left and clears the progress line. */
    void end();

    /** The line of one campaign's outcome: the PDF, or the campaign and what went wrong, with the PDF if made. */
    static QString lineOf(const QString& campaign, const JobOutcome& outcome);

private:
    void onCampaignFinished();
    void printReadyLines();
    void showProgress();
    void clearProgress();

    const BatchCreate& m_batch;
    QStringList m_campaigns;
    int m_printed = 0;
    bool m_terminal = false;
    bool m_progressShown = false;
};
