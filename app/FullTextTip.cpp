#include "FullTextTip.h"

#include "Controls.h"

#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
// QLineEdit keeps this much room between its contents rectangle and the text on either side.
constexpr int LineEditTextMargin = 2;
} // namespace

void FullTextTip::attach(QLineEdit* field)
{
    new FullTextTip(field);
}

FullTextTip::FullTextTip(QLineEdit* field)
    : QObject(field)
    , m_field(field)
{
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, &FullTextTip::update);
    update();
}

bool FullTextTip::showsWholeText(const QLineEdit& field)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) : 0;
    const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const QMargins margins = field.textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * LineEditTextMargin;
    return field.fontMetrics().horizontalAdvance(field.text()) <= room;
}

bool FullTextTip::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::Polish:
        update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FullTextTip::update()
{
    if (showsWholeText(*m_field)) {
        m_field->setToolTip(QString());
        return;
    }
    m_field->setToolTip(Controls::plainToolTip(m_field->text()));
}
