#pragma once

#include <QToolButton>

/**
 * A button that pops its menu up as soon as it is pressed. Assistive tools open the menu through its press
 * action, which Qt's own interface for such a button does not offer.
 */
class MenuButton final : public QToolButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MenuButton)

public:
    MenuButton(QMenu* menu, QWidget* parent);
};
