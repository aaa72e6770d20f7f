#pragma once

#include "Platform.h"

/** The real desktop: QMessageBox, QFileDialog, QClipboard, QDesktopServices, and the engines' own programs. */
class DesktopPlatform final : public Platform {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    bool askYesNoWithDetails(QWidget* parent, const QString& text, const QString& details, const QString& title,
                             MessageIcon icon) override;
    QString pickFile(QWidget* parent, const QString& title, const QString& initialFolder,
                     const QStringList& filters) override;
    QStringList pickFiles(QWidget* parent, const QString& title, const QString& initialFolder,
                          const QStringList& filters) override;
    QString pickFolder(QWidget* parent, const QString& title, const QString& initialFolder) override;
    QString pickSaveFile(QWidget* parent, const QString& title, const QString& initialPath,
                         const QStringList& filters) override;
    SaveAnswer askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title) override;
    void copyToClipboard(const QString& text) override;
    bool openFolder(const QString& path) override;
    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override;
};
