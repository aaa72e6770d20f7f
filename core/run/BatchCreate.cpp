#include "BatchCreate.h"

#include "Catalogue.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::run;

namespace orvanta::run {
namespace {
QList<JobSource> filesOf(const QStringList& campaigns)
{
    QList<JobSource> sources;
    for (const QString& campaign : campaigns)
        sources << JobSource::file(campaign);
    return sources;
}
} // namespace
} // namespace orvanta::run

BatchCreate::BatchCreate(EngineStarter& engines, const QStringList& campaigns, const JobSettings& settings,
                         int jobsAtOnce, QObject* parent)
    : BatchCreate(engines, filesOf(campaigns), settings, jobsAtOnce, parent)
{
}

BatchCreate::BatchCreate(EngineStarter& engines, const QList<JobSource>& sources, const JobSettings& settings,
                         int jobsAtOnce, QObject* parent)
    : QObject(parent)
    , m_engines(engines)
    , m_sources(sources)
    , m_settings(settings)
    , m_jobsAtOnce(std::max(1, jobsAtOnce))
    , m_outcomes(sources.size())
    , m_done(sources.size(), false)
{
    if (m_settings.catalogueEntries.isEmpty()) {
        const QStringList entries = Catalogue::entries(m_settings.app);
        m_settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    }
}

// The jobs hold the settings by reference: they go before the settings do.
BatchCreate::~BatchCreate()
{
    qDeleteAll(m_running);
}

void BatchCreate::start()
{
    if (m_sources.isEmpty())
        QTimer::singleShot(0, this, &BatchCreate::finished);
    startNext();
}

void BatchCreate::stop()
{
    for (; m_next < count(); ++m_next)
        record(m_next, JobOutcome::failed(tr("Not made: the run was stopped before this campaign began.")));
    for (CreateJob* job : std::as_const(m_running))
        job->stop();
    if (m_running.isEmpty() && !m_finished) {
        m_finished = true;
        QTimer::singleShot(0, this, &BatchCreate::finished);
    }
}

bool BatchCreate::allMade() const
{
    return std::all_of(m_outcomes.cbegin(), m_outcomes.cend(), [](const JobOutcome& outcome) { return outcome.ok; });
}

void BatchCreate::startNext()
{
    while (m_converting.size() < m_jobsAtOnce && m_running.size() < 2 * m_jobsAtOnce && m_next < count())
        startJob(m_next++);
}

// Campaigns claim their PDF in the order given, so of two with one name the later one fails, however the
// runs before it went.
void BatchCreate::startJob(int index)
{
    auto* job = new CreateJob(m_engines, m_sources.at(index), m_settings, this);
    m_running.insert(index, job);
    // Queued: a job that fails at once must not start the next one from inside this loop.
    connect(
        job, &CreateJob::finished, this, [this, index] { onJobFinished(index); }, Qt::QueuedConnection);
    // A PDF being fitted needs no engine: its place goes to the next campaign.
    connect(
        job, &CreateJob::engineEnded, this,
        [this, index] {
            m_converting.remove(index);
            startNext();
        },
        Qt::QueuedConnection);
    if (!job->check())
        return;
    const Result<void> claimed = claimPdf(index, job->pdfPath());
    if (!claimed) {
        job->fail(claimed.error());
        return;
    }
    m_converting.insert(index);
    job->start();
}

Result<void> BatchCreate::claimPdf(int index, const QString& pdfPath)
{
    const int claimed = m_claims.claim(pdfPath, index);
    if (claimed < 0)
        return {};
    return fail(tr("The campaign %1 would write the same PDF as the campaign %2: %3. Nothing was overwritten; please "
                   "give one of them another PDF name.")
                    .arg(m_sources.at(index).name, m_sources.at(claimed).name, pdfPath));
}

void BatchCreate::onJobFinished(int index)
{
    CreateJob* job = m_running.take(index);
    if (!job)
        return;
    m_converting.remove(index);
    record(index, job->outcome());
    job->deleteLater();
    startNext();
    if (m_running.isEmpty() && m_next >= count() && !m_finished) {
        m_finished = true;
        Q_EMIT finished();
    }
}

void BatchCreate::record(int index, const JobOutcome& outcome)
{
    m_outcomes[index] = outcome;
    m_done[index] = true;
    ++m_doneCount;
    Q_EMIT campaignFinished(index);
}
