#include "ChromiumRun.h"

#include "AppFolder.h"
#include "ChromiumBrowser.h"
#include "ChromiumPrint.h"
#include "EngineFingerprint.h"
#include "EngineReport.h"
#include "EngineShared.h"
#include "StageClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QUrl>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::engine;

namespace orvanta::engine {
namespace {
QString canonicalFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QString() : canonical + QLatin1Char('/');
}

} // namespace

// Only a file URL is a file of the page's; the path is taken after links and ".." are followed, and a folder's
// name must end where the path's next part begins, so "page2" is no part of "page".
bool isConfinedRequest(const QString& url, const QStringList& folders)
{
    const QUrl parsed(url);
    if (!parsed.isLocalFile() || !parsed.host().isEmpty())
        return false;
    const QString file = QFileInfo(parsed.toLocalFile()).canonicalFilePath();
    if (file.isEmpty())
        return false;
    for (const QString& folder : folders) {
        const QString inside = canonicalFolder(folder);
        if (!inside.isEmpty() && file.startsWith(inside))
            return true;
    }
    return false;
}
} // namespace orvanta::engine

ChromiumRun::ChromiumRun(QObject* parent)
    : PdfRun(parent)
{
    m_timeLimit.setSingleShot(true);
    connect(&m_timeLimit, &QTimer::timeout, this, [this] {
        finish(fail(tr("Chromium did not print %1 within %2 seconds and was stopped.")
                        .arg(m_htmlPath)
                        .arg(m_timeLimit.interval() / 1000.0)));
    });
}

// A run dropped midway leaves no half PDF behind, and no tab open.
ChromiumRun::~ChromiumRun()
{
    cancel();
    closeTab();
}

void ChromiumRun::start(const QString& app, const QString& htmlPath, const QString& pdfPath, int timeLimitMs)
{
    m_app = app;
    m_htmlPath = htmlPath;
    m_pdfPath = pdfPath;
    m_clock.restart();
    m_folders = QStringList{QFileInfo(htmlPath).absolutePath(), AppFolder::assetsFolder(app)};
    m_started = true;
    m_timeLimit.start(timeLimitMs);
    begin();
}

void ChromiumRun::begin()
{
    if (m_done)
        return;
    ChromiumBrowser& browser = ChromiumBrowser::instance();
    // The browser reads one folder of pages at a time: a page of another one waits until its pages are printed.
    if (browser.busyElsewhere(m_app, m_folders.first())) {
        connect(&browser, &ChromiumBrowser::idle, this, &ChromiumRun::begin, Qt::SingleShotConnection);
        return;
    }
    Result<void> ready = makeOutputFolder(QFileInfo(m_pdfPath).absolutePath());
    if (ready)
        ready = browser.ensureRunning(m_app, m_folders.first());
    if (!ready) {
        QTimer::singleShot(0, this, [this, error = ready.error()] { finish(fail(error)); });
        return;
    }
    browser.hold();
    m_holding = true;
    setSandboxNote(browser.sandboxNote());
    connect(&browser, &ChromiumBrowser::replied, this, &ChromiumRun::onReply);
    connect(&browser, &ChromiumBrowser::notified, this, &ChromiumRun::onEvent);
    connect(&browser, &ChromiumBrowser::ended, this, [this](const QString& why) { finish(fail(why)); });
    const ChromiumBrowser::SpareTab spare = browser.takeSpareTab();
    m_targetId = spare.targetId;
    if (!m_targetId.isEmpty()) {
        attach();
    } else if (spare.createId > 0) {
        m_step = Step::Opening;
        m_waitingFor = spare.createId;
    } else {
        send(Step::Opening, QStringLiteral("Target.createTarget"),
             {{QStringLiteral("url"), QStringLiteral("about:blank")}});
    }
}

bool ChromiumRun::isRunning() const
{
    return m_started && !m_done;
}

void ChromiumRun::cancel()
{
    if (!isRunning())
        return;
    m_done = true;
    m_timeLimit.stop();
    closeTab();
    letBrowserGo();
    QFile::remove(m_pdfPath);
}

