#include "PagePipeline.h"

#include "FileToolkit.h"
#include "PdfPlacing.h"

#include "AppFolder.h"
#include "Background.h"
#include "BookPrint.h"
#include "CreateChecks.h"
#include "EngineCopy.h"
#include "EngineStarter.h"
#include "PageLanguage.h"
#include "PdfMetadata.h"
#include "PictureSizing.h"
#include "PreviewPage.h"
#include "ShortLinkStore.h"
#include "StageClock.h"
#include "StagingFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::preflight;
using namespace orvanta::links;
using namespace orvanta::finish;
using namespace orvanta::run;

namespace orvanta::run {
namespace {
// Fitting and the web page run on the threads all background work shares.
QThreadPool& finishingPool()
{
    return Background::pool();
}

} // namespace
} // namespace orvanta::run

PagePipeline::PagePipeline(EngineStarter& engines, QObject* parent)
    : QObject(parent)
    , m_engines(engines)
{
    connect(&m_finishing, &QFutureWatcher<FinishResult>::finished, this, &PagePipeline::onFinishingDone);
    connect(&m_sizing, &QFutureWatcher<std::shared_ptr<EngineCopy>>::finished, this, &PagePipeline::onSized);
}

// Quietly: whoever listens may be going too.
PagePipeline::~PagePipeline()
{
    blockSignals(true);
    stop();
}

void PagePipeline::start(const PageOrder& order)
{
    Q_ASSERT(m_stage == Stage::Idle);
    m_order = order;
    m_stage = Stage::Building;
    m_clock.restart();
    if (!build())
        return;
    Q_EMIT pageBuilt();
    const Result<void> written = WritePage(m_page);
    if (!written.ok())
        return end(PageResult::failed(written.error()));
    m_clock.lap(TimedStage::Page);
    const Result<ChosenEngine> engine = m_order.paged
                                            ? bookEngine(m_engines, m_order.app, engineNamed(m_order.fields.engine))
                                            : m_engines.choose(m_order.app, engineNamed(m_order.fields.engine),
                                                               PageLanguage::isRightToLeft(m_order.fields.language));
    if (!engine)
        return end(PageResult::failed(engine.error()));
    m_engine = engine.value();
    m_key = conversionKey(m_order.app, m_page, m_order.options, m_engine.engine);
    m_clock.lap(TimedStage::Key);
    if (reuse())
        return;
    if (m_order.options.optimiseImages)
        return startSizing();
    if (startEngine(m_page.htmlPath))
        m_stage = Stage::Converting;
}

// Anything short of the very same inputs and the very same PDF, and the engine runs as ever.
bool PagePipeline::reuse()
{
    const ReusablePdf& offered = m_order.reusable;
    if (m_key.isEmpty() || offered.key != m_key || offered.pdfDigest.isEmpty() ||
        fileDigest(offered.pdfPath) != offered.pdfDigest || !QDir().mkpath(QFileInfo(m_page.pdfPath).absolutePath()))
        return false;
    if (!m_placement.reserve(m_page.pdfPath))
        return false;
    if (!copyInto(offered.pdfPath, m_placement.privatePath())) {
        m_placement.discard();
        return false;
    }
    m_refused = offered.refused;
    m_stage = Stage::Finishing;
    BuiltPage converted = m_page;
    converted.pdfPath = m_placement.privatePath();
    const QString app = m_order.app;
    const CreateOptions options = m_order.options;
    const QString webFolder =
        m_order.outputFolder.isEmpty() ? QFileInfo(m_page.pdfPath).absolutePath() : m_order.outputFolder;
    FinishExtras extras = finishExtras();
    extras.pdfFinished = true;
    // Only a web page still needs the sized pictures.
    m_finishing.setFuture(QtConcurrent::run(&finishingPool(), [app, converted, options, webFolder, extras]() mutable {
        std::unique_ptr<EngineCopy> copy;
        if (options.saveWebPage && options.optimiseImages) {
            copy = std::make_unique<EngineCopy>(app, converted);
            extras.picturesFolder = copy->isValid() ? copy->folder() : QString();
        }
        return finishPdf(app, converted, options, webFolder, extras);
    }));
    Q_EMIT engineEnded();
    return true;
}

// Sizing decodes pictures, which takes a while for large photos: off the window's thread.
void PagePipeline::startSizing()
{
    const QString app = m_order.app;
    const BuiltPage page = m_page;
    m_sizing.setFuture(
        QtConcurrent::run(&finishingPool(), [app, page] { return std::make_shared<EngineCopy>(app, page); }));
}

// A copy that could not be made costs only the smaller PDF: the engine reads the page itself.
void PagePipeline::onSized()
{
    if (m_stage != Stage::Building)
        return;
    m_copy = m_sizing.result();
    m_clock.lap(TimedStage::Sizing);
    if (m_copy && !m_copy->isValid())
        m_copy.reset();
    if (startEngine(m_copy ? m_copy->htmlPath() : m_page.htmlPath))
        m_stage = Stage::Converting;
}

