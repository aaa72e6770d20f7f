#include "PanelButton.h"

#include "AccessibleControls.h"

#include <QFrame>
#include <QKeyEvent>

PanelButton::PanelButton(QWidget* parent)
    : QToolButton(parent)
    , m_panel(new QFrame(this, Qt::Popup))
{
    AccessibleControls::install();
    setFocusPolicy(Qt::StrongFocus);
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->installEventFilter(this);
    connect(this, &QToolButton::clicked, this, &PanelButton::showPanel);
}

QWidget* PanelButton::panel() const
{
    return m_panel;
}

bool PanelButton::isPanelOpen() const
{
    return m_panel->isVisible();
}

void PanelButton::showPanel()
{
    m_panel->adjustSize();
    m_panel->move(mapToGlobal(QPoint(0, height())));
    m_panel->show();
    for (QWidget* field : m_panel->findChildren<QWidget*>()) {
        if (field->isVisibleTo(m_panel) && (field->focusPolicy() & Qt::TabFocus)) {
            field->setFocus(Qt::PopupFocusReason);
            break;
        }
    }
}

// A popup gives the focus back to whatever the window had; Escape must land on the button the user came from.
bool PanelButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        m_panel->hide();
        setFocus(Qt::PopupFocusReason);
        return true;
    }
    return QToolButton::eventFilter(watched, event);
}