void ChromiumRun::letBrowserGo()
{
    ChromiumBrowser* browser = ChromiumBrowser::existing();
    if (m_holding && browser)
        browser->release();
    m_holding = false;
}

void ChromiumRun::send(Step step, const QString& method, const QJsonObject& params)
{
    m_step = step;
    m_waitingFor = ChromiumBrowser::instance().send(
        method, params, step == Step::Opening || step == Step::Attaching ? QString() : m_sessionId);
}

void ChromiumRun::onReply(const DevToolsMessage& reply)
{
    if (m_done || reply.id != m_waitingFor)
        return;
    if (!reply.error.isEmpty())
        return finish(fail(tr("Chromium could not print %1: %2").arg(m_htmlPath, reply.error)));
    switch (m_step) {
    case Step::Opening:
        m_targetId = reply.data.value(QLatin1String("targetId")).toString();
        return attach();
    case Step::Attaching: {
        m_clock.lap(TimedStage::ConvertTab);
        m_sessionId = reply.data.value(QLatin1String("sessionId")).toString();
        // Commands of one session run in order: the page is confined before it is asked for.
        ChromiumBrowser& browser = ChromiumBrowser::instance();
        browser.send(QStringLiteral("Fetch.enable"),
                     {{QStringLiteral("patterns"), QJsonArray{QJsonObject{{QStringLiteral("urlPattern"), "*"}}}}},
                     m_sessionId);
        browser.send(QStringLiteral("Page.enable"), {}, m_sessionId);
        // The converter lays the page out as a screen shows it.
        browser.send(QStringLiteral("Emulation.setDeviceMetricsOverride"),
                     {{QStringLiteral("width"), qRound(ChromiumPrint::layoutWidthPx())},
                      {QStringLiteral("height"), 1000},
                      {QStringLiteral("deviceScaleFactor"), 1},
                      {QStringLiteral("mobile"), false}},
                     m_sessionId);
        browser.send(QStringLiteral("Emulation.setEmulatedMedia"),
                     {{QStringLiteral("media"), QStringLiteral("screen")}}, m_sessionId);
        return send(Step::Loading, QStringLiteral("Page.navigate"),
                    {{QStringLiteral("url"), QUrl::fromLocalFile(m_htmlPath).toString(QUrl::FullyEncoded)}});
    }
    case Step::Loading: {
        const QString failed = reply.data.value(QLatin1String("errorText")).toString();
        if (!failed.isEmpty())
            return finish(fail(tr("Chromium could not open %1: %2").arg(m_htmlPath, failed)));
        m_waitingFor = 0;
        return;
    }
    case Step::Measuring:
        m_clock.lap(TimedStage::ConvertMeasure);
        return print(reply.data.value(QLatin1String("result")).toObject().value(QLatin1String("value")).toDouble());
    case Step::Printing:
        m_clock.lap(TimedStage::ConvertPrint);
        return writePdf(reply.data);
    case Step::Done:
        return;
    }
}

void ChromiumRun::onEvent(const DevToolsMessage& event)
{
    if (m_done)
        return;
    if (m_sessionId.isEmpty() || event.sessionId != m_sessionId)
        return onBrowserEvent(event);
    if (event.method == QLatin1String("Fetch.requestPaused"))
        onRequestPaused(event.data);
    else if (event.method == QLatin1String("Page.loadEventFired") && m_step == Step::Loading) {
        m_clock.lap(TimedStage::ConvertLoad);
        measure();
    } else if (event.method == QLatin1String("Inspector.targetCrashed"))
        finish(fail(tr("Chromium's tab for %1 crashed.").arg(m_htmlPath)));
    else if (event.method == QLatin1String("Page.javascriptDialogOpening"))
        // A dialog waits for an answer the page would never get; the converter answers and goes on too.
        ChromiumBrowser::instance().send(QStringLiteral("Page.handleJavaScriptDialog"),
                                         {{QStringLiteral("accept"), false}}, m_sessionId);
    else if (event.method == QLatin1String("Page.frameRequestedNavigation"))
        onNavigation(event.data.value(QLatin1String("frameId")).toString(),
                     event.data.value(QLatin1String("url")).toString());
    else if (event.method == QLatin1String("Page.frameNavigated"))
        onNavigated(event.data.value(QLatin1String("frame")).toObject());
}

