#include "ReviewPage.h"

#include "Campaign.h"
#include "CampaignFields.h"
#include "Controls.h"
#include "PageBuilder.h"
#include "PathLabel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidgetAction>

namespace {
constexpr int FieldWidth = 600;
constexpr int ReviewHeight = 200;
constexpr int CommentWidth = 340;
constexpr int TaggedLinkWidth = 260;

const QList<const CampaignField*>& trackingTags()
{
    static const QList<const CampaignField*> tags = CampaignFields::in(LinkTag);
    return tags;
}
} // namespace

ReviewPage::ReviewPage(QWidget* parent)
    : WizardPage(0, tr("Step 1: Enter the Affiliate Offer Info"), parent)
    , m_mainTitleCaption(Controls::label(content(), QStringLiteral("Label1"), tr("&Main Title:")))
    , m_txtMainTitle(Controls::lineEdit(content(), QStringLiteral("txtMainTitle"), tr("Product XYZ Review")))
    , m_imageCaption(
          Controls::label(content(), QStringLiteral("Label3"), tr("Affiliate Offer &Image (Product Cover etc):")))
    , m_lblImage(new PathLabel(Controls::arrayName("lblImage", 0), FieldWidth, content()))
    , m_cmdCoverSelect(Controls::button(content(), Controls::arrayName("cmdCoverSelect", 0), tr("Select Image")))
    , m_reviewCaption(Controls::label(content(), QStringLiteral("Label30"), tr("Quick Affiliate &Review:")))
    , m_cmdBold(Controls::button(content(), QStringLiteral("cmdBold"), tr("Bold")))
    , m_cmdItalics(Controls::button(content(), QStringLiteral("cmdItalics"), tr("Italics")))
    , m_cmdUnderline(Controls::button(content(), QStringLiteral("cmdUnderline"), tr("Underline")))
    , m_txtReview(Controls::multiLineEdit(content(), QStringLiteral("txtReview")))
    , m_reviewComment(Controls::wrappedLabel(
          content(), QStringLiteral("Label31"),
          tr("Comment: In general you don't need to spend a lot of time with the review. One or two paragraphs "
             "should be enough and then it's time to move to the bonus (the incentive that you're giving to those "
             "who buy through your affiliate link)."),
          CommentWidth))
    , m_affiliateLinkCaption(Controls::label(content(), QStringLiteral("Label14"), tr("Your Affiliate &Link:")))
    , m_txtCTAURL(Controls::lineEdit(content(), QStringLiteral("txtCTAURL"), tr("http://")))
    , m_txtReviewHTML(Controls::hiddenLineEdit(content(), QStringLiteral("txtReviewHTML")))
    , m_lblTaggedLink(Controls::label(content(), QStringLiteral("lblTaggedLink"), QString()))
    , m_cmdTrackingTags(new QToolButton(content()))
{
    buildTagsPanel();
    // A link is the user's text, markup-like or not.
    m_lblTaggedLink->setTextFormat(Qt::PlainText);
    m_lblTaggedLink->setFixedWidth(TaggedLinkWidth);
    buildLayout();
    setUpKeyboardAccess();
    connectEdits();
    connect(m_cmdBold, &QPushButton::clicked, this,
            [this] { wrapSelection(QStringLiteral("<b>"), QStringLiteral("</b>")); });
    connect(m_cmdItalics, &QPushButton::clicked, this,
            [this] { wrapSelection(QStringLiteral("<i>"), QStringLiteral("</i>")); });
    connect(m_cmdUnderline, &QPushButton::clicked, this,
            [this] { wrapSelection(QStringLiteral("<u>"), QStringLiteral("</u>")); });
}

PathLabel* ReviewPage::imageLabel() const
{
    return m_lblImage;
}

QPushButton* ReviewPage::imageButton() const
{
    return m_cmdCoverSelect;
}

QWidgetList ReviewPage::tabChain() const
{
    return {m_txtMainTitle, m_cmdCoverSelect, m_cmdBold,   m_cmdItalics,
            m_cmdUnderline, m_txtReview,      m_txtCTAURL, m_cmdTrackingTags};
}

void ReviewPage::readInto(Campaign& campaign) const
{
    campaign.mainTitle = m_txtMainTitle->text();
    campaign.affiliateImagePath = m_lblImage->text();
    campaign.review = Controls::textWithCrLf(m_txtReview);
    campaign.ctaUrl = m_txtCTAURL->text();
    for (int i = 0; i < m_txtTags.size(); ++i)
        *CampaignFields::textIn(campaign, *trackingTags().at(i)) = m_txtTags.at(i)->text().trimmed();
}

void ReviewPage::writeFrom(const Campaign& campaign)
{
    Controls::setLine(m_txtMainTitle, campaign.mainTitle);
    m_lblImage->setPath(campaign.affiliateImagePath);
    Controls::setTextFromCrLf(m_txtReview, campaign.review);
    Controls::setLine(m_txtCTAURL, campaign.ctaUrl);
    for (int i = 0; i < m_txtTags.size(); ++i)
        Controls::setLine(m_txtTags.at(i), *CampaignFields::textIn(campaign, *trackingTags().at(i)));
    showTaggedLink();
}

