#pragma once

#include "ListFile.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class Platform;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

/**
 * A list's products in rank order: added by file or from the recent campaigns, removed, ranked by dragging or
 * with Move Up and Move Down, each with its badge and "best for". An own row's values travel with their product.
 */
class ListItemsPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListItemsPanel)

public:
    ListItemsPanel(Platform& platform, const QStringList& recentCampaigns, QWidget* parent);

    /** Shows @p items; @p ownValues holds, per item, its value of each own row. */
    void setItems(const QList<ListItem>& items, const QList<QStringList>& ownValues);
    QList<ListItem> items() const;
    /** Per item, in rank order, its value of each own row; an added item has none. */
    QList<QStringList> ownValues() const;

Q_SIGNALS:
    void changed();

private:
    void addFromFile();
    void addFromRecent();
    void addCampaign(const QString& path);
    void removeCurrent();
    void moveCurrent(int step);
    void showCurrent();
    void keepCurrentTexts();
    QListWidgetItem* itemOf(const ListItem& item, const QStringList& ownValues);

    Platform& m_platform;
    QListWidget* m_list;
    QComboBox* m_recent;
    QLineEdit* m_badge;
    QLineEdit* m_bestFor;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
};
