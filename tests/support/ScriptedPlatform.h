#pragma once

#include "Platform.h"
#include "ScriptedRun.h"

#include <QList>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

/**
 * A desktop that answers for the user, for tests, benchmarks and the docs pictures: queued answers for
 * questions and file pickers, and a record of every message, copy, folder and engine run. An engine with a
 * script follows it; one without runs its real program, so a test may also put a stand-in where the converter lives.
 */
class ScriptedPlatform final : public Platform {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
        bool yesNo;
        /** What a question showed below its text. */
        QString details;
    };
    struct EngineStart {
        PdfEngine engine;
        PdfRunOrder order;
    };
    struct FilePick {
        QString title;
        QString initialFolder;
        QStringList filters;
    };

    void showMessage(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    bool askYesNoWithDetails(QWidget* parent, const QString& text, const QString& details, const QString& title,
                             MessageIcon icon) override;
    QString pickFile(QWidget* parent, const QString& title, const QString& initialFolder,
                     const QStringList& filters) override;
    QStringList pickFiles(QWidget* parent, const QString& title, const QString& initialFolder,
                          const QStringList& filters) override;
    QString pickSaveFile(QWidget* parent, const QString& title, const QString& initialPath,
                         const QStringList& filters) override;
    QString pickFolder(QWidget* parent, const QString& title, const QString& initialFolder) override;
    SaveAnswer askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title) override;
    void copyToClipboard(const QString& text) override;
    bool openFolder(const QString& path) override;
    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override;
    bool isInstalled(const QString& app, PdfEngine engine) const override;

    /** Answers for the next questions, in order; an unanswered question is answered No. */
    QQueue<bool> answers;
    /** Paths for the next file and folder pickers, in order, one a line for several; an empty string or none cancels.
     */
    QQueue<QString> pickedFiles;
    bool openFolderSucceeds = true;
    /** Answers for the next Save / Discard / Cancel questions; an unanswered one is answered Discard. */
    QQueue<SaveAnswer> saveAnswers;
    /** The texts of the Save / Discard / Cancel questions asked, apart from the messages. */
    QStringList saveQuestions;

    QList<Message> messages;
    QList<FilePick> filePicks;
    QStringList clipboard;
    QStringList openedFolders;
    /** What each engine's runs do from now on; an engine without a script runs its real program. */
    std::map<PdfEngine, EngineScript> scripts;
    /** Whether an engine counts as installed; one not listed counts when scripted, else is looked for as the program
     * would. */
    std::map<PdfEngine, bool> installed;
    QList<EngineStart> starts;
    /** The page of each run started, in order. */
    QStringList startedPages() const;
    /** The scripted runs still going, oldest first; a hanging one waits here to be released. */
    QList<ScriptedRun*> runningScripts() const;

    /** Called when a message box would open, while it is "open"; lets a test look at the window then. */
    std::function<void(const Message&)> onMessage;
    /** Called as a run starts, and as it reports its end before the window hears of it. */
    std::function<void()> onRunStarted;
    std::function<void()> onRunFinished;

private:
    QList<QPointer<ScriptedRun>> m_scriptedRuns;
};
