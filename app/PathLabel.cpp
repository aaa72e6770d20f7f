#include "PathLabel.h"

#include "AccessibleControls.h"
#include "Controls.h"
#include "ImagePicker.h"

#include <QAccessible>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QMimeData>
#include <QPainter>

PathLabel::PathLabel(const QString& name, int width, QWidget* parent)
    : QLabel(parent)
{
    AccessibleControls::install();
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setIndent(4);
    setFixedWidth(width);
    setProperty("tag", QString());
    setAcceptDrops(true);
}

void PathLabel::setPath(const QString& path)
{
    const bool changed = path != text();
    setText(path);
    QAccessibleValueChangeEvent valueChange(this, path);
    QAccessible::updateAccessibility(&valueChange);
    QAccessibleEvent descriptionChange(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&descriptionChange);
    if (changed)
        Q_EMIT pathChanged(path);
}

bool PathLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        setToolTip(Controls::plainToolTip(text()));
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

// An ignored enter makes the cursor show the refusal; no drop follows it.
void PathLabel::dragEnterEvent(QDragEnterEvent* event)
{
    if (ImagePicker::droppedImagePath(*event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void PathLabel::dropEvent(QDropEvent* event)
{
    const QString path = ImagePicker::droppedImagePath(*event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT imageDropped(path);
}
