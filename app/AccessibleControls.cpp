#include "AccessibleControls.h"

#include "MenuButton.h"
#include "PanelButton.h"
#include "PathLabel.h"
#include "StepButton.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>

namespace {
// The label whose mnemonic moves the focus to @p widget, anywhere in its window: Qt looks among its siblings only.
const QLabel* captionOf(const QWidget* widget)
{
    for (const QLabel* label : widget->window()->findChildren<QLabel*>())
        if (label->buddy() == widget)
            return label;
    return nullptr;
}

QString mnemonicOf(const QString& caption)
{
    return QKeySequence::mnemonic(caption).toString(QKeySequence::NativeText);
}

class StepBarAccessible final : public QAccessibleWidget {
public:
    explicit StepBarAccessible(QWidget* bar)
        : QAccessibleWidget(bar, QAccessible::PageTabList)
    {
    }
};

// A page tab, so its position among the bar's three tabs is announced with it.
class StepButtonAccessible final : public QAccessibleWidget {
public:
    explicit StepButtonAccessible(StepButton* button)
        : QAccessibleWidget(button, QAccessible::PageTab)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.checkable = true;
        state.selected = state.checked = !button()->notCurrent();
        return state;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction())
            button()->press();
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        if (actionName == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    StepButton* button() const { return static_cast<StepButton*>(widget()); }
};

// The caption names the label; the path is what it holds, read as its value and its description.
class PathLabelAccessible final : public QAccessibleWidget {
public:
    explicit PathLabelAccessible(PathLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return static_cast<const PathLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

// Qt's tool button offers only "ShowMenu" here and ignores it, since a press would open the menu; both open it.
class MenuButtonAccessible final : public QAccessibleWidget {
public:
    explicit MenuButtonAccessible(MenuButton* button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = true;
        state.pressed = button()->isDown();
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Accelerator)
            return mnemonic();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        if (!button()->isEnabled())
            return {};
        return {pressAction(), showMenuAction()};
    }

    void doAction(const QString& actionName) override
    {
        if (!button()->isEnabled() || !actionNames().contains(actionName))
            return;
        // Queued: the menu runs its own event loop, and the tool asking must have its answer first.
        QMetaObject::invokeMethod(button(), &QToolButton::showMenu, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        if (actionName == pressAction() && !mnemonic().isEmpty())
            return {mnemonic()};
        return {};
    }

private:
    MenuButton* button() const { return static_cast<MenuButton*>(widget()); }
    QString mnemonic() const { return mnemonicOf(button()->text()); }
};

// Qt leaves a popup window out of the tree; while the panel is open it is the button's last child, so a screen
// reader that walks down from the window finds its fields.
class PanelButtonAccessible final : public QAccessibleWidget {
public:
    explicit PanelButtonAccessible(PanelButton* button)
        : QAccessibleWidget(button, QAccessible::ButtonDropDown)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = state.expandable = true;
        state.expanded = button()->isPanelOpen();
        state.collapsed = !state.expanded;
        return state;
    }

    int childCount() const override { return QAccessibleWidget::childCount() + (button()->isPanelOpen() ? 1 : 0); }

    QAccessibleInterface* child(int index) const override
    {
        if (button()->isPanelOpen() && index == QAccessibleWidget::childCount())
            return QAccessible::queryAccessibleInterface(button()->panel());
        return QAccessibleWidget::child(index);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (button()->isPanelOpen() && child && child->object() == button()->panel())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

    QStringList actionNames() const override
    {
        if (!button()->isEnabled())
            return {};
        return {pressAction(), showMenuAction()};
    }

    void doAction(const QString& actionName) override
    {
        if (button()->isEnabled() && actionNames().contains(actionName))
            button()->showPanel();
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        const QString mnemonic = mnemonicOf(button()->text());
        if (actionName == pressAction() && !mnemonic.isEmpty())
            return {mnemonic};
        return {};
    }

private:
    PanelButton* button() const { return static_cast<PanelButton*>(widget()); }
};

// A combo box says its name and its caption's key, as a line edit does, where Qt's own says the chosen text and Down;
// unnamed and uncaptioned it says what Qt's says. The rest is as Qt's: the popup list is its child, the chosen text
// its value. The caption is looked up when asked: a screen reader may ask before the box has one.
class ComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return value();
        if (t == QAccessible::Accelerator) {
            const QString key = mnemonic();
            return key.isEmpty() ? QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText) : key;
        }
        const QString text = QAccessibleWidget::text(t);
        return text.isEmpty() && t == QAccessible::Name ? value() : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view()->isVisible();
        state.editable = box()->isEditable();
        return state;
    }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child && child->object() == box()->view())
            return 0;
        if (child && box()->isEditable() && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& actionName) override
    {
        if (!actionNames().contains(actionName))
            return;
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        if (actionName == pressAction() && !mnemonic().isEmpty())
            return {mnemonic()};
        return {};
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
    QString value() const { return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText(); }
    QString mnemonic() const
    {
        const QLabel* caption = captionOf(box());
        return caption ? mnemonicOf(caption->text()) : QString();
    }
};

QAccessibleInterface* createInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("StepButton"))
        return new StepButtonAccessible(static_cast<StepButton*>(object));
    if (className == QLatin1String("StepBar"))
        return new StepBarAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("MenuButton"))
        return new MenuButtonAccessible(static_cast<MenuButton*>(object));
    if (className == QLatin1String("PanelButton"))
        return new PanelButtonAccessible(static_cast<PanelButton*>(object));
    if (className == QLatin1String("PathLabel"))
        return new PathLabelAccessible(static_cast<PathLabel*>(object));
    if (className == QLatin1String("QComboBox"))
        return new ComboBoxAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}
} // namespace

namespace AccessibleControls {
void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed)
}
} // namespace AccessibleControls
