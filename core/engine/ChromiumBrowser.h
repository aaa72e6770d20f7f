#pragma once

#include "DevToolsPipe.h"

#include "Result.h"
#include <QJsonObject>
#include <QObject>
#include <QProcess>

#include <QString>

#include <memory>

class QSocketNotifier;
class QTemporaryDir;

/**
 * The one headless Chromium of this process, driven over its DevTools pipe: no port another local user could
 * reach. Started on first need with a throwaway profile below temp, started again after a crash of its own, and
 * gone with the program: its own process group, and killed with its parent.
 */
class ChromiumBrowser final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChromiumBrowser)

public:
    static ChromiumBrowser& instance();
    ~ChromiumBrowser() override;
    /** The browser when one was made and the program is not ending; else null. */
    static ChromiumBrowser* existing();

    /** The browser's arguments after its program, for @p profile. */
    static QStringList arguments(const QString& profile);

    /**
     * Starts the browser unless it runs with its profile below @p app's temp and may read @p pageFolder; it reads no
     * other page's folder, so a page of another folder starts it again. A failure says why it could not start.
     */
    Result<void> ensureRunning(const QString& app, const QString& pageFolder);
    bool isRunning() const;
    /** Ends the browser and all it started and removes its profile; the next run starts it again. */
    void stop();
    /** Sends a command; its reply comes as replied() with the id returned. */
    int send(const QString& method, const QJsonObject& params = {}, const QString& sessionId = {});
    qint64 processId() const;
    /** Empty while the browser runs in its sandbox; else the note that it does not. */
    QString sandboxNote() const { return m_sandboxNote; }
    /** The tab the command @p createId opens is closed as soon as it stands: its run went first. */
    void closeTabOf(int createId);
    /** The spare tab a run takes: standing ready, or still being opened. */
    struct SpareTab {
        /** The tab, its page process started; empty while it is still being opened. */
        QString targetId;
        /** Else the command that opens it, whose reply comes as replied() then; 0 when no spare is on its way. */
        int createId = 0;
    };
    SpareTab takeSpareTab();
    /** Closes a run's tab, and has the next spare one opened. */
    void closeTab(const QString& targetId);
    /** A run prints in this browser from now until release(); the browser is not started again meanwhile. */
    void hold();
    void release();
    /** True while runs print pages of another folder than @p pageFolder: a run for it waits for idle(). */
    bool busyElsewhere(const QString& app, const QString& pageFolder) const;

Q_SIGNALS:
    void replied(const DevToolsMessage& reply);
    /** A run is about to take the spare tab: tabs kept open by runs that printed close now. */
    void tabWanted();
    void notified(const DevToolsMessage& event);
    /** The browser went while it had work: every run it carried fails with @p why. */
    void ended(const QString& why);
    /** The last run that held the browser let it go. */
    void idle();

private:
    ChromiumBrowser();

    Result<void> start(const QString& app, const QString& pageFolder);
    void onReadable();
    void onProcessFinished();
    void closePipes();
    void openSpareTab();
    void dropDeadSpare(const DevToolsMessage& event);

    static constexpr int MaxSpareLosses = 3;

    QProcess m_process;
    std::unique_ptr<QTemporaryDir> m_profile;
    QString m_app;
    QString m_pageFolder;
    QString m_program;
    QString m_sandboxNote;
    int m_toBrowser = -1;
    int m_fromBrowser = -1;
    QSocketNotifier* m_readable = nullptr;
    DevToolsFramer m_framer;
    QByteArray m_output;
    int m_nextId = 1;
    QList<int> m_orphanTabs;
    int m_spareCreateId = 0;
    QString m_spareTargetId;
    /** Runs printing in this browser now. */
    int m_holds = 0;
    /** Spare tabs lost in a row since one was last taken. */
    int m_spareLosses = 0;
};
