#include "ScriptedPlatform.h"

#include "Converter.h"

#include <cstdio>

void ScriptedPlatform::showMessage(QWidget*, const QString& text, const QString& title, MessageIcon)
{
    std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
    if (onMessage)
        onMessage(text);
}

bool ScriptedPlatform::askYesNo(QWidget*, const QString& text, const QString&, MessageIcon)
{
    if (onQuestion)
        onQuestion(text);
    return false;
}

QString ScriptedPlatform::pickFile(QWidget*, const QString&, const QString&, const QStringList&)
{
    return pickedFile;
}

void ScriptedPlatform::copyToClipboard(const QString&) {}

bool ScriptedPlatform::openFolder(const QString&)
{
    return true;
}

ConverterRun* ScriptedPlatform::startConverter(const QString& commandLine, const QString& pdfPath, int timeLimitMs,
                                               QObject* parent)
{
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
