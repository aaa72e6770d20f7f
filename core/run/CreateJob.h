#pragma once

#include "Campaign.h"
#include "ListFile.h"
#include "PageBuilder.h"
#include "PdfRun.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

class EngineStarter;
class PagePipeline;
struct PageOrder;
struct ListRun;

/** What every job of one run shares. */
struct JobSettings {
    QString app;
    /** Where finished PDFs go; created when missing. */
    QString outputFolder;
    /** The answer to the built-in instructions question for campaigns without instructions. */
    bool addBuiltInInstructions = false;
    int timeLimitMs = PdfRun::DefaultTimeLimitMs;
    /** The catalogue as listed when the run began, as the window lists it at start-up. */
    QSet<QString> catalogueEntries;
    /** The design every campaign is made in; empty keeps each campaign's own. */
    QString design;
    /** Check each finished PDF; with @c strictPreflight a failed check fails its campaign, the PDF kept. */
    bool preflight = false;
    bool strictPreflight = false;
    /** The engine every campaign is made with; empty keeps each campaign's own. */
    QString engine;
    /** The language every page declares; empty keeps each campaign's own. */
    QString language;
};

/** What one job makes: a campaign file, or a campaign value (a row of a sheet), named in messages by @c name. */
struct JobSource {
    QString name;
    QString campaignPath;             ///< read when the job checks; empty for a value
    std::optional<Campaign> campaign; ///< the value, when there is no file
    QString problem;                  ///< set when the source is known to be unusable: the job fails with it
    /** A list a sheet filled with its rows; campaignPath names its file. */
    std::shared_ptr<const ProductList> list;

    static JobSource file(const QString& path) { return {path, path, std::nullopt, {}, {}}; }
};

struct JobOutcome {
    /** A job that ended before its pipeline did, with @p error. */
    static JobOutcome failed(QString error)
    {
        JobOutcome outcome;
        outcome.error = std::move(error);
        return outcome;
    }

    bool ok = false;
    QString pdfPath;
    QString error; ///< the text the window would have shown
    /** One line per check the PDF failed, when a preflight was asked for. */
    QStringList preflight;
    /** Which engine stood in for the one the campaign named, when it was not installed. */
    QString engineNote;
    /** Accessible, or what kept a tagged PDF from it; empty for an untagged PDF. */
    QString accessNote;
    /** The engine ran without its sandbox: a strict preflight fails the job for it, the PDF kept. */
    bool unsandboxed = false;
    /** What the page asked for and the engine did not load. */
    QStringList refused;
};

namespace orvanta::run {
/**
 * @p campaign as the window holds it after opening it on @p settings' application folder: texts as its boxes give
 * them back, a catalogue bonus's identifier read from its product file.
 */
Campaign campaignAsOpened(const Campaign& campaign, const JobSettings& settings, bool* catalogueEntryChosen);

/** The links a campaign sends buyers to, as the page and Step 3 hold them: the tagged affiliate link, then the
 * delivery URL when there is one; what was never filled in ("http://") is left out. */
QStringList linksOf(const Campaign& campaign, const JobSettings& settings);
} // namespace orvanta::run

/**
 * Makes one campaign's PDF as Create in the window would, without a window: it reads the campaign as the window
 * opens it and drives the page pipeline in a private folder below temp, from which only the whole PDF is moved
 * to the output folder.
 */
class CreateJob final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CreateJob)

public:
    /** The job's engine runs start through @p engines. */
    CreateJob(EngineStarter& engines, const QString& campaignPath, const JobSettings& settings,
              QObject* parent = nullptr);
    CreateJob(EngineStarter& engines, const JobSource& source, const JobSettings& settings, QObject* parent = nullptr);
    ~CreateJob() override;

    /** Reads the campaign and runs the checks; false with outcome() set when the job ends here. */
    bool check();
    /** The PDF this job would write; known after a passed check. */
    QString pdfPath() const;
    /** Builds, writes and converts; finished() follows, also when a step fails. */
    void start();
    /** Ends the job at once: the engine's process group is stopped and nothing is left behind. */
    void stop();
    /** Ends the job with @p error before it starts. */
    void fail(const QString& error);

    QString campaignPath() const { return m_source.campaignPath; }
    const JobOutcome& outcome() const { return m_outcome; }
    bool isDone() const { return m_done; }

Q_SIGNALS:
    /** The engine wrote a whole PDF; what follows needs no engine. */
    void engineEnded();
    void finished();

private:
    bool checkList();
    void onPipelineFinished();
    void end(const JobOutcome& outcome);

    EngineStarter& m_engines;
    JobSource m_source;
    const JobSettings& m_settings;
    Campaign m_campaign;
    PageFields m_fields;
    bool m_entryChosen = false;
    std::unique_ptr<PagePipeline> m_pipeline;
    /** Set when the job makes a list of products rather than one campaign. */
    std::shared_ptr<const ListRun> m_list;
    JobOutcome m_outcome;
    bool m_done = false;
};
