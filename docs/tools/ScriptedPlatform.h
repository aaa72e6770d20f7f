#pragma once

#include "Platform.h"

#include <QQueue>
#include <QString>

/**
 * A desktop that answers for the user while the screenshots are taken: the file picker takes
 * queued paths, questions are answered No, messages go to the error output. The converter is real.
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

    /** Paths for the next file pickers, in order. */
    QQueue<QString> pickedFiles;
    /** How many messages (not questions) were shown; each one means the tour went wrong. */
    int messageCount = 0;
};
