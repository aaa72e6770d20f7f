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
}

QStringList RecentCampaigns::paths() const
{
    QStringList paths = QSettings(m_settingsPath, QSettings::IniFormat).value(key).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, maxCount);
}

void RecentCampaigns::add(const QString& path)
{
    QStringList list = paths();
    list.removeAll(normalized(path));
    list.prepend(normalized(path));
    store(list.mid(0, maxCount));
}

void RecentCampaigns::remove(const QString& path)
{
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}

void RecentCampaigns::clear()
{
    store({});
}

QString RecentCampaigns::lastError() const
{
    return m_error;
}

void RecentCampaigns::store(const QStringList& paths)
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue(key, paths);
    settings.sync();
    m_error = settings.status() == QSettings::NoError
                  ? QString()
                  : QStringLiteral("The list of recent campaigns cannot be stored in \"%1\".").arg(m_settingsPath);
}
