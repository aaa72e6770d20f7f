#pragma once

#include "ConversionKey.h"
#include "CreateOptions.h"
#include "FinishStage.h"
#include "LinksTable.h"
#include "PageBuilder.h"
#include "PdfEngine.h"
#include "PdfPlacement.h"
#include "PdfRun.h"
#include "StageClock.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class EngineCopy;
class EngineStarter;
class StagingFolder;

/**
 * A finished PDF that an earlier run made, and what it was made from: the digest of the page, its pictures, the
 * engine and the options. A run whose own digest is the same takes this PDF instead of converting again.
 */
struct ReusablePdf {
    QString pdfPath;
    QByteArray key;
    /** The PDF's own digest: a file changed since is not taken. */
    QByteArray pdfDigest;
    /** What the engine did not load for it, said again with the PDF taken. */
    QStringList refused;
};

/** What one run of the pipeline makes, and where. */
struct PageOrder {
    /** Where the page is built and converted. */
    enum class Place {
        /** The application's bin, as Create in the window builds it; the PDF ends in bin/output. */
        AppFolder,
        /** A private folder below temp, gone when the run ends. */
        Staging,
    };

    QString app;
    PageFields fields;
    bool catalogueEntryChosen = false;
    CreateOptions options;
    Place place = Place::AppFolder;
    /** A preview shows what the page holds as it is: no checks, missing images as empty ones, a fixed PDF name. */
    bool preview = false;
    /** Where the finished PDF and the web page go; empty keeps the PDF where it was made (for a preview). */
    QString outputFolder;
    int timeLimitMs = PdfRun::DefaultTimeLimitMs;
    /** A PDF a preview made that may be exactly this run's; the run takes it only when its digests match. */
    ReusablePdf reusable;
    /** Check the finished PDF, and report what it found with the result. */
    bool preflight = false;
    /**
     * Builds a page of its own (a list's) in place of the campaign's, into the target's folders; its checks and its
     * short links are the builder's. Empty for the campaign's page.
     */
    std::function<Result<BuiltPage>(const QString& app, const PageTarget& target)> buildPage;
    /** The links such a page must hold clickable; the campaign's page names its own. */
    QStringList preflightLinks;
    /** A book's: printed on pages of its own with Chromium, again while @c reprint asks, labelled by @c bookMarks. */
    bool paged = false;
    std::function<Result<bool>(const QString& printedPdf, const QString& enginePage)> reprint;
    std::function<BookMarks()> bookMarks;
};

/** How a run ended. */
struct PageResult {
    enum class Status { Made, missingInfo, Failed, Stopped };

    /** The PDF stands at @p pdfPath; a failure after it (the web page, the short link) goes into error. */
    static PageResult made(QString pdfPath)
    {
        PageResult result = ended(Status::Made, {});
        result.pdfPath = std::move(pdfPath);
        return result;
    }
    /** The campaign lacks what the page needs: @p text is the "Missing Info" the window shows. */
    static PageResult missingInfo(QString text) { return ended(Status::missingInfo, std::move(text)); }
    static PageResult failed(QString error) { return ended(Status::Failed, std::move(error)); }
    static PageResult stopped(QString message) { return ended(Status::Stopped, std::move(message)); }

    Status status = Status::Failed;
    /** The PDF this run made; set whenever a new PDF stands, also when the web page then failed. */
    QString pdfPath;
    /** What failed, as the window shows it; for missingInfo the "Missing Info" text. */
    QString error;
    /** Why the PDF kept its full length, when fitting was asked for and failed; not a failure. */
    QString fitNote;
    QString webPageFolder;
    /** For a PDF its engine tagged: declared accessible, or what kept it from that; empty for an untagged one. */
    QString accessNote;
    /**
     * That the other engine made the PDF, the one asked for not being installed, and that the engine ran without its
     * sandbox; not a failure.
     */
    QString engineNote;
    /** The engine ran without its sandbox, as the user allowed; engineNote says so. */
    bool unsandboxed = false;
    /** What the page asked for and the engine did not load; the PDF is made without it. */
    QStringList refused;
    bool ok() const { return status == Status::Made && error.isEmpty(); }

private:
    static PageResult ended(Status status, QString error)
    {
        PageResult result;
        result.status = status;
        result.error = std::move(error);
        return result;
    }
};

/**
 * Runs a page from its input to its finished PDF: checks, page build and write, the engine and its judgement,
 * fitting and the web page, and the PDF's move to its place. The engine writes a short private name beside
 * the PDF's place, and only a whole, finished PDF is renamed over it in one step, so an earlier PDF of that name
 * stays until then, whatever happens to the run or the program. Every front end drives it: the window's Create,
 * the page preview and each job of the command line. Stoppable at any moment; after stop() nothing of the run
 * reaches anyone but its one finished().
 */
class PagePipeline final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PagePipeline)

public:
    enum class Stage { Idle, Building, Converting, Finishing, Done };

    explicit PagePipeline(EngineStarter& engines, QObject* parent = nullptr);
    ~PagePipeline() override;

    /** Starts the run; finished() may come before this returns when the page cannot be built or written. */
    void start(const PageOrder& order);
    /**
     * Ends the run now. While converting: the engine's process group stops, no private file stays, an earlier
     * PDF is kept. While finishing: the whole PDF is finished and delivered first (a short wait).
     */
    void stop();

    /** What a run stopped before its PDF was made says. */
    static QString stoppedMessage();

    Stage stage() const { return m_stage; }
    bool isRunning() const { return m_stage != Stage::Idle && m_stage != Stage::Done; }
    /** The page as built; its pdfPath is where the PDF goes. */
    const BuiltPage& page() const { return m_page; }
    const PageResult& result() const { return m_result; }
    /** What the preflight of the PDF found, when the order asked for one and the PDF was made; it only reports. */
    const PreflightReport& preflight() const { return m_preflight; }
    /** The PDF this run made, as a later run may take it; empty unless it was made. */
    const ReusablePdf& reusablePdf() const { return m_reusable; }

Q_SIGNALS:
    /** The page is built and about to be written and converted. */
    void pageBuilt();
    /** The engine ended with a whole PDF; what follows needs no engine. */
    void engineEnded();
    /** Once per run, whatever its end. */
    void finished();

private:
    bool build();
    bool takeShortLink();
    bool reuse();
    void startSizing();
    void onSized();
    bool startEngine(const QString& htmlPath);
    FinishExtras finishExtras() const;
    PreflightInput preflightInput() const;
    void onEngineFinished(const RenderResult& result);
    void onFinishingDone();
    void deliver(const FinishResult& finished);
    void end(PageResult result);
    void dropRun();
    void dropPrivateFiles();

    EngineStarter& m_engines;
    PageOrder m_order;
    Stage m_stage = Stage::Idle;
    std::unique_ptr<StagingFolder> m_staging;
    BuiltPage m_page;
    PdfPlacement m_placement;
    PdfRun* m_run = nullptr;
    ChosenEngine m_engine;
    QStringList m_refused;
    QString m_sandboxNote;
    /** The page file the engine prints, which a reprint numbers. */
    QString m_enginePage;
    QFutureWatcher<FinishResult> m_finishing;
    QFutureWatcher<std::shared_ptr<EngineCopy>> m_sizing;
    std::shared_ptr<EngineCopy> m_copy;
    QByteArray m_key;
    ReusablePdf m_reusable;
    /** The short link this run's PDF carries, recorded once the PDF stands; empty slug for none. */
    LinkEntry m_shortLink;
    PageResult m_result;
    PreflightReport m_preflight;
    StageClock m_clock;
};
