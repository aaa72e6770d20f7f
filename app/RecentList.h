#pragma once

#include "Background.h"
#include "RecentCampaigns.h"

#include <QObject>
#include <QString>
#include <QStringList>

class CampaignMenu;
class Platform;
class QWidget;

/**
 * The window's Open Recent list: a change shows in the menu at once and is stored off the window's thread, in
 * order, merged with what other windows stored meanwhile. A failed store is told once, not at every change.
 */
class RecentList final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecentList)

public:
    RecentList(QWidget& window, Platform& platform, CampaignMenu& menu, const QString& appFolder, QObject* parent);
    ~RecentList() override;

    void add(const QString& path);
    void remove(const QString& path);
    void clear();
    /** Reads the list again, unless changes of this window are still to be stored; then shows it. */
    void refresh();
    void show();
    QStringList paths() const;
    /** Nothing is being stored. */
    bool isIdle() const;

private:
    void store();
    void stored(const RecentCampaigns::Stored& stored);

    QWidget& m_window;
    Platform& m_platform;
    CampaignMenu& m_menu;
    RecentCampaigns m_recent;
    bool m_failed = false;
    int m_storing = 0; ///< stores under way
    /** A lane of its own, so waiting for a recovery copy never waits for the list. */
    Lane m_writer;
};
