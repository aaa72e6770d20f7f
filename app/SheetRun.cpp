#include "SheetRun.h"

#include "BatchCreate.h"
#include "BoxText.h"
#include "Controls.h"
#include "CreateChecks.h"
#include "EngineReport.h"
#include "JobSources.h"
#include "LinkCheck.h"
#include "Platform.h"
#include "SheetDialog.h"
#include "ShortLinkStore.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QThread>

#include <algorithm>

using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::links;
using namespace orvanta::run;

// The texts are the dialog's, in its translation context, as it has always shown them.

SheetRun::SheetRun(Platform& platform, JobSettings& settings, const View& view)
    : m_platform(platform)
    , m_settings(settings)
    , m_view(view)
{
}

// The jobs and requests end with the run: nothing keeps running behind a closed dialog.
SheetRun::~SheetRun() = default;

void SheetRun::setSheet(const Sheet& sheet, const QString& fileName)
{
    m_sheet = sheet;
    m_fileName = fileName;
    const QList<JobSource> jobs = sheetJobs(m_sheet, m_fileName);
    m_rowLinks = linksOfSources(jobs, m_settings);
    m_rowShortLinks = shortLinksOfSources(jobs, m_settings);
}

bool SheetRun::isBusy() const
{
    return (m_linkCheck && m_linkCheck->isRunning()) || m_batch;
}

void SheetRun::start(bool live, bool thenCreate)
{
    if (isBusy())
        return;
    const QStringList links = linksToCheck(m_rowLinks, m_rowShortLinks);
    m_live = live;
    m_createAfterCheck = thenCreate;
    m_linkCheck = std::make_unique<LinkCheck>();
    connect(m_linkCheck.get(), &LinkCheck::linkChecked, this,
            [this] { m_view.progress.setValue(m_linkCheck->doneCount()); });
    connect(m_linkCheck.get(), &LinkCheck::finished, this, &SheetRun::onLinksChecked, Qt::QueuedConnection);
    m_view.progress.setValue(0);
    m_view.progress.setFormat(SheetDialog::tr("Checking links: %v of %m"));
    m_linkCheck->start(links, m_live ? allOf(m_rowShortLinks) : QList<LiveLink>());
    m_view.progress.setRange(0, std::max(1, m_linkCheck->count()));
    Q_EMIT busyChanged();
}

void SheetRun::onLinksChecked()
{
    if (!m_linkCheck)
        return;
    const bool stopped = m_linkCheck->doneCount() < m_linkCheck->count();
    const LinkReport report =
        reportLinks(m_rowLinks, *m_linkCheck, m_live ? m_rowShortLinks : QList<QList<LiveLink>>());
    const Result<void> kept =
        ShortLinkStore::recordChecks(m_settings.app, allOf(m_rowShortLinks), *m_linkCheck, m_live);
    if (!kept)
        m_platform.showMessage(&m_view.dialog, kept.error(), SheetDialog::tr("Error"), MessageIcon::Exclamation);
    QStringList labels;
    for (int i = 0; i < m_rowLinks.size(); ++i) {
        labels << SheetDialog::tr("Row %1").arg(m_sheet.rows.at(i).number);
        if (!report.shown.at(i).isEmpty())
            setCell(i, SheetDialog::LinksColumn, report.shown.at(i).join(QStringLiteral("  ")));
    }
    const QStringList broken = report.brokenLines(labels);
    m_view.progress.setFormat(QStringLiteral("%p%"));
    const bool create = m_createAfterCheck && !stopped;
    m_createAfterCheck = false;
    // Deleted later: this runs inside its signal.
    m_linkCheck.release()->deleteLater();
    Q_EMIT busyChanged();
    Q_EMIT linksChecked();
    if (!create)
        return;
    if (!broken.isEmpty() && !m_platform.askYesNo(&m_view.dialog,
                                                  SheetDialog::tr("%n link(s) are broken:\n\n%1\n\nCreate anyway?",
                                                                  nullptr, int(broken.size()))
                                                      .arg(broken.join(QLatin1Char('\n'))),
                                                  SheetDialog::tr("Broken Links"), MessageIcon::Question))
        return;
    startBatch();
}