// A tab that crashed or went is reported on the browser's own session.
void ChromiumRun::onBrowserEvent(const DevToolsMessage& event)
{
    const QString method = event.method;
    if (method == QLatin1String("Target.detachedFromTarget") && !m_sessionId.isEmpty() &&
        event.data.value(QLatin1String("sessionId")).toString() == m_sessionId)
        return finish(fail(tr("Chromium's tab for %1 closed before it printed.").arg(m_htmlPath)));
    if (m_targetId.isEmpty() || event.data.value(QLatin1String("targetId")).toString() != m_targetId)
        return;
    if (method == QLatin1String("Target.targetCrashed"))
        finish(fail(tr("Chromium's tab for %1 crashed.").arg(m_htmlPath)));
    else if (method == QLatin1String("Target.targetDestroyed"))
        finish(fail(tr("Chromium's tab for %1 closed before it printed.").arg(m_htmlPath)));
}

// Only the page's own document may stand in its main frame: anything else would be printed in its place.
bool ChromiumRun::isOwnPage(const QString& url) const
{
    const QUrl parsed(url);
    return parsed.isLocalFile() && parsed.host().isEmpty() && !parsed.hasQuery() &&
           QFileInfo(parsed.toLocalFile()) == QFileInfo(m_htmlPath);
}

void ChromiumRun::onNavigation(const QString& frameId, const QString& url)
{
    if (frameId == m_targetId && !isOwnPage(url))
        finish(fail(leftItselfMessage(m_htmlPath, url)));
}

// The tab may show another document before its page: only once the page stands is a new one a departure.
void ChromiumRun::onNavigated(const QJsonObject& frame)
{
    if (frame.contains(QLatin1String("parentId")))
        return;
    const QString url = frame.value(QLatin1String("url")).toString();
    if (isOwnPage(url))
        m_pageShown = true;
    else if (m_pageShown)
        finish(fail(leftItselfMessage(m_htmlPath, url)));
}

void ChromiumRun::attach()
{
    send(Step::Attaching, QStringLiteral("Target.attachToTarget"),
         {{QStringLiteral("targetId"), m_targetId}, {QStringLiteral("flatten"), true}});
}

void ChromiumRun::onRequestPaused(const QJsonObject& request)
{
    const QString id = request.value(QLatin1String("requestId")).toString();
    const QString url = request.value(QLatin1String("request")).toObject().value(QLatin1String("url")).toString();
    // Another document in the main frame is the page leaving itself; in a frame of the page it is any other load.
    const bool mainDocument = request.value(QLatin1String("resourceType")).toString() == QLatin1String("Document") &&
                              request.value(QLatin1String("frameId")).toString() == m_targetId;
    ChromiumBrowser& browser = ChromiumBrowser::instance();
    const auto fail = [&](const QString& reason) {
        browser.send(QStringLiteral("Fetch.failRequest"),
                     {{QStringLiteral("requestId"), id}, {QStringLiteral("errorReason"), reason}}, m_sessionId);
    };
    // The tail's scripts only answer clicks: the PDF waits neither for their loading nor for their running.
    if (!mainDocument && isPageTailScriptOf(QUrl::fromLocalFile(m_htmlPath), url))
        return fail(QStringLiteral("BlockedByClient"));
    if (isConfinedRequest(url, m_folders) && (!mainDocument || isOwnPage(url))) {
        browser.send(QStringLiteral("Fetch.continueRequest"), {{QStringLiteral("requestId"), id}}, m_sessionId);
        return;
    }
    fail(QStringLiteral("AccessDenied"));
    if (mainDocument)
        onNavigation(m_targetId, url);
    else if (!m_refused.contains(url))
        m_refused << url;
}

