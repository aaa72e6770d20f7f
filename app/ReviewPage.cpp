#include "ReviewPage.h"

#include "Campaign.h"
#include "CampaignFields.h"
#include "Controls.h"
#include "ElidedLabel.h"
#include "PageBuilder.h"
#include "PageLanguage.h"
#include "PanelButton.h"
#include "PathLabel.h"
#include "ReviewBlocksPanel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace {
constexpr int FieldWidth = 600;
constexpr int ReviewHeight = 165;
constexpr int CommentWidth = 340;

const QList<const CampaignField*>& trackingTags()
{
    static const QList<const CampaignField*> tags = CampaignFields::in(LinkTag);
    return tags;
}
} // namespace

// The boxes start with the campaign's defaults, which the page prints: they are data, in no catalogue.
ReviewPage::ReviewPage(QWidget* parent)
    : WizardPage(0, tr("Step 1: Enter the Affiliate Offer Info"), parent)
    , m_mainTitleCaption(Controls::label(content(), QStringLiteral("Label1"), tr("&Main Title:")))
    , m_txtMainTitle(
          Controls::lineEdit(content(), QStringLiteral("txtMainTitle"), QStringLiteral("Product XYZ Review")))
    , m_imageCaption(
          Controls::label(content(), QStringLiteral("Label3"), tr("Affiliate Offer &Image (Product Cover etc):")))
    , m_lblImage(new PathLabel(Controls::arrayName("lblImage", 0), FieldWidth, content()))
    , m_cmdCoverSelect(Controls::button(content(), Controls::arrayName("cmdCoverSelect", 0), tr("Select Image")))
    , m_imageAltCaption(Controls::label(content(), QStringLiteral("lblAffiliateImageAlt"), tr("Picture d&escription:")))
    , m_txtAffiliateImageAlt(Controls::lineEdit(content(), QStringLiteral("txtAffiliateImageAlt")))
    , m_reviewCaption(Controls::label(content(), QStringLiteral("Label30"), tr("Quick Affiliate &Review:")))
    , m_cmdBold(Controls::button(content(), QStringLiteral("cmdBold"), tr("Bold")))
    , m_cmdItalics(Controls::button(content(), QStringLiteral("cmdItalics"), tr("Italics")))
    , m_cmdUnderline(Controls::button(content(), QStringLiteral("cmdUnderline"), tr("Underline")))
    , m_txtReview(Controls::multiLineEdit(content(), QStringLiteral("txtReview")))
    , m_cmdShowReview(Controls::button(content(), QStringLiteral("cmdShowReview"), tr("Revie&w")))
    , m_cmdShowReviewBlocks(Controls::button(content(), QStringLiteral("cmdShowReviewBlocks"), tr("Review &blocks")))
    , m_reviewBlocks(new ReviewBlocksPanel(content()))
    , m_reviewComment(Controls::wrappedLabel(
          content(), QStringLiteral("Label31"),
          tr("Comment: In general you don't need to spend a lot of time with the review. One or two paragraphs "
             "should be enough and then it's time to move to the bonus (the incentive that you're giving to those "
             "who buy through your affiliate link)."),
          CommentWidth))
    , m_affiliateLinkCaption(Controls::label(content(), QStringLiteral("Label14"), tr("Your Affiliate &Link:")))
    , m_txtCTAURL(Controls::lineEdit(content(), QStringLiteral("txtCTAURL"), QStringLiteral("http://")))
    , m_txtReviewHTML(Controls::hiddenLineEdit(content(), QStringLiteral("txtReviewHTML")))
    , m_lblTaggedLink(new ElidedLabel(content()))
    , m_cmdTrackingTags(new PanelButton(content()))
    , m_bonusAltCaption(
          Controls::label(content(), QStringLiteral("lblBonusImageAlt"), tr("Bonus picture descriptio&n:")))
    , m_txtBonusImageAlt(Controls::lineEdit(content(), QStringLiteral("txtBonusImageAlt")))
    , m_languageCaption(Controls::label(content(), QStringLiteral("lblLanguage"), tr("Lan&guage:")))
    , m_cboLanguage(new QComboBox(content()))
    , m_slugCaption(Controls::label(content(), QStringLiteral("lblSlug"), tr("Short lin&k:")))
    , m_txtSlug(Controls::lineEdit(content(), QStringLiteral("txtSlug")))
{
    m_txtSlug->setPlaceholderText(tr("from the PDF name"));
    m_txtSlug->setToolTip(tr("The name of the short link on your site, used when the brand has a link base; left "
                             "empty it is made from the PDF name"));
    m_txtSlug->setFixedWidth(150);
    m_reviewBlocks->setObjectName(QStringLiteral("frReviewBlocks"));
    m_txtAffiliateImageAlt->setPlaceholderText(tr("The main title when left empty"));
    m_txtBonusImageAlt->setPlaceholderText(tr("The bonus headline when left empty"));
    fillLanguages();
    buildTagsPanel();
    m_lblTaggedLink->setObjectName(QStringLiteral("lblTaggedLink"));
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
    return QWidgetList{m_txtMainTitle,        m_cmdCoverSelect, m_txtAffiliateImageAlt, m_cboLanguage,  m_cmdShowReview,
                       m_cmdShowReviewBlocks, m_cmdBold,        m_cmdItalics,           m_cmdUnderline, m_txtReview} +
           m_reviewBlocks->tabChain() + QWidgetList{m_txtBonusImageAlt, m_txtCTAURL, m_cmdTrackingTags, m_txtSlug};
}

