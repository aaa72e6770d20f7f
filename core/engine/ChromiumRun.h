#pragma once

#include "ChromiumPrint.h"
#include "DevToolsPipe.h"
#include "PdfRun.h"
#include "StageClock.h"

#include <QString>
#include <QStringList>
#include <QTimer>

namespace orvanta::engine {
/** True when the page may load @p url: a file inside one of @p folders once links and ".." are resolved. */
bool isConfinedRequest(const QString& url, const QStringList& folders);
} // namespace orvanta::engine

/**
 * One page printed to PDF by the shared Chromium, in a tab of its own. Every request the page makes is stopped
 * and only the page's own folder and the page scripts are served; nothing else, no network. Judged by the PDF it
 * wrote, as the converter's run is. The tab of a page that printed stays open until the run is deleted or
 * another run wants a tab.
 */
class ChromiumRun final : public PdfRun {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChromiumRun)

public:
    /** The converter draws a CSS pixel at about this much of Chromium's size; printed so, the page looks the same. */
    static constexpr double ConverterScale = orvanta::engine::ChromiumPrint::ConverterScale;

    explicit ChromiumRun(QObject* parent = nullptr);
    ~ChromiumRun() override;

    void start(const QString& app, const QString& htmlPath, const QString& pdfPath,
               int timeLimitMs = DefaultTimeLimitMs);
    /** Prints on the pages the page's CSS sizes rather than one page cut to its content. */
    void setPaged(bool paged) { m_paged = paged; }
    bool isRunning() const override;
    void cancel() override;

    /** What a run is told besides the page's paths, and which program it is: the same for the same PDF. */
    static QString fingerprint();

private:
    enum class Step { Opening, Attaching, Loading, Measuring, Printing, Done };

    void begin();
    void letBrowserGo();
    void send(Step step, const QString& method, const QJsonObject& params = {});
    void attach();
    void onReply(const DevToolsMessage& reply);
    void onEvent(const DevToolsMessage& event);
    void onBrowserEvent(const DevToolsMessage& event);
    bool isOwnPage(const QString& url) const;
    void onNavigation(const QString& frameId, const QString& url);
    void onNavigated(const QJsonObject& frame);
    void onRequestPaused(const QJsonObject& request);
    void measure();
    void print(double contentHeightPx);
    void writePdf(const QJsonObject& printed);
    void finish(const RenderResult& result);
    void stopListening();
    void closeTab();

    QTimer m_timeLimit;
    StageClock m_clock;
    QString m_app;
    QString m_htmlPath;
    QString m_pdfPath;
    QStringList m_folders;
    QStringList m_refused;
    QString m_targetId;
    QString m_sessionId;
    /** The command whose reply moves the run on, and the step it belongs to. */
    int m_waitingFor = 0;
    Step m_step = Step::Opening;
    bool m_started = false;
    /** The page itself stands in the tab's main frame. */
    bool m_pageShown = false;
    bool m_done = false;
    bool m_paged = false;
    /** This run counts among the browser's until it ends. */
    bool m_holding = false;
};