void ReviewPage::buildTagsPanel()
{
    m_cmdTrackingTags->setObjectName(QStringLiteral("cmdTrackingTags"));
    m_cmdTrackingTags->setText(tr("&Tags..."));
    m_cmdTrackingTags->setAccessibleName(tr("Tracking tags"));
    m_cmdTrackingTags->setAccessibleDescription(tr("Tracking tags added to the affiliate link on the page"));
    m_cmdTrackingTags->setPopupMode(QToolButton::InstantPopup);
    m_cmdTrackingTags->setFocusPolicy(Qt::StrongFocus);
    auto* menu = new QMenu(m_cmdTrackingTags);
    auto* panel = new QWidget(menu);
    auto* form = new QFormLayout(panel);
    for (const CampaignField* field : trackingTags()) {
        const char* tag = field->key;
        QLineEdit* edit = Controls::lineEdit(panel, QStringLiteral("txt_") + QLatin1String(tag));
        edit->setAccessibleName(tr("Tracking tag %1").arg(QLatin1String(tag)));
        edit->setMinimumWidth(220);
        form->addRow(QLatin1String(tag), edit);
        m_txtTags << edit;
    }
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(panel);
    menu->addAction(action);
    m_cmdTrackingTags->setMenu(menu);
    connect(menu, &QMenu::aboutToShow, m_txtTags.first(), [this] { m_txtTags.first()->setFocus(); });
}

void ReviewPage::showTaggedLink()
{
    Campaign campaign;
    readInto(campaign);
    const QString tagged = taggedAffiliateLink(campaign);
    const bool shown = tagged != campaign.ctaUrl;
    m_lblTaggedLink->setVisible(shown);
    m_lblTaggedLink->setToolTip(shown ? tagged : QString());
    m_lblTaggedLink->setAccessibleName(tr("Link on the page: %1").arg(tagged));
    m_lblTaggedLink->setText(
        m_lblTaggedLink->fontMetrics().elidedText(tr("On the page: %1").arg(tagged), Qt::ElideMiddle, TaggedLinkWidth));
}

void ReviewPage::connectEdits()
{
    connect(m_txtMainTitle, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_lblImage, &PathLabel::pathChanged, this, &ReviewPage::edited);
    connect(m_txtReview, &QPlainTextEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtCTAURL, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtCTAURL, &QLineEdit::textChanged, this, &ReviewPage::showTaggedLink);
    for (QLineEdit* tag : m_txtTags) {
        connect(tag, &QLineEdit::textChanged, this, &ReviewPage::edited);
        connect(tag, &QLineEdit::textChanged, this, &ReviewPage::showTaggedLink);
    }
}

void ReviewPage::buildLayout()
{
    m_txtMainTitle->setFixedWidth(FieldWidth);
    m_txtCTAURL->setFixedWidth(FieldWidth);
    m_txtReview->setFixedHeight(ReviewHeight);

    auto* formatButtons = new QHBoxLayout;
    formatButtons->setSpacing(4);
    formatButtons->addStretch();
    formatButtons->addWidget(m_cmdBold);
    formatButtons->addWidget(m_cmdItalics);
    formatButtons->addWidget(m_cmdUnderline);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(m_mainTitleCaption, 0, 0);
    grid->addWidget(m_txtMainTitle, 0, 1);
    grid->addWidget(m_imageCaption, 1, 0);
    grid->addWidget(m_lblImage, 1, 1);
    grid->addWidget(m_cmdCoverSelect, 1, 2, Qt::AlignLeft);
    grid->addWidget(m_reviewCaption, 2, 0, Qt::AlignBottom);
    grid->addLayout(formatButtons, 2, 1);
    grid->addWidget(m_txtReview, 3, 0, 1, 2);
    grid->addWidget(m_reviewComment, 3, 2, Qt::AlignTop);
    grid->addWidget(m_affiliateLinkCaption, 4, 0);
    grid->addWidget(m_txtCTAURL, 4, 1);
    auto* beside = new QHBoxLayout;
    beside->setSpacing(8);
    beside->addWidget(m_cmdTrackingTags);
    beside->addWidget(m_lblTaggedLink, 1);
    grid->addLayout(beside, 4, 2);
    setContentLayout(grid);
    m_lblTaggedLink->hide();
}

void ReviewPage::setUpKeyboardAccess()
{
    Controls::bindLabel(m_mainTitleCaption, m_txtMainTitle);
    Controls::bindLabel(m_imageCaption, m_cmdCoverSelect);
    Controls::bindLabel(m_reviewCaption, m_txtReview);
    Controls::bindLabel(m_affiliateLinkCaption, m_txtCTAURL);
    m_lblImage->setAccessibleName(tr("Affiliate offer image file"));
}

void ReviewPage::wrapSelection(const QString& open, const QString& close)
{
    QTextCursor cursor = m_txtReview->textCursor();
    // The selection reports line breaks as paragraph separators; the text box keeps real ones.
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));
    cursor.insertText(open + selected + close);
    m_txtReview->setTextCursor(cursor);
}
