#include "RecentCampaigns.h"

#include "CampaignTr.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

#include <utility>

namespace orvanta::campaign {
namespace {
const QString key = QStringLiteral("recent/campaigns");
// Long enough for another window's read and write, short enough that a stuck one is reported, not waited for.
constexpr int LockWaitMs = 5000;

QString normalized(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QStringList applied(QStringList list, const RecentCampaigns::Change& change)
{
    using Kind = RecentCampaigns::Change::Kind;
    const QString path = normalized(change.path);
    switch (change.kind) {
    case Kind::Add:
        list.removeAll(path);
        list.prepend(path);
        break;
    case Kind::Remove:
        list.removeAll(path);
        break;
    case Kind::Clear:
        list.clear();
        break;
    }
    return list.mid(0, RecentCampaigns::maxCount);
}

QStringList cleaned(const QStringList& stored)
{
    QStringList list;
    for (const QString& path : stored) {
        if (!path.isEmpty())
            list << normalized(path);
    }
    list.removeDuplicates();
    return list.mid(0, RecentCampaigns::maxCount);
}

QStringList read(const QString& settingsPath)
{
    return cleaned(QSettings(settingsPath, QSettings::IniFormat).value(key).toStringList());
}

// Not the settings file's own lock ("NAME.ini.lock"): QSettings takes that one while it writes.
QString lockPath(const QString& settingsPath)
{
    const QFileInfo settings(settingsPath);
    return settings.dir().filePath(settings.completeBaseName() + QStringLiteral(".lock"));
}

QString notStored(const QString& settingsPath)
{
    return CampaignTr::tr("The list of recent campaigns cannot be stored in \"%1\".")
        .arg(QDir::toNativeSeparators(settingsPath));
}
} // namespace
} // namespace orvanta::campaign

using namespace orvanta::campaign;

RecentCampaigns::RecentCampaigns(const QString& settingsPath)
    : m_settingsPath(settingsPath)
    , m_paths(read(settingsPath))
{
}

QString RecentCampaigns::settingsPath() const
{
    return m_settingsPath;
}

QStringList RecentCampaigns::paths() const
{
    return m_paths;
}

void RecentCampaigns::add(const QString& path)
{
    change({Change::Kind::Add, path});
}

void RecentCampaigns::remove(const QString& path)
{
    change({Change::Kind::Remove, path});
}

void RecentCampaigns::clear()
{
    change({Change::Kind::Clear, QString()});
}

// Kept even when this list stays as it was: the stored one may differ, another window may have changed it.
void RecentCampaigns::change(const Change& change)
{
    m_paths = applied(m_paths, change);
    m_changes << change;
}

QList<RecentCampaigns::Change> RecentCampaigns::takeChanges()
{
    return std::exchange(m_changes, {});
}

void RecentCampaigns::adopt(const QStringList& stored)
{
    m_paths = cleaned(stored);
}

void RecentCampaigns::reload()
{
    m_paths = read(m_settingsPath);
}

RecentCampaigns::Stored RecentCampaigns::store(const QString& settingsPath, const QList<Change>& changes)
{
    if (!QDir().mkpath(QFileInfo(settingsPath).absolutePath()))
        return {{}, notStored(settingsPath)};
    // Read, change and write as one step: another window storing at the same time waits for it.
    QLockFile lock(lockPath(settingsPath));
    if (!lock.tryLock(LockWaitMs))
        return {{}, notStored(settingsPath)};
    QStringList list = read(settingsPath);
    for (const Change& change : changes)
        list = applied(list, change);
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.setValue(key, list);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return {{}, notStored(settingsPath)};
    return {list, QString()};
}
