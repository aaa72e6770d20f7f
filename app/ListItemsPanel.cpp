#include "ListItemsPanel.h"

#include "Platform.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace orvanta::campaign;

namespace {
enum Role { PathRole = Qt::UserRole, BadgeRole, BestForRole, OwnValuesRole, ChapterTitleRole };

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* made = new QPushButton(text, parent);
    made->setObjectName(name);
    return made;
}

QString shownName(const QString& path)
{
    return QStringLiteral("%1  (%2)")
        .arg(QFileInfo(path).completeBaseName(), QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}
} // namespace

ListItemsPanel::ListItemsPanel(Platform& platform, const QStringList& recentCampaigns, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_list(new QListWidget(this))
    , m_recent(new QComboBox(this))
    , m_badge(new QLineEdit(this))
    , m_bestFor(new QLineEdit(this))
    , m_remove(button(QStringLiteral("cmdRemoveListItem"), tr("&Remove"), this))
    , m_up(button(QStringLiteral("cmdMoveListItemUp"), tr("Move &Up"), this))
    , m_down(button(QStringLiteral("cmdMoveListItemDown"), tr("Move Do&wn"), this))
{
    m_list->setObjectName(QStringLiteral("lstListItems"));
    m_list->setAccessibleName(tr("Products in rank order"));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_recent->setObjectName(QStringLiteral("cboRecentCampaigns"));
    m_recent->setAccessibleName(tr("Recent campaigns"));
    for (const QString& path : recentCampaigns)
        if (QFileInfo(path).isFile() && !ListFile::isListPath(path))
            m_recent->addItem(shownName(path), path);
    m_badge->setObjectName(QStringLiteral("txtListItemBadge"));
    m_bestFor->setObjectName(QStringLiteral("txtListItemBestFor"));
    auto* addFile = button(QStringLiteral("cmdAddListCampaign"), tr("&Add Campaign..."), this);
    auto* addRecent = button(QStringLiteral("cmdAddRecentCampaign"), tr("Add &Recent"), this);
    addRecent->setEnabled(m_recent->count() > 0);

    auto* adding = new QHBoxLayout;
    adding->addWidget(addFile);
    adding->addWidget(m_recent, 1);
    adding->addWidget(addRecent);
    auto* moving = new QHBoxLayout;
    for (QPushButton* command : {m_up, m_down, m_remove})
        moving->addWidget(command);
    moving->addStretch();
    auto* item = new QFormLayout;
    item->addRow(tr("&Badge:"), m_badge);
    item->addRow(tr("Best &for:"), m_bestFor);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(adding);
    column->addWidget(m_list, 1);
    column->addLayout(moving);
    column->addLayout(item);

    connect(addFile, &QPushButton::clicked, this, &ListItemsPanel::addFromFile);
    connect(addRecent, &QPushButton::clicked, this, &ListItemsPanel::addFromRecent);
    connect(m_remove, &QPushButton::clicked, this, &ListItemsPanel::removeCurrent);
    connect(m_up, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(m_list, &QListWidget::currentRowChanged, this, &ListItemsPanel::showCurrent);
    // A drop reorders the rows; the rank is the row.
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        showCurrent();
        Q_EMIT changed();
    });
    for (QLineEdit* edit : {m_badge, m_bestFor})
        connect(edit, &QLineEdit::textEdited, this, &ListItemsPanel::keepCurrentTexts);
    showCurrent();
}

void ListItemsPanel::setItems(const QList<ListItem>& items, const QList<QStringList>& ownValues)
{
    m_list->clear();
    for (qsizetype i = 0; i < items.size(); ++i)
        m_list->addItem(itemOf(items.at(i), ownValues.value(i)));
    m_list->setCurrentRow(items.isEmpty() ? -1 : 0);
    showCurrent();
}

QList<ListItem> ListItemsPanel::items() const
{
    QList<ListItem> items;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* shown = m_list->item(row);
        items << ListItem{shown->data(PathRole).toString(),
                          shown->data(BadgeRole).toString(),
                          shown->data(BestForRole).toString(),
                          shown->data(ChapterTitleRole).toString(),
                          std::nullopt,
                          {}};
    }
    return items;
}

QList<QStringList> ListItemsPanel::ownValues() const
{
    QList<QStringList> values;
    for (int row = 0; row < m_list->count(); ++row)
        values << m_list->item(row)->data(OwnValuesRole).toStringList();
    return values;
}

void ListItemsPanel::addFromFile()
{
    const QString path = m_platform.pickFile(window(), tr("Add a Campaign to the List"), QString(),
                                             {tr("Campaigns (*.orvanta)"), tr("All files (*)")});
    if (!path.isEmpty())
        addCampaign(path);
}

void ListItemsPanel::addFromRecent()
{
    if (m_recent->currentIndex() >= 0)
        addCampaign(m_recent->currentData().toString());
}

// A campaign named twice is refused by Create with the list's own words; here it is only kept out.
void ListItemsPanel::addCampaign(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const ListItem& item : items())
        if (!canonical.isEmpty() && QFileInfo(item.campaignPath).canonicalFilePath() == canonical) {
            m_platform.showMessage(window(), tr("The list already holds %1.").arg(QDir::toNativeSeparators(path)),
                                   tr("Lists"), MessageIcon::Information);
            return;
        }
    ListItem item;
    item.campaignPath = QFileInfo(path).absoluteFilePath();
    m_list->addItem(itemOf(item, {}));
    m_list->setCurrentRow(m_list->count() - 1);
    Q_EMIT changed();
}

void ListItemsPanel::removeCurrent()
{
    delete m_list->takeItem(m_list->currentRow());
    showCurrent();
    Q_EMIT changed();
}

void ListItemsPanel::moveCurrent(int step)
{
    const int row = m_list->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
    Q_EMIT changed();
}

void ListItemsPanel::showCurrent()
{
    const QListWidgetItem* current = m_list->currentItem();
    m_badge->setText(current ? current->data(BadgeRole).toString() : QString());
    m_bestFor->setText(current ? current->data(BestForRole).toString() : QString());
    const int row = m_list->currentRow();
    for (QWidget* edit :
         {static_cast<QWidget*>(m_badge), static_cast<QWidget*>(m_bestFor), static_cast<QWidget*>(m_remove)})
        edit->setEnabled(current != nullptr);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(current && row < m_list->count() - 1);
}

void ListItemsPanel::keepCurrentTexts()
{
    QListWidgetItem* current = m_list->currentItem();
    if (!current)
        return;
    current->setData(BadgeRole, m_badge->text());
    current->setData(BestForRole, m_bestFor->text());
    Q_EMIT changed();
}

QListWidgetItem* ListItemsPanel::itemOf(const ListItem& item, const QStringList& ownValues)
{
    auto* shown = new QListWidgetItem(shownName(item.campaignPath));
    shown->setFlags((shown->flags() | Qt::ItemIsDragEnabled) & ~Qt::ItemIsDropEnabled);
    shown->setData(PathRole, item.campaignPath);
    shown->setData(BadgeRole, item.badge);
    shown->setData(BestForRole, item.bestFor);
    shown->setData(OwnValuesRole, ownValues);
    shown->setData(ChapterTitleRole, item.chapterTitle);
    shown->setToolTip(QDir::toNativeSeparators(item.campaignPath));
    return shown;
}
