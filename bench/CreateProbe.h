#pragma once

#include "ScriptedPlatform.h"
#include "StageListener.h"
#include "WindowDriver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTemporaryDir>

#include <memory>

class MainWindow;

/**
 * Fills the real window through its controls, presses "Create" several times in a row and times each
 * press up to the "Ready" question. Optionally runs the converter alone on the same page after each
 * press, bare and in its sandbox, so they are measured side by side. Prints one "key value" line per figure, and
 * each stage of a press as "stage_NAME MS".
 */
class CreateProbe final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CreateProbe)

public:
    CreateProbe(const QString& appFolder, int runs, bool withConverterAlone);
    ~CreateProbe() override;

    /** Opens @p campaign in @p design instead of filling the window; empty keeps the typical fill. */
    void useCampaign(const QString& campaign, const QString& design);
    /** Shows and fills the window; false (with a reason on stderr) when that failed. */
    bool prepare();
    /** Starts the runs; the application quits with 0 after the last, 1 on a failure. */
    void start();

private:
    void fill();
    void openCampaign();
    QString makeCover() const;
    void pressCreate();
    void onReady();
    void onCreateFinished();
    void runConverterAlone();
    void runSandboxedAlone();
    QString writtenPage() const;
    void next();
    void fail(const QString& why);
    void printStats(const char* when) const;

    QString m_appFolder;
    int m_runs;
    bool m_withConverterAlone;
    QString m_campaign;
    QString m_design;
    int m_done = 0;
    bool m_sawReady = false;
    bool m_failed = false;
    ScriptedPlatform m_platform;
    QTemporaryDir m_scratch;
    std::unique_ptr<MainWindow> m_window;
    WindowDriver m_driver;
    QElapsedTimer m_clock;
    qint64 m_converterStartNs = 0;
    qint64 m_converterEndNs = 0;
    QStringList m_warmFiles;
    StageListener m_stages;
};
