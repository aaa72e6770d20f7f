#pragma once

#include "PageBuilder.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>

#include <optional>

class ConverterRun;
class CreateSource;
class Platform;
class QWidget;
struct FinishResult;
struct BuildResult;
struct RenderResult;

/**
 * The "Create" job: checks the wizard, builds and writes the page, converts it without blocking
 * the window, and offers the output folder.
 */
class CreateCommand final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CreateCommand)

public:
    /** Messages are shown over @p dialogParent, which also owns the job. */
    CreateCommand(CreateSource& source, Platform& platform, const QString& appFolder, QWidget* dialogParent);

    /** What a click on "Create" does. */
    void cmdCreate_Click();
    /** What a click on "Open Output Folder" does. */
    void OpenOutputFolder();
    bool isBusy() const;

    /** How long the converter may run before it is stopped. */
    void setTimeLimitMs(int ms);

Q_SIGNALS:
    /** The converter run began (true) or ended (false): the window blinks and disables its two buttons. */
    void busyChanged(bool busy);
    /** The job ended, whatever its outcome (also after a failed check). */
    void finished();

private:
    std::optional<BuiltPage> prepare();
    bool passesChecks();
    void offerBuiltInInstructions();
    bool removeOldPages();
    std::optional<BuiltPage> acceptedPage(const BuildResult& built);
    void RenderPdf(const BuiltPage& page);
    void onConverterFinished(const RenderResult& result);
    /** Fits the PDF and saves the web page off the window's thread; the job stays busy meanwhile. */
    void finishPdf(const BuiltPage& page);
    void onPdfFinished();
    void AskOpenOutputFolder();
    void endRun();
    void showError(const QString& text);

    CreateSource& m_source;
    Platform& m_platform;
    QString m_appFolder;
    QWidget* m_dialogParent;
    QPointer<ConverterRun> m_run;
    QFutureWatcher<FinishResult>* m_finishing;
    std::optional<BuiltPage> m_page;
    int m_timeLimitMs;
};
