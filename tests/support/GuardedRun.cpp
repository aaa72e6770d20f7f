#include "GuardedRun.h"

#include "WindowFixture.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>

namespace {
QString fingerprint(const QFileInfo& info)
{
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    // Opening a pipe would wait for a writer that never comes.
    if (!info.isFile())
        return QStringLiteral("not a file");
    QFile file(info.filePath());
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return QStringLiteral("%1 %2 %3")
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(QString::fromLatin1(hash.result().toHex()));
}
} // namespace

QMap<QString, QString> folderState(const QString& root)
{
    QMap<QString, QString> state;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        // A folder's time changes with every file added to it; the files themselves tell what happened.
        if (info.isDir() && !info.isSymLink())
            continue;
        state.insert(base.relativeFilePath(info.filePath()), fingerprint(info));
    }
    return state;
}

QStringList changesBetween(const QMap<QString, QString>& before, const QMap<QString, QString>& after)
{
    QStringList changes;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            changes << QLatin1Char('-') + it.key();
        else if (after.value(it.key()) != it.value())
            changes << QLatin1Char('~') + it.key();
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            changes << QLatin1Char('+') + it.key();
    }
    return sorted(changes);
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QString expand(const WindowFixture& fixture, QString text)
{
    return text.replace(QLatin1String("@APP@"), fixture.app.path())
        .replace(QLatin1String("@OUT@"), QDir::toNativeSeparators(fixture.outside.path()));
}

GuardedRun::GuardedRun(WindowFixture& fixture)
    : m_fixture(fixture)
    , m_appBefore(folderState(fixture.app.path()))
    , m_outsideBefore(folderState(fixture.outside.path()))
    , m_messagesBefore(int(fixture.platform.messages.size()))
    , m_watch(new DisabledWatch(fixture.button("cmdCreate")))
{
    fixture.platform.onMessage = [this](const ScriptedPlatform::Message&) {
        m_idleAtMessages = m_idleAtMessages && m_fixture.isIdle();
    };
}

GuardedRun::~GuardedRun()
{
    m_fixture.platform.onMessage = nullptr;
}

QStringList GuardedRun::appChanges() const
{
    QStringList changes = changesBetween(m_appBefore, folderState(m_fixture.app.path()));
    // The autosave keeps its own time, apart from the job, and Chromium its profile while the program runs.
    changes.removeIf([](const QString& change) {
        return change.mid(1).startsWith(QLatin1String("temp/recovery")) ||
               change.mid(1).startsWith(QLatin1String("temp/.chromium "));
    });
    return changes;
}

QStringList GuardedRun::outsideChanges() const
{
    return changesBetween(m_outsideBefore, folderState(m_fixture.outside.path()));
}

bool GuardedRun::busyEntered() const
{
    return m_watch->wasDisabled;
}

QStringList GuardedRun::messages() const
{
    QStringList shown;
    for (int i = m_messagesBefore; i < m_fixture.platform.messages.size(); ++i)
        shown << m_fixture.platform.messages[i].title + QStringLiteral(": ") + m_fixture.platform.messages[i].text;
    return shown;
}

ImmutableFiles::~ImmutableFiles()
{
    for (const QString& path : m_locked)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
}

bool ImmutableFiles::lock(const QString& path)
{
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
        return false;
    m_locked << path;
    return true;
}
