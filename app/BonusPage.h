#pragma once

#include "WizardPage.h"

class LinkLabel;
class Platform;
class QCheckBox;
class QFrame;
class PathLabel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
struct Campaign;

/** Step 2: the bonus (a cloud bonus from the catalogue or an own one) and the call to action. */
class BonusPage final : public WizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BonusPage)

public:
    BonusPage(Platform& platform, const QString& appFolder, QWidget* parent);

    void fillCatalogue(const QStringList& entryNames);
    void loadBuiltInInstructions();
    /** The selected catalogue entry's row, or -1. */
    int selectedBonusIndex() const;
    /** The chosen bonus's raw product identifier; empty before the first choice. */
    QString productId() const;
    void focusAdTitle();
    /** The values a campaign keeps of this page. */
    void readInto(Campaign& campaign) const;
    /** False when the campaign's catalogue entry is not in the list; no entry is chosen then. */
    bool writeFrom(const Campaign& campaign);
    QWidgetList tabChain() const override;

    PathLabel* imageLabel() const;
    QPushButton* imageButton() const;
    QPushButton* productPreviewButton() const;

Q_SIGNALS:
    /** A catalogue entry was chosen and its identifier loaded. */
    void productSelected();
    void ownBonusChanged(bool ownBonus);

private:
    QFrame* buildBonusFrame();
    QFrame* buildCallToActionFrame();
    void styleControls();
    void setUpKeyboardAccess();
    void connectControls();
    void connectEdits();
    void lstProductItems_Click();
    void lblCloudvsSelfHostedBonuses_Click();

    Platform& m_platform;
    QString m_appFolder;
    QLabel* m_bonusIntro;
    QLabel* m_headlineCaption;
    QLineEdit* m_txtBonusHeadline;
    QLabel* m_cloudBonusCaption;
    QListWidget* m_lstProductItems;
    QPushButton* m_cmdProductPreview;
    QLabel* m_ownBonusQuestion;
    LinkLabel* m_lblCloudvsSelfHostedBonuses;
    QCheckBox* m_chkUseMyOwnBonus;
    QLabel* m_bonusImageCaption;
    PathLabel* m_lblImage;
    QPushButton* m_cmdCoverSelect;
    QLineEdit* m_txtProductID;
    QLabel* m_ctaAreaCaption;
    QLabel* m_ctaTitleCaption;
    QLineEdit* m_txtAdTitle;
    QLabel* m_ctaTextCaption;
    QLineEdit* m_txtCTAText;
    QLabel* m_instructionsCaption;
    QPlainTextEdit* m_txtInstructions;
    QPushButton* m_cmdBuiltInBonusInstructions;
};
