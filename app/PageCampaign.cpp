// The wizard pages' part in campaigns: what each page keeps, how it is filled again, and when it changed.

#include "BonusPage.h"
#include "Campaign.h"
#include "Catalogue.h"
#include "Controls.h"
#include "CreatePage.h"
#include "PathLabel.h"
#include "ReviewPage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {
/** Campaigns keep CR LF, as "Create" reads them; the text box holds LF. */
void setTextFromCrLf(QPlainTextEdit* box, const QString& text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(lines);
}

void setLine(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->setCursorPosition(0);
}
} // namespace

void ReviewPage::readInto(Campaign& campaign) const
{
    campaign.mainTitle = m_txtMainTitle->text();
    campaign.affiliateImagePath = m_lblImage->text();
    campaign.review = Controls::textWithCrLf(m_txtReview);
    campaign.ctaUrl = m_txtCTAURL->text();
}

void ReviewPage::writeFrom(const Campaign& campaign)
{
    setLine(m_txtMainTitle, campaign.mainTitle);
    m_lblImage->setText(campaign.affiliateImagePath);
    setTextFromCrLf(m_txtReview, campaign.review);
    setLine(m_txtCTAURL, campaign.ctaUrl);
}

void ReviewPage::connectEdits()
{
    connect(m_txtMainTitle, &QLineEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtReview, &QPlainTextEdit::textChanged, this, &ReviewPage::edited);
    connect(m_txtCTAURL, &QLineEdit::textChanged, this, &ReviewPage::edited);
}

void BonusPage::readInto(Campaign& campaign) const
{
    campaign.bonusHeadline = m_txtBonusHeadline->text();
    const int row = selectedBonusIndex();
    campaign.catalogueEntry = row < 0 ? QString() : m_lstProductItems->item(row)->text();
    campaign.productId = m_txtProductID->text();
    campaign.ownBonus = m_chkUseMyOwnBonus->isChecked();
    campaign.ownBonusImagePath = m_lblImage->text();
    campaign.ctaTitle = m_txtAdTitle->text();
    campaign.ctaText = m_txtCTAText->text();
    campaign.bonusInstructions = Controls::textWithCrLf(m_txtInstructions);
}

bool BonusPage::writeFrom(const Campaign& campaign)
{
    setLine(m_txtBonusHeadline, campaign.bonusHeadline);
    const QList<QListWidgetItem*> found = campaign.catalogueEntry.isEmpty()
                                              ? QList<QListWidgetItem*>()
                                              : m_lstProductItems->findItems(campaign.catalogueEntry, Qt::MatchExactly);
    {
        // Quietly: the delivery URL box is restored as it was saved, not rebuilt from the identifier.
        const QSignalBlocker blocker(m_lstProductItems);
        m_lstProductItems->clearSelection();
        m_lstProductItems->setCurrentItem(found.isEmpty() ? nullptr : found.first());
        if (!found.isEmpty())
            found.first()->setSelected(true);
    }
    m_lstProductItems->viewport()->update();
    // The catalogue's product file decides, as a click on the entry would, so the command line makes the same page.
    m_txtProductID->setText(found.isEmpty() ? QString()
                                            : Catalogue::readProductId(m_appFolder, campaign.catalogueEntry));
    m_chkUseMyOwnBonus->setChecked(campaign.ownBonus);
    m_lblImage->setText(campaign.ownBonusImagePath);
    setLine(m_txtAdTitle, campaign.ctaTitle);
    setLine(m_txtCTAText, campaign.ctaText);
    setTextFromCrLf(m_txtInstructions, campaign.bonusInstructions);
    return campaign.catalogueEntry.isEmpty() || !found.isEmpty();
}

void BonusPage::connectEdits()
{
    connect(m_txtBonusHeadline, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(this, &BonusPage::productSelected, this, &BonusPage::edited);
    connect(m_chkUseMyOwnBonus, &QCheckBox::toggled, this, &BonusPage::edited);
    connect(m_txtAdTitle, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(m_txtCTAText, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(m_txtInstructions, &QPlainTextEdit::textChanged, this, &BonusPage::edited);
}

void CreatePage::readInto(Campaign& campaign) const
{
    campaign.pdfFileName = m_txtPDFFilename->text();
    campaign.deliveryUrl = m_txtBonusDeliveryUrl->text();
    campaign.fitToContent = m_chkFitToContent->isChecked();
    campaign.saveWebPage = m_chkSaveWebPage->isChecked();
}

void CreatePage::writeFrom(const Campaign& campaign)
{
    setLine(m_txtPDFFilename, campaign.pdfFileName);
    setDeliveryUrl(campaign.deliveryUrl);
    setCreateOptions({campaign.fitToContent, campaign.saveWebPage});
}

void CreatePage::connectEdits()
{
    connect(m_txtPDFFilename, &QLineEdit::textChanged, this, &CreatePage::edited);
    connect(m_txtBonusDeliveryUrl, &QLineEdit::textChanged, this, &CreatePage::edited);
    for (QCheckBox* option : {m_chkFitToContent, m_chkSaveWebPage})
        connect(option, &QCheckBox::toggled, this, &CreatePage::edited);
}
