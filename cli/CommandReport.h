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
    /** A source marked in @p namedWhenMade (a sheet's row) is named on its line also when its PDF was made. */
    CommandReport(const BatchCreate& batch, const QStringList& campaigns, const QList<bool>& namedWhenMade = {});
    /** Prints what is left and clears the progress line. */
    void end();

    /** The line of one campaign's outcome: the PDF, or the campaign and what went wrong, with the PDF if made. */
    static QString lineOf(const QString& campaign, const JobOutcome& outcome, bool namedWhenMade = false);
    /** The lines after a campaign's: which engine stood in, then each check the PDF failed, each naming the PDF. */
    static QStringList notesOf(const JobOutcome& outcome);

private:
    void onCampaignFinished();
    void printReadyLines();
    void showProgress();
    void clearProgress();

    const BatchCreate& m_batch;
    QStringList m_campaigns;
    QList<bool> m_namedWhenMade;
    int m_printed = 0;
    bool m_terminal = false;
    bool m_progressShown = false;
};
