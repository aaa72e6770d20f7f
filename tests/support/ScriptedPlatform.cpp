#include "ScriptedPlatform.h"

using namespace orvanta::engine;

void ScriptedPlatform::showMessage(QWidget*, const QString& text, const QString& title, MessageIcon icon)
{
    messages.append({text, title, icon, false, {}});
    if (onMessage)
        onMessage(messages.last());
}

bool ScriptedPlatform::askYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    return askYesNoWithDetails(parent, text, {}, title, icon);
}

bool ScriptedPlatform::askYesNoWithDetails(QWidget*, const QString& text, const QString& details, const QString& title,
                                           MessageIcon icon)
{
    messages.append({text, title, icon, true, details});
    if (onMessage)
        onMessage(messages.last());
    return answers.isEmpty() ? false : answers.dequeue();
}

QString ScriptedPlatform::pickFile(QWidget*, const QString& title, const QString& initialFolder,
                                   const QStringList& filters)
{
    filePicks.append({title, initialFolder, filters});
    return pickedFiles.isEmpty() ? QString() : pickedFiles.dequeue();
}

QStringList ScriptedPlatform::pickFiles(QWidget*, const QString& title, const QString& initialFolder,
                                        const QStringList& filters)
{
    filePicks.append({title, initialFolder, filters});
    return pickedFiles.isEmpty() ? QStringList() : pickedFiles.dequeue().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString ScriptedPlatform::pickSaveFile(QWidget*, const QString& title, const QString& initialPath,
                                       const QStringList& filters)
{
    filePicks.append({title, initialPath, filters});
    return pickedFiles.isEmpty() ? QString() : pickedFiles.dequeue();
}

QString ScriptedPlatform::pickFolder(QWidget*, const QString& title, const QString& initialFolder)
{
    filePicks.append({title, initialFolder, {}});
    return pickedFiles.isEmpty() ? QString() : pickedFiles.dequeue();
}

SaveAnswer ScriptedPlatform::askSaveDiscardCancel(QWidget*, const QString& text, const QString&)
{
    saveQuestions.append(text);
    return saveAnswers.isEmpty() ? SaveAnswer::Discard : saveAnswers.dequeue();
}

void ScriptedPlatform::copyToClipboard(const QString& text)
{
    clipboard.append(text);
}

bool ScriptedPlatform::openFolder(const QString& path)
{
    openedFolders.append(path);
    return openFolderSucceeds;
}

PdfRun* ScriptedPlatform::start(PdfEngine engine, const PdfRunOrder& order, QObject* parent)
{
    starts.append({engine, order});
    const auto script = scripts.find(engine);
    if (onRunStarted)
        onRunStarted();
    PdfRun* run = nullptr;
    if (script == scripts.end()) {
        run = startPdfRun(engine, order, parent);
    } else {
        auto* scripted = new ScriptedRun(script->second, order.pdfPath, parent);
        m_scriptedRuns.append(scripted);
        run = scripted;
    }
    // Connected before the window connects, so this runs first.
    QObject::connect(run, &PdfRun::finished, run, [this] {
        if (onRunFinished)
            onRunFinished();
    });
    return run;
}

bool ScriptedPlatform::isInstalled(const QString& app, PdfEngine engine) const
{
    // A scripted engine stands ready whatever this machine has (Debian 13 has no converter).
    const auto listed = installed.find(engine);
    if (listed != installed.end())
        return listed->second;
    return scripts.count(engine) > 0 || Platform::isInstalled(app, engine);
}

QStringList ScriptedPlatform::startedPages() const
{
    QStringList pages;
    for (const EngineStart& start : starts)
        pages << start.order.htmlPath;
    return pages;
}

QList<ScriptedRun*> ScriptedPlatform::runningScripts() const
{
    QList<ScriptedRun*> running;
    for (const QPointer<ScriptedRun>& run : m_scriptedRuns) {
        if (run && run->isRunning())
            running << run;
    }
    return running;
}
