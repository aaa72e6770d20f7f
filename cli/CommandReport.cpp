#include "CommandReport.h"

#include "BatchCreate.h"
#include "CommandLineTr.h"
#include "EngineReport.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>

using namespace orvanta::engine;
#endif

namespace {
void print(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}
} // namespace

CommandReport::CommandReport(const BatchCreate& batch, const QStringList& campaigns, const QList<bool>& namedWhenMade)
    : m_batch(batch)
    , m_campaigns(campaigns)
    , m_namedWhenMade(namedWhenMade)
{
#ifdef Q_OS_UNIX
    m_terminal = ::isatty(STDOUT_FILENO) == 1;
#endif
    connect(&batch, &BatchCreate::campaignFinished, this, &CommandReport::onCampaignFinished);
    showProgress();
}

void CommandReport::end()
{
    printReadyLines();
    clearProgress();
}

// A message of several lines stays on its campaign's line, so every line of the output is one campaign. A job
// that fails after its PDF was delivered (the web page could not be saved) names the PDF in its message.
QString CommandReport::lineOf(const QString& campaign, const JobOutcome& outcome, bool namedWhenMade)
{
    if (outcome.ok)
        return namedWhenMade ? campaign + QStringLiteral(": ") + outcome.pdfPath : outcome.pdfPath;
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    return campaign + QStringLiteral(": ") + QString(outcome.error).trimmed().replace(lineBreaks, QStringLiteral(" "));
}

QStringList CommandReport::notesOf(const JobOutcome& outcome)
{
    QStringList lines;
    for (const QString& line : engineSaid(outcome.engineNote, outcome.refused) + outcome.preflight)
        lines << outcome.pdfPath + QStringLiteral(": ") + line;
    if (!outcome.accessNote.isEmpty())
        lines << outcome.pdfPath + QStringLiteral(": ") + outcome.accessNote;
    return lines;
}

void CommandReport::onCampaignFinished()
{
    printReadyLines();
    showProgress();
}

void CommandReport::printReadyLines()
{
    while (m_printed < m_batch.count() && m_batch.isDone(m_printed)) {
        clearProgress();
        const JobOutcome& outcome = m_batch.outcome(m_printed);
        print(lineOf(m_campaigns.at(m_printed), outcome, m_namedWhenMade.value(m_printed)) + QLatin1Char('\n'));
        for (const QString& line : notesOf(outcome))
            print(line + QLatin1Char('\n'));
        ++m_printed;
    }
}

void CommandReport::showProgress()
{
    if (!m_terminal || m_batch.doneCount() == m_batch.count())
        return;
    clearProgress();
    print(CommandLineTr::tr("%1/%2 done").arg(m_batch.doneCount()).arg(m_batch.count()));
    m_progressShown = true;
}

void CommandReport::clearProgress()
{
    if (!m_progressShown)
        return;
    print(QStringLiteral("\r\x1b[K"));
    m_progressShown = false;
}
