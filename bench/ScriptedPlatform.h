#pragma once

#include "Platform.h"

#include <QString>

#include <functional>

/**
 * The probe's desktop: answers No to every question, picks one scripted file, opens nothing, and
 * starts the real converter. Messages go to stderr so a failed measurement says why.
 */
class ScriptedPlatform final : public Platform {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    QString pickFile(QWidget* parent, const QString& title, const QString& initialFolder,
                     const QStringList& filters) override;
    void copyToClipboard(const QString& text) override;
    bool openFolder(const QString& path) override;
    ConverterRun* startConverter(const QString& commandLine, const QString& pdfPath, int timeLimitMs,
                                 QObject* parent) override;

    /** What every file picker returns. */
    QString pickedFile;
    /** Called as the window starts the converter and as that run reports its end, before the window hears of it. */
    std::function<void()> onConverterStarted;
    std::function<void()> onConverterFinished;
    /** Called with the text of each question or message, while it would be on screen. */
    std::function<void(const QString& text)> onQuestion;
    std::function<void(const QString& text)> onMessage;
};
