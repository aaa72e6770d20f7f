#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

class ConverterRun;
class MainWindow;
class Platform;
struct BuiltPage;
struct BuildResult;
struct PageFields;
struct RenderResult;

/**
 * The "Create" job: checks the wizard, builds and writes the page, converts it without blocking
 * the window, and offers the output folder. Owned by the main window.
 */
class CreateCommand final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CreateCommand)

public:
    CreateCommand(MainWindow& window, Platform& platform);

    /** What a click on "Create" does. */
    void run();
    /** What a click on "Open Output Folder" does. */
    void openOutputFolder();
    bool isBusy() const;
    /** Stops a running conversion without a word: no half PDF stays, an earlier PDF of that name comes back. */
    void cancel();

    /** How long the converter may run before it is stopped. */
    void setTimeLimitMs(int ms);

Q_SIGNALS:
    /** The job ended, whatever its outcome (also after a failed check). */
    void finished();

private:
    /** The first reason the wizard is incomplete, or an empty string. */
    static QString missingInfo(const PageFields& fields, int selectedBonusIndex);

    std::optional<BuiltPage> prepare();
    bool passesChecks();
    void offerBuiltInInstructions();
    bool removeOldPages();
    std::optional<BuiltPage> acceptedPage(const BuildResult& built);
    void render(const BuiltPage& page);
    void onConverterFinished(const RenderResult& result);
    void askOpenOutputFolder();
    void setBusy(bool busy);
    void showError(const QString& text);
    QString appFolder() const;

    MainWindow& m_window;
    Platform& m_platform;
    QPointer<ConverterRun> m_run;
    int m_timeLimitMs;
};
