#include "LinkLabel.h"

#include "Controls.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& name, const QString& text, const QColor& color, bool bold, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    linkFont.setBold(bold);
    setFont(linkFont);
    Controls::setTextColor(this, color);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    // Accepting the press keeps the release with this label.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