void ReviewPage::readInto(Campaign& campaign) const
{
    campaign.mainTitle = m_txtMainTitle->text();
    campaign.affiliateImagePath = m_lblImage->text();
    campaign.review = Controls::textWithCrLf(m_txtReview);
    campaign.ctaUrl = m_txtCTAURL->text();
    campaign.slug = m_txtSlug->text().trimmed();
    for (int i = 0; i < m_txtTags.size(); ++i)
        *CampaignFields::textIn(campaign, *trackingTags().at(i)) = m_txtTags.at(i)->text().trimmed();
    campaign.affiliateImageAlt = m_txtAffiliateImageAlt->text();
    campaign.bonusImageAlt = m_txtBonusImageAlt->text();
    campaign.language = m_cboLanguage->currentData().toString();
    m_reviewBlocks->readInto(campaign);
}

void ReviewPage::writeFrom(const Campaign& campaign)
{
    Controls::setLine(m_txtMainTitle, campaign.mainTitle);
    m_lblImage->setPath(campaign.affiliateImagePath);
    Controls::setTextFromCrLf(m_txtReview, campaign.review);
    Controls::setLine(m_txtCTAURL, campaign.ctaUrl);
    Controls::setLine(m_txtSlug, campaign.slug);
    for (int i = 0; i < m_txtTags.size(); ++i)
        Controls::setLine(m_txtTags.at(i), *CampaignFields::textIn(campaign, *trackingTags().at(i)));
    showTaggedLink();
    Controls::setLine(m_txtAffiliateImageAlt, campaign.affiliateImageAlt);
    Controls::setLine(m_txtBonusImageAlt, campaign.bonusImageAlt);
    setLanguage(campaign.language);
    m_reviewBlocks->writeFrom(campaign);
}

void ReviewPage::fillLanguages()
{
    m_cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    m_cboLanguage->addItem(tr("The design's own"), QString());
    for (const QString& tag : PageLanguage::choices(QLocale::system())) {
        const QLocale locale(tag);
        const QString name =
            tag.contains(QLatin1Char('-'))
                ? QStringLiteral("%1 (%2)").arg(locale.nativeLanguageName(), locale.nativeTerritoryName())
                : locale.nativeLanguageName();
        m_cboLanguage->addItem(QStringLiteral("%1 \u2013 %2").arg(name, tag), tag);
    }
}

// A tag the list lacks, from a file or a sheet, is kept as it is; Create says when it is no tag.
void ReviewPage::setLanguage(const QString& tag)
{
    int index = m_cboLanguage->findData(tag);
    if (index < 0) {
        m_cboLanguage->addItem(tag, tag);
        index = m_cboLanguage->count() - 1;
    }
    m_cboLanguage->setCurrentIndex(index);
}

void ReviewPage::buildTagsPanel()
{
    m_cmdTrackingTags->setObjectName(QStringLiteral("cmdTrackingTags"));
    m_cmdTrackingTags->setText(tr("&Tags..."));
    m_cmdTrackingTags->setAccessibleName(tr("Tracking tags"));
    m_cmdTrackingTags->setAccessibleDescription(tr("Tracking tags added to the affiliate link on the page"));
    QWidget* panel = m_cmdTrackingTags->panel();
    panel->setObjectName(QStringLiteral("frTrackingTags"));
    panel->setAccessibleName(tr("Tracking tags"));
    auto* form = new QFormLayout(panel);
    for (const CampaignField* field : trackingTags()) {
        const char* tag = field->key;
        QLineEdit* edit = Controls::lineEdit(panel, QStringLiteral("txt_") + QLatin1String(tag));
        edit->setAccessibleName(tr("Tracking tag %1").arg(QLatin1String(tag)));
        edit->setMinimumWidth(220);
        QLabel* caption = Controls::label(panel, QStringLiteral("lbl_") + QLatin1String(tag), QLatin1String(tag));
        caption->setBuddy(edit);
        form->addRow(caption, edit);
        m_txtTags << edit;
    }
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
    m_lblTaggedLink->setFullText(tr("On the page: %1").arg(tagged));
}