FinishExtras PagePipeline::finishExtras() const
{
    FinishExtras extras;
    if (m_copy) {
        extras.convertedPictures = m_copy->pictures();
        extras.picturesFolder = m_copy->folder();
    } else {
        const QString folder = QFileInfo(m_page.htmlPath).absolutePath();
        for (const QString& name : m_page.imageNames)
            extras.convertedPictures << inFolder(folder, name);
    }
    extras.about = {plainTitle(m_order.fields.mainTitle), plainTitle(m_order.fields.bonusHeadline),
                    pageLanguage(m_page.filledText)};
    if (m_order.preflight)
        extras.preflight = preflightInput();
    if (m_order.bookMarks)
        extras.book = m_order.bookMarks();
    return extras;
}

PreflightInput PagePipeline::preflightInput() const
{
    PreflightInput input;
    // The link as the page holds it, tags and all; the window's untouched "http://" makes no link.
    const QString link = m_order.fields.ctaUrl.trimmed();
    if (!link.isEmpty() && link != QLatin1String("http://"))
        input.links << m_order.fields.ctaUrl;
    input.links << m_order.preflightLinks;
    input.shortLink = m_shortLink.link;
    input.offerTarget = m_shortLink.target;
    input.mainTitle = plainTitle(m_order.fields.mainTitle);
    input.pageText = m_page.filledText;
    input.disclosure = m_page.disclosure;
    return input;
}

void PagePipeline::stop()
{
    if (!isRunning())
        return;
    if (m_stage == Stage::Finishing) {
        // The engine is done and the PDF whole; finishing it takes a moment, so it is let finish and delivered.
        // Its report, perhaps already queued, then finds the run ended.
        m_finishing.waitForFinished();
        deliver(m_finishing.result());
        return;
    }
    // Sizing is short and reads the page's files; it ends before they may go.
    m_sizing.waitForFinished();
    if (m_run) {
        // Stopping waits for the process; its report must not reach a run that is ending.
        disconnect(m_run, nullptr, this, nullptr);
        delete m_run;
        m_run = nullptr;
    }
    end(PageResult::stopped(stoppedMessage()));
}

QString PagePipeline::stoppedMessage()
{
    return tr("Stopped before the PDF was made.");
}

bool PagePipeline::build()
{
    const bool ownPage = bool(m_order.buildPage);
    if (!m_order.preview && !ownPage) {
        const QString problem = missingInfo(m_order.fields, m_order.catalogueEntryChosen);
        if (!problem.isEmpty()) {
            end(PageResult::missingInfo(problem));
            return false;
        }
    }
    if (!ownPage && !takeShortLink())
        return false;
    const PageFields& fields = m_order.fields;
    PageTarget target = PageTarget::ofApp(m_order.app);
    if (m_order.place == PageOrder::Place::Staging) {
        m_staging = std::make_unique<StagingFolder>(m_order.app, m_order.preview ? QStringLiteral("preview")
                                                                                 : QStringLiteral("job"));
        if (!m_staging->isValid()) {
            end(PageResult::failed(m_staging->error()));
            return false;
        }
        target = m_staging->target();
    } else {
        // The page writer appends, so a page left from an earlier run must go first.
        const Result<void> removed = removeOldPages(target.pageFolder);
        if (!removed.ok()) {
            end(PageResult::failed(removed.error()));
            return false;
        }
    }
    const Result<BuiltPage> built = ownPage           ? m_order.buildPage(m_order.app, target)
                                    : m_order.preview ? buildPreviewPage(m_order.app, fields, target)
                                                      : BuildPage(m_order.app, fields, target);
    if (built.ok()) {
        m_page = built.value();
        return true;
    }
    // The words alone do not say which of the two images, or which product, is missing.
    end(PageResult::failed(built.failure().is(BuildFailure::BonusImageMissing) ? targetFileNotFound(built.error())
                                                                               : built.error()));
    return false;
}

// From here on the page, its QR code, the web page and the preflight know the offer by its short link.
bool PagePipeline::takeShortLink()
{
    const Result<ShortLinkStore::Prepared> links =
        ShortLinkStore::prepare(m_order.app, m_order.fields, !m_order.preview);
    // A preview shows the page as it stands, short link or not.
    if (m_order.preview) {
        if (links)
            m_order.fields = links->shown;
        return true;
    }
    if (!links) {
        const bool missing = links.failure().is(ShortLinkStore::PrepareFailure::MissingInfo);
        end(missing ? PageResult::missingInfo(links.error()) : PageResult::failed(links.error()));
        return false;
    }
    m_order.fields = links->shown;
    m_shortLink = links->entry;
    return true;
}

bool PagePipeline::startEngine(const QString& htmlPath)
{
    const Result<void> reserved = m_placement.reserve(m_page.pdfPath);
    if (!reserved) {
        end(PageResult::failed(reserved.error()));
        return false;
    }
    m_enginePage = htmlPath;
    m_run = m_engines.start(
        m_engine.engine, {m_order.app, htmlPath, m_placement.privatePath(), m_order.timeLimitMs, m_order.paged}, this);
    connect(m_run, &PdfRun::finished, this, &PagePipeline::onEngineFinished);
    return true;
}

