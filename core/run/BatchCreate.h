#pragma once

#include "CreateJob.h"
#include "PdfName.h"
#include "Result.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>

/**
 * Makes the PDFs of many campaigns on one application folder, up to a number of engine runs at once. The engine
 * runs are what takes the time, and they run on their own, so one thread drives them all. A job whose PDF is being
 * fitted no longer holds an engine's place, so the fitting overlaps the next run; it still counts towards a
 * bound on the jobs open at once, which keeps memory flat however many campaigns there are.
 */
class BatchCreate final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchCreate)

public:
    /** @p settings' catalogue entries are listed here when left empty; every run starts through @p engines. */
    BatchCreate(EngineStarter& engines, const QStringList& campaigns, const JobSettings& settings, int jobsAtOnce,
                QObject* parent = nullptr);
    /** Campaign files and campaign values (rows of a sheet) alike, named in messages by their source's name. */
    BatchCreate(EngineStarter& engines, const QList<JobSource>& sources, const JobSettings& settings, int jobsAtOnce,
                QObject* parent = nullptr);
    ~BatchCreate() override;

    void start();
    /** Stops every running job and starts no other; finished() follows once all have ended. */
    void stop();

    int count() const { return int(m_sources.size()); }
    QString name(int index) const { return m_sources.at(index).name; }
    int doneCount() const { return m_doneCount; }
    bool isDone(int index) const { return m_done.at(index); }
    const JobOutcome& outcome(int index) const { return m_outcomes.at(index); }
    bool allMade() const;

Q_SIGNALS:
    void campaignFinished(int index);
    void finished();

private:
    void startNext();
    void startJob(int index);
    void onJobFinished(int index);
    void record(int index, const JobOutcome& outcome);
    Result<void> claimPdf(int index, const QString& pdfPath);

    EngineStarter& m_engines;
    QList<JobSource> m_sources;
    JobSettings m_settings;
    int m_jobsAtOnce;
    QList<JobOutcome> m_outcomes;
    QList<bool> m_done;
    QMap<int, CreateJob*> m_running;
    QSet<int> m_converting;
    PdfClaims m_claims;
    int m_next = 0;
    int m_doneCount = 0;
    bool m_finished = false;
};
