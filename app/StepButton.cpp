#include "StepButton.h"

#include "AccessibleControls.h"
#include "Controls.h"
#include "WindowColors.h"

#include <QAccessible>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int IconSize = 28;

bool isMouseButtonEvent(const QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
           event->type() == QEvent::MouseButtonDblClick;
}
} // namespace

StepButton::StepButton(int index, const QString& iconName, const QString& iconFile, const QString& caption,
                       QWidget* parent)
    : QFrame(parent)
    , m_index(index)
    , m_icon(new QLabel(this))
    , m_caption(Controls::label(this, Controls::arrayName("lblButton", index), caption))
{
    AccessibleControls::install();
    setObjectName(Controls::arrayName("vButton", index));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);

    m_icon->setObjectName(iconName);
    m_icon->setAccessibleName(tr("Step %1 icon").arg(index + 1));
    setAccessibleName(caption);
    m_icon->setPixmap(QIcon(iconFile).pixmap(IconSize, IconSize));
    m_icon->setFixedSize(IconSize, IconSize);
    m_icon->installEventFilter(this);

    // Room for the bold caption, so marking a step current moves nothing.
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(caption) + 2);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 16, 8);
    layout->setSpacing(10);
    layout->addWidget(m_icon);
    layout->addWidget(m_caption);
    layout->addStretch();
    setNotCurrent(true);
}

bool StepButton::notCurrent() const
{
    return m_notCurrent;
}

void StepButton::setNotCurrent(bool notCurrent)
{
    const bool changed = notCurrent != m_notCurrent;
    m_notCurrent = notCurrent;
    QFont font = m_caption->font();
    font.setBold(!notCurrent);
    m_caption->setFont(font);
    Controls::setTextColor(m_caption, notCurrent ? WindowColors::StepFlatText : WindowColors::StepCurrentText);
    setAccessibleDescription(notCurrent ? QString() : tr("Current step"));
    update();
    if (changed) {
        QAccessible::State states;
        states.selected = states.checked = true;
        QAccessibleStateChangeEvent event(this, states);
        QAccessible::updateAccessibility(&event);
    }
}

void StepButton::press()
{
    Q_EMIT clicked(m_index);
}

bool StepButton::eventFilter(QObject* watched, QEvent* event)
{
    // The icon has no click action: its clicks must not reach the frame.
    if (watched == m_icon && isMouseButtonEvent(event))
        return true;
    return QFrame::eventFilter(watched, event);
}

void StepButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool hovered = m_notCurrent && testAttribute(Qt::WA_UnderMouse);
    const QColor fill = !m_notCurrent ? WindowColors::StepCurrentFill
                                      : (hovered ? WindowColors::StepHoverFill : palette().color(QPalette::Window));
    QPen border(!m_notCurrent || hasFocus() ? WindowColors::StepCurrentBorder : WindowColors::StepFlatBorder,
                !m_notCurrent ? 2.0 : 1.0);
    if (hasFocus())
        border.setStyle(Qt::DashLine);
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
}

void StepButton::mousePressEvent(QMouseEvent* event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void StepButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        press();
}

void StepButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        press();
    else
        QFrame::keyPressEvent(event);
}

StepBar::StepBar(QWidget* parent)
    : QWidget(parent)
{
    AccessibleControls::install();
}