void SheetRun::startBatch()
{
    const bool anyWithoutInstructions = std::any_of(m_sheet.rows.cbegin(), m_sheet.rows.cend(), [](const SheetRow& r) {
        return r.problem.isEmpty() && BoxText::multiLine(r.campaign.bonusInstructions).isEmpty();
    });
    m_settings.addBuiltInInstructions =
        anyWithoutInstructions &&
        m_platform.askYesNo(&m_view.dialog, builtInInstructionsQuestion(),
                            SheetDialog::tr("Bonus Delivery Instructions"), MessageIcon::Question);
    QList<JobSource> sources = sheetJobs(m_sheet, m_fileName) << sheetListJobs(m_sheet, m_fileName);
    // Two rows with one slug: the second is refused before its PDF carries the first one's link.
    claimSlugs(sources, m_settings);
    m_batch = std::make_unique<BatchCreate>(m_platform, sources, m_settings, QThread::idealThreadCount());
    connect(m_batch.get(), &BatchCreate::campaignFinished, this, &SheetRun::onRowFinished);
    connect(m_batch.get(), &BatchCreate::finished, this, &SheetRun::onBatchFinished, Qt::QueuedConnection);
    m_view.progress.setRange(0, std::max(1, int(sources.size())));
    m_view.progress.setValue(0);
    for (int i = 0; i < m_sheet.rows.size(); ++i)
        setCell(i, SheetDialog::ResultColumn, SheetDialog::tr("Waiting"));
    m_batch->start();
    Q_EMIT busyChanged();
}

void SheetRun::onRowFinished(int index)
{
    m_view.progress.setValue(m_batch->doneCount());
    // The lists the rows fill come after the rows; they are told in the notes at the end.
    if (index >= m_sheet.rows.size())
        return;
    const JobOutcome& outcome = m_batch->outcome(index);
    const QString shown = outcome.ok ? QDir::toNativeSeparators(outcome.pdfPath) : outcome.error;
    setCell(index, SheetDialog::ResultColumn, shown);
    // The cell keeps the PDF's place; what the engine and the preflight said stands in its tip.
    const QStringList said = engineSaid(outcome.engineNote, outcome.refused) + outcome.preflight;
    if (!said.isEmpty())
        m_view.rows.item(index, SheetDialog::ResultColumn)
            ->setToolTip(shown + QStringLiteral("\n\n") + said.join(QLatin1Char('\n')));
}

void SheetRun::onBatchFinished()
{
    if (!m_batch)
        return;
    int made = 0;
    int flagged = 0;
    for (int i = 0; i < m_batch->count(); ++i) {
        made += m_batch->outcome(i).ok ? 1 : 0;
        flagged += m_batch->outcome(i).preflight.isEmpty() ? 0 : 1;
    }
    QString notes = SheetDialog::tr("%1 of %2 PDFs made in %3.")
                        .arg(made)
                        .arg(m_batch->count())
                        .arg(QDir::toNativeSeparators(m_settings.outputFolder));
    if (flagged > 0)
        notes += QLatin1Char(' ') +
                 SheetDialog::tr("%n of them failed a preflight check; point at a row's result to see which.", nullptr,
                                 flagged);
    for (int i = int(m_sheet.rows.size()); i < m_batch->count(); ++i) {
        const JobOutcome& list = m_batch->outcome(i);
        notes += QLatin1Char('\n') + m_batch->name(i) + QStringLiteral(": ") +
                 (list.ok ? QDir::toNativeSeparators(list.pdfPath) : list.error);
    }
    m_view.notes.setText(notes);
    m_batch.release()->deleteLater();
    Q_EMIT busyChanged();
    Q_EMIT createFinished();
}

void SheetRun::stop()
{
    m_createAfterCheck = false;
    if (m_linkCheck)
        m_linkCheck->stop();
    if (m_batch)
        m_batch->stop();
}

void SheetRun::setCell(int row, int column, const QString& text)
{
    m_view.rows.setItem(row, column, Controls::tableCell(text));
}