void PagePipeline::onEngineFinished(const RenderResult& result)
{
    m_sandboxNote = m_run->sandboxNote();
    m_clock.lap(TimedStage::Convert);
    // The run goes with the page: what its engine tidies up after it waits until the PDF is finished.
    disconnect(m_run, nullptr, this, nullptr);
    if (!result)
        return end(PageResult::failed(m_placement.userText(result.error())));
    if (m_order.reprint) {
        const Result<bool> again = m_order.reprint(m_placement.privatePath(), m_enginePage);
        if (!again)
            return end(PageResult::failed(again.error()));
        if (again.value()) {
            dropRun();
            m_placement.discard();
            startEngine(m_enginePage);
            return;
        }
    }
    m_refused = result->refused;
    m_stage = Stage::Finishing;
    BuiltPage converted = m_page;
    converted.pdfPath = m_placement.privatePath();
    const QString webFolder =
        m_order.outputFolder.isEmpty() ? QFileInfo(m_page.pdfPath).absolutePath() : m_order.outputFolder;
    m_finishing.setFuture(QtConcurrent::run(&finishingPool(), finishPdf, m_order.app, converted, m_order.options,
                                            webFolder, finishExtras()));
    Q_EMIT engineEnded();
}

void PagePipeline::onFinishingDone()
{
    if (m_stage == Stage::Finishing)
        deliver(m_finishing.result());
}

// A web page that could not be saved fails the run, but the PDF is made and said so.
void PagePipeline::deliver(const FinishResult& finished)
{
    m_clock.lap(TimedStage::Finish);
    const QString folder =
        m_order.outputFolder.isEmpty() ? QFileInfo(m_page.pdfPath).absolutePath() : m_order.outputFolder;
    const QString privatePdf = m_placement.privatePath();
    const QString fitNote = m_placement.userText(finished.fitNote);
    const Result<QString> placed = m_placement.place(folder);
    if (!placed)
        return end(PageResult::failed(placed.error()));
    const QString pdf = placed.value();
    // The new PDF stands and carries the short link: it goes into the table even when the web page failed.
    QStringList failures{finished.webPage.error()};
    if (!m_shortLink.slug.isEmpty())
        failures << ShortLinkStore::record(m_order.app, m_shortLink).error();
    failures.removeAll(QString());
    const QString failure =
        failures.isEmpty() ? QString() : tr("The PDF %1 was made. %2").arg(pdf, failures.join(QLatin1Char(' ')));
    PageResult made = PageResult::made(pdf);
    made.error = failure;
    made.fitNote = fitNote;
    if (finished.tagged)
        made.accessNote = finished.accessibleMissing.isEmpty()
                              ? tr("The PDF is accessible (PDF/UA-1).")
                              : tr("The PDF is tagged, but not accessible (PDF/UA-1): it lacks %1.")
                                    .arg(finished.accessibleMissing.join(QStringLiteral(", ")));
    made.webPageFolder = finished.webPage.valueOr({});
    m_preflight = finished.preflight;
    for (PreflightFinding& finding : m_preflight.failures)
        finding.line.replace(privatePdf, pdf);
    m_reusable = {pdf, m_key, m_key.isEmpty() ? QByteArray() : fileDigest(pdf), m_refused};
    m_page.pdfPath = pdf;
    m_clock.lap(TimedStage::Placing);
    end(std::move(made));
}

void PagePipeline::end(PageResult result)
{
    if (m_stage == Stage::Done)
        return;
    m_stage = Stage::Done;
    m_result = std::move(result);
    // Which engine made the PDF, then whether it ran without its sandbox: each said once.
    if (m_result.status == PageResult::Status::Made) {
        QStringList notes{m_engine.note, m_sandboxNote};
        notes.removeAll(QString());
        m_result.engineNote = notes.join(QLatin1Char(' '));
        m_result.unsandboxed = !m_sandboxNote.isEmpty();
        m_result.refused = m_refused;
    }
    dropRun();
    dropPrivateFiles();
    Q_EMIT finished();
}

// Perhaps from the run's own report: it may only go once that call has returned.
void PagePipeline::dropRun()
{
    if (!m_run)
        return;
    disconnect(m_run, nullptr, this, nullptr);
    m_run->deleteLater();
    m_run = nullptr;
}

void PagePipeline::dropPrivateFiles()
{
    m_placement.discard();
    // The finished future holds the copy too; its folder goes with the run.
    m_sizing.setFuture(QFuture<std::shared_ptr<EngineCopy>>());
    m_copy.reset();
    // A preview's PDF lives in its staging folder and is shown from there until the run goes.
    if (!m_order.preview || m_result.status != PageResult::Status::Made)
        m_staging.reset();
}
