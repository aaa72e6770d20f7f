#include "WizardPage.h"

#include "Controls.h"

#include <QLayout>

namespace {
constexpr int ContentInset = 10;
}

WizardPage::WizardPage(int index, const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
    , m_content(new QWidget(this))
{
    setObjectName(Controls::arrayName("frPage", index));
    // A bold frame caption; the controls inside keep the ordinary font.
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    QFont ordinary = font();
    ordinary.setBold(false);
    m_content->setFont(ordinary);
}

QWidget* WizardPage::content() const
{
    return m_content;
}

void WizardPage::setContentLayout(QLayout* layout)
{
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 0);
    m_content->setLayout(layout);
}

void WizardPage::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    m_content->move(contentsRect().topLeft() + QPoint(ContentInset, ContentInset));
}
