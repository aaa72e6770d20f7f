#include "ScriptedPlatform.h"

#include "Converter.h"

#include <cstdio>

void ScriptedPlatform::showMessage(QWidget*, const QString& text, const QString& title, MessageIcon)
{
    ++messageCount;
    std::fprintf(stderr, "message \"%s\": %s\n", qPrintable(title), qPrintable(text));
}

bool ScriptedPlatform::askYesNo(QWidget*, const QString& text, const QString& title, MessageIcon)
{
    std::fprintf(stderr, "question \"%s\" answered No: %s\n", qPrintable(title), qPrintable(text));
    return false;
}

QString ScriptedPlatform::pickFile(QWidget*, const QString&, const QString&, const QStringList&)
{
    return pickedFiles.isEmpty() ? QString() : pickedFiles.dequeue();
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
    run->start(commandLine, pdfPath, timeLimitMs);
    return run;
}