void ReviewPage::connectEdits()
{
    connect(m_txtMainTitle, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_lblImage, &PathLabel::pathChanged, this, &ReviewPage::edited);
    connect(m_txtReview, &QPlainTextEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtCTAURL, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtCTAURL, &QLineEdit::textChanged, this, &ReviewPage::showTaggedLink);
    connect(m_txtAffiliateImageAlt, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtSlug, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtBonusImageAlt, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_cboLanguage, &QComboBox::currentIndexChanged, this, &ReviewPage::edited);
    connect(m_reviewBlocks, &ReviewBlocksPanel::edited, this, &ReviewPage::edited);
    for (QLineEdit* tag : m_txtTags) {
        connect(tag, &QLineEdit::textChanged, this, &ReviewPage::edited);
        connect(tag, &QLineEdit::textChanged, this, &ReviewPage::showTaggedLink);
    }
}

void ReviewPage::buildLayout()
{
    for (QLineEdit* line : {m_txtMainTitle, m_txtCTAURL, m_txtAffiliateImageAlt})
        line->setFixedWidth(FieldWidth);
    m_txtReview->setFixedHeight(ReviewHeight);
    m_reviewBlocks->setFixedHeight(ReviewHeight);
    m_txtBonusImageAlt->setFixedWidth(CommentWidth);
    // The review and its blocks share one place; two buttons beside the format buttons show one or the other. The
    // review is its caption's sibling, not a stack's page: Qt gives a box the key of a caption among its siblings.
    auto* shown = new QButtonGroup(this);
    for (QPushButton* button : {m_cmdShowReview, m_cmdShowReviewBlocks}) {
        button->setCheckable(true);
        shown->addButton(button, shown->buttons().size());
    }
    m_cmdShowReview->setChecked(true);
    connect(shown, &QButtonGroup::idClicked, this, &ReviewPage::showReviewPart);

    auto* formatButtons = new QHBoxLayout;
    formatButtons->setSpacing(4);
    formatButtons->addWidget(m_cmdShowReview);
    formatButtons->addWidget(m_cmdShowReviewBlocks);
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
    grid->addWidget(m_imageAltCaption, 2, 0);
    grid->addWidget(m_txtAffiliateImageAlt, 2, 1);
    auto* language = new QHBoxLayout;
    language->setSpacing(8);
    language->addWidget(m_languageCaption);
    language->addWidget(m_cboLanguage, 1);
    grid->addLayout(language, 2, 2);
    grid->addWidget(m_reviewCaption, 3, 0, Qt::AlignBottom);
    grid->addLayout(formatButtons, 3, 1);
    grid->addWidget(m_txtReview, 4, 0, 1, 2);
    grid->addWidget(m_reviewBlocks, 4, 0, 1, 2);
    grid->addWidget(m_reviewComment, 4, 2, Qt::AlignTop);
    // Below the comment in the same cell, so the review's row keeps its height.
    auto* bonusAlt = new QVBoxLayout;
    bonusAlt->setSpacing(4);
    bonusAlt->addWidget(m_bonusAltCaption);
    bonusAlt->addWidget(m_txtBonusImageAlt);
    grid->addLayout(bonusAlt, 4, 2, Qt::AlignBottom);
    grid->addWidget(m_affiliateLinkCaption, 5, 0);
    grid->addWidget(m_txtCTAURL, 5, 1);
    auto* beside = new QHBoxLayout;
    beside->setSpacing(8);
    beside->addWidget(m_cmdTrackingTags);
    // The short link's name stands beside the link, so Step 1 keeps its height.
    beside->addWidget(m_slugCaption);
    beside->addWidget(m_txtSlug);
    beside->addStretch(1);
    grid->addLayout(beside, 5, 2);
    // Below the link, where a tagged link has the field's width; beside the short link it had a few letters.
    grid->addWidget(m_lblTaggedLink, 6, 1);
    setContentLayout(grid);
    m_lblTaggedLink->hide();
    m_reviewBlocks->hide();
}

void ReviewPage::setUpKeyboardAccess()
{
    Controls::bindLabel(m_mainTitleCaption, m_txtMainTitle);
    Controls::bindLabel(m_imageCaption, m_cmdCoverSelect);
    Controls::bindLabel(m_reviewCaption, m_txtReview);
    Controls::bindLabel(m_affiliateLinkCaption, m_txtCTAURL);
    Controls::bindLabel(m_slugCaption, m_txtSlug);
    Controls::bindLabel(m_imageAltCaption, m_txtAffiliateImageAlt);
    Controls::bindLabel(m_bonusAltCaption, m_txtBonusImageAlt);
    Controls::bindLabel(m_languageCaption, m_cboLanguage);
    m_lblImage->setAccessibleName(tr("Affiliate offer image file"));
}

void ReviewPage::showReviewPart(int part)
{
    const bool review = part == 0;
    m_reviewBlocks->setVisible(!review);
    m_txtReview->setVisible(review);
    for (QPushButton* format : {m_cmdBold, m_cmdItalics, m_cmdUnderline})
        format->setEnabled(review);
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
