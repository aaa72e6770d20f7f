#include "RecentCampaigns.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString key = QStringLiteral("recent/campaigns");

QString normalized(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}
} // namespace

RecentCampaigns::RecentCampaigns(const QString& settingsPath)
    : m_settingsPath(settingsPath)
{
    QStringList stored = QSettings(m_settingsPath, QSettings::IniFormat).value(key).toStringList();
    stored.removeAll(QString());
    stored.removeDuplicates();
    m_paths = stored.mid(0, maxCount);
}

QString RecentCampaigns::settingsPath() const
{
    return m_settingsPath;
}

QStringList RecentCampaigns::paths() const
{
    return m_paths;
}

bool RecentCampaigns::add(const QString& path)
{
    QStringList list = m_paths;
    list.removeAll(normalized(path));
    list.prepend(normalized(path));
    return replace(list.mid(0, maxCount));
}

bool RecentCampaigns::remove(const QString& path)
{
    QStringList list = m_paths;
    list.removeAll(path);
    return replace(list);
}

bool RecentCampaigns::clear()
{
    return replace({});
}

bool RecentCampaigns::replace(const QStringList& paths)
{
    if (paths == m_paths)
        return false;
    m_paths = paths;
    return true;
}

QString RecentCampaigns::write(const QString& settingsPath, const QStringList& paths)
{
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.setValue(key, paths);
    settings.sync();
    return settings.status() == QSettings::NoError
               ? QString()
               : QStringLiteral("The list of recent campaigns cannot be stored in \"%1\".")
                     .arg(QDir::toNativeSeparators(settingsPath));
}
