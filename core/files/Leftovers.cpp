#include "Leftovers.h"

#include "AppFolder.h"
#include "FileToolkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <signal.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>

using namespace orvanta::files;
#endif

namespace orvanta::files {
namespace {
// ".job 1234 AbC123", ".orvanta 1234 AbC123.pdf", Chromium's profile ".chromium 1234 AbC123", the engines' pages
// ".pages 1234 root" and what a write beside
// one of them leaves. Every name made from a PDF name has its blanks turned into "-", so no page, PDF or web page
// folder of the user's ever has this shape.
const QRegularExpression& privateName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.(job|preview|orvanta|chromium|pages) (\\d+) [A-Za-z0-9]+(\\..*)?$"));
    return pattern;
}

// The working folders of versions before the blank, ".job-1234-AbC123". A PDF may be named so, but no PDF name makes
// anything directly in temp, so only there are they still taken for leftovers.
const QRegularExpression& earlierStagingName()
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(job|preview)-(\\d+)-[^.]+$"));
    return pattern;
}

// Versions before private names set the earlier PDF aside as ".NAME.pdf.earlier-XXXXXX".
const QRegularExpression& setAsideName()
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(.+\\.pdf)\\.earlier-[A-Za-z0-9]{6}$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// True while a process of that id lives (or may: one we may not signal counts as living).
bool ownerIsAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (pid == QCoreApplication::applicationPid())
        return true;
#ifdef Q_OS_UNIX
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#elif defined(Q_OS_WIN)
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool alive = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return alive;
#else
    return true;
#endif
}

bool removeEntry(const QFileInfo& entry)
{
    if (entry.isDir() && !entry.isSymLink())
        return QDir(entry.filePath()).removeRecursively();
    return QFile::remove(entry.filePath());
}

enum class Kinds { Any, FoldersOnly, WithEarlierNames };

bool leftByDeadRun(const QFileInfo& entry, Kinds kinds)
{
    QRegularExpressionMatch owned = privateName().match(entry.fileName());
    if (!owned.hasMatch() && kinds == Kinds::WithEarlierNames)
        owned = earlierStagingName().match(entry.fileName());
    if (!owned.hasMatch() || (kinds == Kinds::FoldersOnly && !entry.isDir()))
        return false;
    return !ownerIsAlive(owned.captured(2).toLongLong());
}

QStringList sweepFolder(const QString& folder, Kinds kinds)
{
    QStringList removed;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (leftByDeadRun(entry, kinds) && removeEntry(entry)) {
            removed << entry.filePath();
            continue;
        }
        // A web page folder may carry such a name; only a file was ever set aside.
        const QRegularExpressionMatch aside = setAsideName().match(entry.fileName());
        if (!aside.hasMatch() || !entry.isFile() || entry.isSymLink())
            continue;
        const QString pdf = QDir(folder).filePath(aside.captured(1));
        if (QFileInfo::exists(pdf) ? QFile::remove(entry.filePath()) : QFile::rename(entry.filePath(), pdf))
            removed << entry.filePath();
    }
    return removed;
}
} // namespace

namespace Leftovers {
QString privateTemplate(const QString& folder, const QString& purpose, const QString& suffix)
{
    return inFolder(folder, QLatin1Char('.') + purpose + QLatin1Char(' ') +
                                QString::number(QCoreApplication::applicationPid()) + QStringLiteral(" XXXXXX") +
                                suffix);
}

// Image copies keep their own names in bin, blanks included; what runs leave there are the converter's folders.
QStringList sweep(const QString& app)
{
    return sweepFolder(AppFolder::tempFolder(app), Kinds::WithEarlierNames) +
           sweepFolder(AppFolder::outputFolder(app), Kinds::Any) +
           sweepFolder(AppFolder::binFolder(app), Kinds::FoldersOnly);
}
} // namespace Leftovers
} // namespace orvanta::files
