#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

/**
 * The campaign controls in the header band: the open campaign's name with its unsaved-changes mark,
 * and a menu button with New, Open, Open Recent, Save, Save As, Make PDFs from a Spreadsheet and Links. The commands'
 * shortcuts work anywhere in the window.
 */
class CampaignMenu final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CampaignMenu)

public:
    CampaignMenu(QWidget* window, QWidget* parent);

    void showCampaign(const QString& name, bool modified);
    /** Rebuilds Open Recent; entries whose file is gone are marked. */
    void setRecent(const QStringList& paths);
    QToolButton* button() const;
    QLabel* nameLabel() const;

Q_SIGNALS:
    void newRequested();
    void openRequested();
    void saveRequested();
    void saveAsRequested();
    void recentRequested(const QString& path);
    void clearRecentRequested();
    void newListRequested();
    void openListRequested();
    void sheetRequested();
    void linksRequested();
    /** Open Recent is about to open; the receiver refreshes it. */
    void recentAboutToShow();

private:
    QAction* addCommand(QWidget* window, const QString& name, const QString& text, int shortcut);

    QLabel* m_name;
    QMenu* m_menu;
    QToolButton* m_button;
    QMenu* m_recent;
};
