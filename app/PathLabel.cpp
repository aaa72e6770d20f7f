#include "PathLabel.h"

#include <QEvent>
#include <QPainter>

PathLabel::PathLabel(const QString& name, int width, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setIndent(4);
    setFixedWidth(width);
    setProperty("tag", QString());
}

bool PathLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        setToolTip(text());
    return QLabel::event(event);
}

void PathLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(indent(), 0, -indent(), 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
}
