#include "CampaignMenu.h"

#include "MenuButton.h"
#include "WindowColors.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

CampaignMenu::CampaignMenu(QWidget* window, QWidget* parent)
    : QWidget(parent)
    , m_name(new QLabel(this))
    , m_menu(new QMenu(this))
    , m_button(new MenuButton(m_menu, this))
    , m_recent(new QMenu(tr("Open &Recent"), this))
{
    setObjectName(QStringLiteral("campaignControls"));
    m_name->setObjectName(QStringLiteral("lblCampaignName"));
    // The name is the user's file name, markup-like or not.
    m_name->setTextFormat(Qt::PlainText);
    QPalette names = m_name->palette();
    names.setColor(QPalette::WindowText, WindowColors::Silver);
    m_name->setPalette(names);
    m_button->setObjectName(QStringLiteral("cmdCampaign"));
    m_button->setText(tr("&Campaign"));
    m_button->setAccessibleName(tr("Campaign"));
    m_button->setAccessibleDescription(tr("New, open and save campaigns"));
    m_menu->setObjectName(QStringLiteral("mnuCampaign"));
    m_recent->setObjectName(QStringLiteral("mnuRecentCampaigns"));

    connect(addCommand(window, QStringLiteral("actNewCampaign"), tr("&New"), QKeySequence::New), &QAction::triggered,
            this, &CampaignMenu::newRequested);
    connect(addCommand(window, QStringLiteral("actOpenCampaign"), tr("&Open..."), QKeySequence::Open),
            &QAction::triggered, this, &CampaignMenu::openRequested);
    m_menu->addMenu(m_recent);
    connect(m_recent, &QMenu::aboutToShow, this, &CampaignMenu::recentAboutToShow);
    m_menu->addSeparator();
    connect(addCommand(window, QStringLiteral("actSaveCampaign"), tr("&Save"), QKeySequence::Save), &QAction::triggered,
            this, &CampaignMenu::saveRequested);
    connect(addCommand(window, QStringLiteral("actSaveCampaignAs"), tr("Save &As..."), QKeySequence::SaveAs),
            &QAction::triggered, this, &CampaignMenu::saveAsRequested);
    m_menu->addSeparator();
    QAction* newList = m_menu->addAction(tr("New &List"));
    newList->setObjectName(QStringLiteral("actNewList"));
    connect(newList, &QAction::triggered, this, &CampaignMenu::newListRequested);
    QAction* openList = m_menu->addAction(tr("Open L&ist..."));
    openList->setObjectName(QStringLiteral("actOpenList"));
    connect(openList, &QAction::triggered, this, &CampaignMenu::openListRequested);
    m_menu->addSeparator();
    QAction* sheet = m_menu->addAction(tr("Make PDFs from a Sprea&dsheet..."));
    sheet->setObjectName(QStringLiteral("actSheet"));
    connect(sheet, &QAction::triggered, this, &CampaignMenu::sheetRequested);
    QAction* links = m_menu->addAction(tr("&Links..."));
    links->setObjectName(QStringLiteral("actLinks"));
    connect(links, &QAction::triggered, this, &CampaignMenu::linksRequested);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(m_button);
    row->addWidget(m_name);
    setRecent({});
}

QAction* CampaignMenu::addCommand(QWidget* window, const QString& name, const QString& text, int shortcut)
{
    QAction* action = m_menu->addAction(text);
    action->setObjectName(name);
    const auto key = static_cast<QKeySequence::StandardKey>(shortcut);
    // Some desktops bind no key to Save As; the common one is given there.
    if (QKeySequence::keyBindings(key).isEmpty() && key == QKeySequence::SaveAs)
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    else
        action->setShortcut(key);
    // Added to the window too, so the shortcut works while the menu is closed.
    window->addAction(action);
    return action;
}

void CampaignMenu::showCampaign(const QString& name, bool modified)
{
    m_name->setText(modified ? tr("%1  \u2022 unsaved changes").arg(name) : name);
    m_name->setAccessibleName(modified ? tr("Campaign %1, unsaved changes").arg(name) : tr("Campaign %1").arg(name));
}

void CampaignMenu::setRecent(const QStringList& paths)
{
    m_recent->clear();
    for (const QString& path : paths) {
        const QFileInfo info(path);
        const QString shown =
            QStringLiteral("%1  (%2)").arg(info.completeBaseName(), QDir::toNativeSeparators(info.absolutePath()));
        QString text = info.isFile() ? shown : tr("%1 - missing").arg(shown);
        QAction* action = m_recent->addAction(text.replace(QLatin1Char('&'), QLatin1String("&&")));
        connect(action, &QAction::triggered, this, [this, path] { Q_EMIT recentRequested(path); });
    }
    if (paths.isEmpty())
        m_recent->addAction(tr("No recent campaigns"))->setEnabled(false);
    m_recent->addSeparator();
    QAction* clear = m_recent->addAction(tr("&Clear List"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, &CampaignMenu::clearRecentRequested);
}

QToolButton* CampaignMenu::button() const
{
    return m_button;
}

QLabel* CampaignMenu::nameLabel() const
{
    return m_name;
}
