#include "MenuButton.h"

#include "AccessibleControls.h"

MenuButton::MenuButton(QMenu* menu, QWidget* parent)
    : QToolButton(parent)
{
    AccessibleControls::install();
    setPopupMode(QToolButton::InstantPopup);
    setFocusPolicy(Qt::StrongFocus);
    setMenu(menu);
}
