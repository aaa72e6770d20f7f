#pragma once

#include "WizardPage.h"

class PanelButton;
class PathLabel;
class QComboBox;
class ElidedLabel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class ReviewBlocksPanel;
struct Campaign;

/**
 * Step 1: the affiliate offer's title, image, review (with tag buttons and its optional blocks) and link, the
 * pictures' descriptions and the page's language.
 */
class ReviewPage final : public WizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReviewPage)

public:
    explicit ReviewPage(QWidget* parent);

    PathLabel* imageLabel() const;
    QPushButton* imageButton() const;
    /** The values a campaign keeps of this page. */
    void readInto(Campaign& campaign) const;
    void writeFrom(const Campaign& campaign);
    QWidgetList tabChain() const override;

private:
    void connectEdits();
    void buildLayout();
    void setUpKeyboardAccess();
    /** Replaces the review's selection with @p open + selection + @p close; the caret ends after @p close. */
    void wrapSelection(const QString& open, const QString& close);
    /** Shows beside the link what the page will hold: the link with its tracking tags. */
    void showTaggedLink();
    /** The tags are edited in a small panel that drops down from the button beside the link. */
    void buildTagsPanel();
    /** Bold, Italics and Underline act on the review, so they wait while its blocks are shown. */
    void showReviewPart(int part);
    /** The languages to choose from, the design's own first and then the system's. */
    void fillLanguages();
    void setLanguage(const QString& tag);

    QLabel* m_mainTitleCaption;
    QLineEdit* m_txtMainTitle;
    QLabel* m_imageCaption;
    PathLabel* m_lblImage;
    QPushButton* m_cmdCoverSelect;
    QLabel* m_imageAltCaption;
    QLineEdit* m_txtAffiliateImageAlt;
    QLabel* m_reviewCaption;
    QPushButton* m_cmdBold;
    QPushButton* m_cmdItalics;
    QPushButton* m_cmdUnderline;
    QPlainTextEdit* m_txtReview;
    QPushButton* m_cmdShowReview;
    QPushButton* m_cmdShowReviewBlocks;
    ReviewBlocksPanel* m_reviewBlocks;
    QLabel* m_reviewComment;
    QLabel* m_affiliateLinkCaption;
    QLineEdit* m_txtCTAURL;
    QLineEdit* m_txtReviewHTML;
    ElidedLabel* m_lblTaggedLink;
    PanelButton* m_cmdTrackingTags;
    QLabel* m_bonusAltCaption;
    QLineEdit* m_txtBonusImageAlt;
    QLabel* m_languageCaption;
    QComboBox* m_cboLanguage;
    /** utm_source ... utm_term, in the campaign's order. */
    QList<QLineEdit*> m_txtTags;
    QLabel* m_slugCaption;
    QLineEdit* m_txtSlug;
};
