#include "ReviewBlocksPanel.h"

#include "Campaign.h"
#include "Controls.h"
#include "ReviewBlocks.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
// One step below 0 stands for "no rating", which the box names instead of a number.
constexpr double noRating = -0.5;
} // namespace

ReviewBlocksPanel::ReviewBlocksPanel(QWidget* parent)
    : QWidget(parent)
    , m_ratingCaption(Controls::label(this, QStringLiteral("lblRating"), tr("R&ating:")))
    , m_spnRating(new QDoubleSpinBox(this))
    , m_verdictCaption(Controls::label(this, QStringLiteral("lblVerdict"), tr("&Verdict:")))
    , m_txtVerdict(Controls::lineEdit(this, QStringLiteral("txtVerdict")))
    , m_prosCaption(Controls::label(this, QStringLiteral("lblPros"), tr("&Pros (one per line):")))
    , m_txtPros(Controls::multiLineEdit(this, QStringLiteral("txtPros")))
    , m_consCaption(Controls::label(this, QStringLiteral("lblCons"), tr("C&ons (one per line):")))
    , m_txtCons(Controls::multiLineEdit(this, QStringLiteral("txtCons")))
{
    m_spnRating->setObjectName(QStringLiteral("spnRating"));
    m_spnRating->setRange(noRating, 5);
    m_spnRating->setSingleStep(0.5);
    m_spnRating->setDecimals(1);
    m_spnRating->setSpecialValueText(tr("No rating"));
    m_spnRating->setSuffix(tr(" of 5"));
    m_spnRating->setValue(noRating);
    m_spnRating->setMinimumWidth(110);
    // The box's own line edit takes the keys; a screen reader names it as the box.
    if (auto* edit = m_spnRating->findChild<QLineEdit*>())
        edit->setAccessibleName(tr("Rating"));
    m_txtVerdict->setPlaceholderText(tr("A sentence or two"));
    buildLayout();
    Controls::bindLabel(m_ratingCaption, m_spnRating);
    Controls::bindLabel(m_verdictCaption, m_txtVerdict);
    Controls::bindLabel(m_prosCaption, m_txtPros);
    Controls::bindLabel(m_consCaption, m_txtCons);
    connect(m_spnRating, &QDoubleSpinBox::valueChanged, this, &ReviewBlocksPanel::edited);
    connect(m_txtVerdict, &QLineEdit::textChanged, this, &ReviewBlocksPanel::edited);
    connect(m_txtPros, &QPlainTextEdit::textChanged, this, &ReviewBlocksPanel::edited);
    connect(m_txtCons, &QPlainTextEdit::textChanged, this, &ReviewBlocksPanel::edited);
}

void ReviewBlocksPanel::readInto(Campaign& campaign) const
{
    const double rating = m_spnRating->value();
    campaign.rating = rating < 0 ? QString() : QString::number(rating);
    campaign.verdict = m_txtVerdict->text();
    campaign.pros = Controls::textWithCrLf(m_txtPros);
    campaign.cons = Controls::textWithCrLf(m_txtCons);
}

void ReviewBlocksPanel::writeFrom(const Campaign& campaign)
{
    m_spnRating->setValue(orvanta::campaign::ReviewBlocks::ratingValue(campaign.rating).value_or(noRating));
    Controls::setLine(m_txtVerdict, campaign.verdict);
    Controls::setTextFromCrLf(m_txtPros, campaign.pros);
    Controls::setTextFromCrLf(m_txtCons, campaign.cons);
}

QWidgetList ReviewBlocksPanel::tabChain() const
{
    return {m_spnRating, m_txtVerdict, m_txtPros, m_txtCons};
}

void ReviewBlocksPanel::buildLayout()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(m_ratingCaption);
    top->addWidget(m_spnRating);
    top->addSpacing(16);
    top->addWidget(m_verdictCaption);
    top->addWidget(m_txtVerdict, 1);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addWidget(m_prosCaption, 1, 0);
    grid->addWidget(m_consCaption, 1, 1);
    grid->addWidget(m_txtPros, 2, 0);
    grid->addWidget(m_txtCons, 2, 1);
    // The boxes take what the review's place leaves them.
    for (QPlainTextEdit* box : {m_txtPros, m_txtCons})
        box->setMinimumHeight(0);
}
