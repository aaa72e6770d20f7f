#include "FakePlatform.h"

#include "Converter.h"

void FakePlatform::showMessage(QWidget*, const QString& text, const QString& title, MessageIcon icon)
{
    messages.append({text, title, icon, false});
    if (onMessage)
        onMessage(messages.last());
}

bool FakePlatform::askYesNo(QWidget*, const QString& text, const QString& title, MessageIcon icon)
{
    messages.append({text, title, icon, true});
    if (onMessage)
        onMessage(messages.last());
    return answers.isEmpty() ? false : answers.dequeue();
}

QString FakePlatform::pickFile(QWidget*, const QString& title, const QString& initialFolder, const QStringList& filters)
{
    filePicks.append({title, initialFolder, filters});
    return pickedFiles.isEmpty() ? QString() : pickedFiles.dequeue();
}

void FakePlatform::copyToClipboard(const QString& text)
{
    clipboard.append(text);
}

bool FakePlatform::openFolder(const QString& path)
{
    openedFolders.append(path);
    return openFolderSucceeds;
}

ConverterRun* FakePlatform::startConverter(const QString& commandLine, const QString& pdfPath, int timeLimitMs,
                                           QObject* parent)
{
    commandLines.append(commandLine);
    auto* run = new ConverterRun(parent);
    run->start(commandLine, pdfPath, timeLimitMs);
    return run;
}
