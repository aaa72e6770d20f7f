#include "DesktopPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

using namespace orvanta::engine;

namespace {
QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

int showBox(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
            const QString& details = QString())
{
    QMessageBox box(icon, title, text, buttons, parent);
    // Paths and typed text may look like markup ("<b>", "&lt;"); Qt would guess rich text and mangle them.
    box.setTextFormat(Qt::PlainText);
    if (!details.isEmpty())
        box.setInformativeText(details);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return box.exec();
}
} // namespace

void DesktopPlatform::showMessage(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    showBox(parent, text, title, boxIcon(icon), QMessageBox::Ok);
}

bool DesktopPlatform::askYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
{
    return showBox(parent, text, title, boxIcon(icon), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool DesktopPlatform::askYesNoWithDetails(QWidget* parent, const QString& text, const QString& details,
                                          const QString& title, MessageIcon icon)
{
    return showBox(parent, text, title, boxIcon(icon), QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton,
                   details) == QMessageBox::Yes;
}

QString DesktopPlatform::pickFile(QWidget* parent, const QString& title, const QString& initialFolder,
                                  const QStringList& filters)
{
    QString selectedFilter = filters.value(0);
    return QFileDialog::getOpenFileName(parent, title, initialFolder, filters.join(QStringLiteral(";;")),
                                        &selectedFilter);
}

QStringList DesktopPlatform::pickFiles(QWidget* parent, const QString& title, const QString& initialFolder,
                                       const QStringList& filters)
{
    QString selectedFilter = filters.value(0);
    return QFileDialog::getOpenFileNames(parent, title, initialFolder, filters.join(QStringLiteral(";;")),
                                         &selectedFilter);
}

QString DesktopPlatform::pickSaveFile(QWidget* parent, const QString& title, const QString& initialPath,
                                      const QStringList& filters)
{
    QString selectedFilter = filters.value(0);
    return QFileDialog::getSaveFileName(parent, title, initialPath, filters.join(QStringLiteral(";;")),
                                        &selectedFilter);
}

QString DesktopPlatform::pickFolder(QWidget* parent, const QString& title, const QString& initialFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, initialFolder);
}

SaveAnswer DesktopPlatform::askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title)
{
    // The campaign's name is the user's file name: shown as plain text like every other message.
    const int answer = showBox(parent, text, title, QMessageBox::Warning,
                               QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveAnswer::Save;
    return answer == QMessageBox::Discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

void DesktopPlatform::copyToClipboard(const QString& text)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

bool DesktopPlatform::openFolder(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

PdfRun* DesktopPlatform::start(PdfEngine engine, const PdfRunOrder& order, QObject* parent)
{
    return startPdfRun(engine, order, parent);
}
