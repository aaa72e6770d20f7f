#include "PanelButton.h"

#include "AccessibleControls.h"

#include <QFrame>

PanelButton::PanelButton(QWidget* parent)
    : QToolButton(parent)
    , m_panel(new QFrame(this, Qt::Popup))
{
    AccessibleControls::install();
    setFocusPolicy(Qt::StrongFocus);
    m_panel->setFrameShape(QFrame::StyledPanel);
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
    // A closed popup gives the focus back to its window's focus widget: the button, also when a tool opened it.
    setFocus(Qt::PopupFocusReason);
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
