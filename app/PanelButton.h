#pragma once

#include <QToolButton>

class QFrame;

/**
 * A button that drops a panel of fields down below itself. The panel is a small window of its own, so Tab and
 * Shift+Tab go round its fields and typing reaches them; Escape closes it, as any popup, and the focus goes back
 * to the button. While it is open, a screen reader finds the panel as the button's child.
 */
class PanelButton final : public QToolButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelButton)

public:
    explicit PanelButton(QWidget* parent);

    /** The panel the caller fills; hidden until the button is pressed. */
    QWidget* panel() const;
    bool isPanelOpen() const;
    /** Drops the panel down below the button, its first field focused. */
    void showPanel();

private:
    QFrame* m_panel;
};
