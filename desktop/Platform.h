#pragma once

#include "EngineStarter.h"

#include <QString>
#include <QStringList>

class QWidget;

enum class MessageIcon { Information, Exclamation, Question };
enum class SaveAnswer { Save, Discard, Cancel };

/**
 * Everything the windows need from the desktop. The windows never open a message box, dialog,
 * process or clipboard themselves, so tests can answer for the user.
 */
class Platform : public EngineStarter {
public:
    virtual ~Platform() = default;

    /** A modal box with an OK button. */
    virtual void showMessage(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) = 0;
    /** A modal box with Yes and No; true for Yes. */
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) = 0;
    /** Like askYesNo, with @p details shown below the question in smaller type. */
    virtual bool askYesNoWithDetails(QWidget* parent, const QString& text, const QString& details, const QString& title,
                                     MessageIcon icon)
    {
        return askYesNo(parent, details.isEmpty() ? text : text + QStringLiteral("\n\n") + details, title, icon);
    }
    /** The chosen file's full path, or an empty string on cancel. The first filter is selected. */
    virtual QString pickFile(QWidget* parent, const QString& title, const QString& initialFolder,
                             const QStringList& filters) = 0;
    /** The chosen files' full paths, none on cancel. The first filter is selected. */
    virtual QStringList pickFiles(QWidget* parent, const QString& title, const QString& initialFolder,
                                  const QStringList& filters) = 0;
    /** The path to save to, or an empty string on cancel; the desktop asks before an existing file is replaced. */
    virtual QString pickSaveFile(QWidget* parent, const QString& title, const QString& initialPath,
                                 const QStringList& filters) = 0;
    /** An existing folder's full path, or an empty string on cancel. */
    virtual QString pickFolder(QWidget* parent, const QString& title, const QString& initialFolder) = 0;
    /** A modal question with the desktop's own Save, Discard and Cancel buttons. */
    virtual SaveAnswer askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title) = 0;
    virtual void copyToClipboard(const QString& text) = 0;
    /** Opens the folder in the desktop's file browser; false when that failed. */
    virtual bool openFolder(const QString& path) = 0;
};
