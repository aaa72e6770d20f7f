// The dialog's two runs: the check of the rows' links, and the batch of Creates that may follow it.
#include "SheetDialog.h"

#include "BatchCreate.h"
#include "BoxText.h"
#include "CreateChecks.h"
#include "EngineReport.h"
#include "JobSources.h"
#include "LinkCheck.h"
#include "Platform.h"
#include "SheetReadiness.h"
#include "ShortLinks.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include <algorithm>

using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::run;

void SheetDialog::checkLinks()
{
    startLinkCheck(false);
}

void SheetDialog::createAll()
{
    if (isBusy() || m_sheet.rows.isEmpty())
        return;
    startLinkCheck(true);
}

void SheetDialog::startLinkCheck(bool thenCreate)
{
    if (isBusy())
        return;
    const QStringList links = linksToCheck(m_rowLinks, m_rowShortLinks);
    m_createAfterCheck = thenCreate;
    m_linkCheck = std::make_unique<LinkCheck>();
    connect(m_linkCheck.get(), &LinkCheck::linkChecked, this,
            [this] { m_progress->setValue(m_linkCheck->doneCount()); });
    connect(m_linkCheck.get(), &LinkCheck::finished, this, &SheetDialog::onLinksChecked, Qt::QueuedConnection);
    m_progress->setValue(0);
    m_progress->setFormat(tr("Checking links: %v of %m"));
    m_linkCheck->start(links, m_chkLiveLinks->isChecked() ? m_rowShortLinks : QList<LiveLink>());
    m_progress->setRange(0, std::max(1, m_linkCheck->count()));
    showBusy();
}

void SheetDialog::onLinksChecked()
{
    if (!m_linkCheck)
        return;
    const bool stopped = m_linkCheck->doneCount() < m_linkCheck->count();
    const bool live = m_chkLiveLinks->isChecked();
    const LinkReport report = reportLinks(m_rowLinks, *m_linkCheck, live ? m_rowShortLinks : QList<LiveLink>());
    const Result<void> kept = ShortLinks::recordChecks(m_settings.app, m_rowShortLinks, *m_linkCheck, live);
    if (!kept)
        m_platform.showMessage(this, kept.error(), tr("Error"), MessageIcon::Exclamation);
    QStringList labels;
    for (int i = 0; i < m_rowLinks.size(); ++i) {
        labels << tr("Row %1").arg(m_sheet.rows.at(i).number);
        if (!report.shown.at(i).isEmpty())
            setCell(i, LinksColumn, report.shown.at(i).join(QStringLiteral("  ")));
    }
    const QStringList broken = report.brokenLines(labels);
    m_progress->setFormat(QStringLiteral("%p%"));
    const bool create = m_createAfterCheck && !stopped;
    m_createAfterCheck = false;
    // Deleted later: this runs inside its signal.
    m_linkCheck.release()->deleteLater();
    showBusy();
    Q_EMIT linksChecked();
    if (!create)
        return;
    if (!broken.isEmpty() &&
        !m_platform.askYesNo(this,
                             tr("%n link(s) are broken:\n\n%1\n\nCreate anyway?", nullptr, int(broken.size()))
                                 .arg(broken.join(QLatin1Char('\n'))),
                             tr("Broken Links"), MessageIcon::Question))
        return;
    startBatch();
}

void SheetDialog::startBatch()
{
    const bool anyWithoutInstructions = std::any_of(m_sheet.rows.cbegin(), m_sheet.rows.cend(), [](const SheetRow& r) {
        return r.problem.isEmpty() && BoxText::multiLine(r.campaign.bonusInstructions).isEmpty();
    });
    m_settings.addBuiltInInstructions =
        anyWithoutInstructions && m_platform.askYesNo(this, builtInInstructionsQuestion(),
                                                      tr("Bonus Delivery Instructions"), MessageIcon::Question);
    QList<JobSource> sources = sheetJobs(m_sheet, sheetFileName());
    // Two rows with one slug: the second is refused before its PDF carries the first one's link.
    claimSlugs(sources, m_settings);
    m_batch = std::make_unique<BatchCreate>(m_platform, sources, m_settings, QThread::idealThreadCount());
    connect(m_batch.get(), &BatchCreate::campaignFinished, this, &SheetDialog::onRowFinished);
    connect(m_batch.get(), &BatchCreate::finished, this, &SheetDialog::onBatchFinished, Qt::QueuedConnection);
    m_progress->setRange(0, std::max(1, int(sources.size())));
    m_progress->setValue(0);
    for (int i = 0; i < m_sheet.rows.size(); ++i)
        setCell(i, ResultColumn, tr("Waiting"));
    m_batch->start();
    showBusy();
}

void SheetDialog::onRowFinished(int index)
{
    const JobOutcome& outcome = m_batch->outcome(index);
    const QString shown = outcome.ok ? QDir::toNativeSeparators(outcome.pdfPath) : outcome.error;
    setCell(index, ResultColumn, shown);
    // The cell keeps the PDF's place; what the engine and the preflight said stands in its tip.
    const QStringList said = engineSaid(outcome.engineNote, outcome.refused) + outcome.preflight;
    if (!said.isEmpty())
        m_tblRows->item(index, ResultColumn)->setToolTip(shown + QStringLiteral("\n\n") + said.join(QLatin1Char('\n')));
    m_progress->setValue(m_batch->doneCount());
}

void SheetDialog::onBatchFinished()
{
    if (!m_batch)
        return;
    int made = 0;
    int flagged = 0;
    for (int i = 0; i < m_batch->count(); ++i) {
        made += m_batch->outcome(i).ok ? 1 : 0;
        flagged += m_batch->outcome(i).preflight.isEmpty() ? 0 : 1;
    }
    QString notes = tr("%1 of %2 PDFs made in %3.")
                        .arg(made)
                        .arg(m_batch->count())
                        .arg(QDir::toNativeSeparators(m_settings.outputFolder));
    if (flagged > 0)
        notes += QLatin1Char(' ') +
                 tr("%n of them failed a preflight check; point at a row's result to see which.", nullptr, flagged);
    m_lblNotes->setText(notes);
    m_batch.release()->deleteLater();
    showBusy();
    Q_EMIT createFinished();
}

void SheetDialog::stop()
{
    m_createAfterCheck = false;
    if (m_linkCheck)
        m_linkCheck->stop();
    if (m_batch)
        m_batch->stop();
}

void SheetDialog::showBusy()
{
    const bool busy = isBusy();
    const bool rows = !m_sheet.rows.isEmpty();
    m_cmdSheet->setEnabled(!busy);
    m_cmdBase->setEnabled(!busy);
    m_cmdCheckLinks->setEnabled(!busy && rows);
    m_chkLiveLinks->setEnabled(!busy);
    m_cmdCreateAll->setEnabled(!busy && rows);
    m_cmdSaveRows->setEnabled(!busy && rows);
    m_cmdStop->setEnabled(busy);
}

void SheetDialog::reject()
{
    stop();
    QDialog::reject();
}
