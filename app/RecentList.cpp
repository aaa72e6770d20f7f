#include "RecentList.h"

#include "AppFolder.h"
#include "CampaignMenu.h"
#include "Platform.h"

using namespace orvanta::files;

RecentList::RecentList(QWidget& window, Platform& platform, CampaignMenu& menu, const QString& appFolder,
                       QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_platform(platform)
    , m_menu(menu)
    , m_recent(AppFolder::recentCampaignsPath(appFolder))
{
}

RecentList::~RecentList()
{
    m_writer.wait();
}

void RecentList::add(const QString& path)
{
    m_recent.add(path);
    store();
}

void RecentList::remove(const QString& path)
{
    m_recent.remove(path);
    store();
}

void RecentList::clear()
{
    m_recent.clear();
    store();
}

void RecentList::refresh()
{
    // Other windows may have stored theirs; a list that failed to store keeps this window's changes.
    if (m_storing == 0 && !m_failed)
        m_recent.reload();
    show();
}

void RecentList::show()
{
    m_menu.setRecent(m_recent.paths());
}

QStringList RecentList::paths() const
{
    return m_recent.paths();
}

bool RecentList::isIdle() const
{
    return m_writer.isIdle() && m_storing == 0;
}

void RecentList::store()
{
    show();
    // The list as stored comes back.
    const QString settings = m_recent.settingsPath();
    const QList<RecentCampaigns::Change> changes = m_recent.takeChanges();
    ++m_storing;
    m_writer.run([settings, changes] { return RecentCampaigns::store(settings, changes); },
                 [this](const RecentCampaigns::Stored& result) { stored(result); });
}

void RecentList::stored(const RecentCampaigns::Stored& stored)
{
    --m_storing;
    const bool failed = !stored.error.isEmpty();
    if (failed && !m_failed)
        m_platform.showMessage(&m_window, stored.error, tr("Error"), MessageIcon::Exclamation);
    m_failed = failed;
    // The last store holds every change before it, and what other windows stored meanwhile.
    if (!failed && m_storing == 0) {
        m_recent.adopt(stored.paths);
        show();
    }
}