// Laid out at the printed width, as a screen shows it, the page's height is the one it prints at. The page names the
// black-and-white Symbola for emoji among its fonts, which the converter needs; here emoji come from the colour font
// where it is installed, the rest of Symbola as before.
void ChromiumRun::measure()
{
    static const QString expression = QStringLiteral(
        "(async () => {"
        " const style = document.createElement('style');"
        " style.textContent = '@font-face { font-family: \"Symbola\"; src: local(\"Symbola\"); }"
        " @font-face { font-family: \"Symbola\"; src: local(\"Noto Color Emoji\");"
        " unicode-range: U+231A-231B, U+23E9-23FA, U+2600-27BF, U+2B50, U+2B55, U+1F000-1FAFF; }';"
        " (document.head || document.documentElement).appendChild(style);"
        " await document.fonts.ready;"
        " return Math.max(document.documentElement.scrollHeight, document.body ? document.body.scrollHeight : 0);"
        "})()");
    send(Step::Measuring, QStringLiteral("Runtime.evaluate"),
         {{QStringLiteral("expression"), expression},
          {QStringLiteral("awaitPromise"), true},
          {QStringLiteral("returnByValue"), true}});
}

void ChromiumRun::print(double contentHeightPx)
{
    send(Step::Printing, QStringLiteral("Page.printToPDF"),
         m_paged ? ChromiumPrint::pagedSettings() : ChromiumPrint::settings(contentHeightPx));
}

void ChromiumRun::writePdf(const QJsonObject& printed)
{
    const QByteArray pdf = QByteArray::fromBase64(printed.value(QLatin1String("data")).toString().toLatin1(),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    if (!isWholePdf(pdf))
        return finish(fail(tr("Chromium printed no whole PDF for %1.").arg(m_pdfPath)));
    QFile file(m_pdfPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(pdf) != pdf.size() || !file.flush())
        return finish(fail(tr("The PDF %1 could not be written: %2").arg(m_pdfPath, file.errorString())));
    m_clock.lap(TimedStage::ConvertWrite);
    finish(RenderedPdf{m_refused});
}

void ChromiumRun::finish(const RenderResult& result)
{
    if (m_done)
        return;
    m_done = true;
    m_step = Step::Done;
    m_timeLimit.stop();
    // A printed page's tab closes with the run, or when another page wants a tab: closing it opens the next spare,
    // whose page process would otherwise start beside the caller's finishing of this PDF on a two-core machine.
    if (result) {
        stopListening();
        connect(&ChromiumBrowser::instance(), &ChromiumBrowser::tabWanted, this, &ChromiumRun::closeTab);
    } else {
        closeTab();
    }
    letBrowserGo();
    // A failed run's file is no PDF of anyone's.
    if (!result)
        QFile::remove(m_pdfPath);
    Q_EMIT finished(result);
}

void ChromiumRun::stopListening()
{
    if (ChromiumBrowser* browser = ChromiumBrowser::existing())
        disconnect(browser, nullptr, this, nullptr);
}

// Also while its tab is still being opened: the browser closes it once it stands.
void ChromiumRun::closeTab()
{
    stopListening();
    ChromiumBrowser* browser = ChromiumBrowser::existing();
    if (!browser || !browser->isRunning())
        return;
    if (!m_targetId.isEmpty())
        browser->closeTab(m_targetId);
    else if (m_waitingFor > 0)
        browser->closeTabOf(m_waitingFor);
    m_targetId.clear();
    m_waitingFor = 0;
}

QString ChromiumRun::fingerprint()
{
    return QStringLiteral("%1 %2 %3")
        .arg(ChromiumBrowser::arguments(QStringLiteral("PROFILE")).join(QLatin1Char(' ')))
        .arg(ConverterScale)
        .arg(programStamp(chromiumProgram()));
}
