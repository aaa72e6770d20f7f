#pragma once

#include "Result.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class CreateSource;
class PagePipeline;
struct PageFields;
struct PageOrder;
class Platform;
class QWidget;

/**
 * The "Create" job: checks the wizard, asks about missing instructions, and drives the page pipeline into the
 * application's bin without blocking the window; then offers the output folder.
 */
class CreateCommand final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CreateCommand)

public:
    /** Messages are shown over @p dialogParent, which also owns the job. */
    CreateCommand(CreateSource& source, Platform& platform, const QString& appFolder, QWidget* dialogParent);

    /** What a click on "Create" does. */
    void cmdCreate_Click();
    /** What follows a made PDF for a page of its own: lines for Done, or the failure shown instead. */
    using AfterMade = std::function<Result<QStringList>(const QString& pdfPath)>;
    /**
     * Makes a page whose checks and builder the caller gave in @p order (a list's) through the same pipeline, with
     * the same questions and messages as the wizard's Create.
     */
    void createPrepared(PageOrder order, AfterMade afterMade);
    /** What a click on "Open Output Folder" does. */
    void OpenOutputFolder();
    bool isBusy() const;
    /** Stops a running Create without a word: no half PDF stays, an earlier PDF of that name is kept. */
    void cancel();

    /** How long the converter may run before it is stopped. */
    void setTimeLimitMs(int ms);

Q_SIGNALS:
    /** The page was built and is being written, converted and finished (true), or that ended (false). */
    void busyChanged(bool busy);
    /** The job ended, whatever its outcome (also after a failed check). */
    void finished();

private:
    PageOrder wizardOrder() const;
    bool passesChecks(const PageOrder& order);
    bool acceptsBrandColors(const PageFields& fields);
    void offerBuiltInInstructions(PageFields& fields);
    void RenderPdf(PageOrder order);
    void onPageBuilt();
    void onPipelineFinished();
    void AskOpenOutputFolder(const QString& details = QString());
    void showError(const QString& text);

    CreateSource& m_source;
    Platform& m_platform;
    QString m_appFolder;
    QWidget* m_dialogParent;
    PagePipeline* m_pipeline = nullptr;
    bool m_busy = false;
    int m_timeLimitMs;
    AfterMade m_afterMade;
};
