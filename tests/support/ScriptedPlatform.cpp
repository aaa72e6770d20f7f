#include "ScriptedPlatform.h"

#include "Converter.h"

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

ConverterRun* ScriptedPlatform::startConverter(const QString& commandLine, const QString& pdfPath, int timeLimitMs,
                                               QObject* parent)
{
    commandLines.append(commandLine);
    auto* run = new ConverterRun(parent);
    if (onConverterStarted)
        onConverterStarted();
    // Connected before the window connects, so this runs first.
    QObject::connect(run, &ConverterRun::finished, run, [this] {
        if (onConverterFinished)
            onConverterFinished();
    });
    run->start(commandLine, pdfPath, timeLimitMs);
    return run;
}
