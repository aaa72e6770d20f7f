#include "BonusPage.h"

#include "AppFolder.h"
#include "Campaign.h"
#include "Catalogue.h"
#include "Controls.h"
#include "HelperOps.h"
#include "LinkLabel.h"
#include "PageBuilder.h"
#include "PathLabel.h"
#include "Platform.h"
#include "WindowColors.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace {
constexpr int HeadlineWidth = 330;
constexpr int CallToActionWidth = 390;
constexpr int ImagePathWidth = 300;
constexpr int ListHeight = 118;
constexpr int InstructionsHeight = 146;

QFrame* captionlessFrame(QWidget* parent, const QString& name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    return frame;
}

QGridLayout* frameGrid(QFrame* frame)
{
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    return grid;
}
} // namespace

// The boxes start with the campaign's defaults, which the page prints: they are data, in no catalogue.
BonusPage::BonusPage(Platform& platform, const QString& appFolder, QWidget* parent)
    : WizardPage(1, tr("  Step 2: Select a Bonus  "), parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_bonusIntro(Controls::heading(content(), QStringLiteral("Label17"),
                                     tr("Select a Bonus to Offer For the Affiliate Offer:")))
    , m_headlineCaption(Controls::label(content(), QStringLiteral("Label24"), tr("Bonus &Headline:")))
    , m_txtBonusHeadline(Controls::lineEdit(content(), QStringLiteral("txtBonusHeadline"),
                                            QStringLiteral(" Get Your Copy with Our Private Bonus! Take a Look:")))
    , m_cloudBonusCaption(Controls::label(content(), QStringLiteral("Label29"),
                                          tr("Bonus to &Offer (Select a Cloud Bonus from the List):")))
    , m_lstProductItems(new QListWidget(content()))
    , m_cmdProductPreview(Controls::button(content(), QStringLiteral("cmdProductPreview"), tr("Product Preview")))
    , m_ownBonusQuestion(Controls::label(content(), QStringLiteral("Label32"), tr("Want to Use Your Own Bonus?")))
    , m_lblCloudvsSelfHostedBonuses(new LinkLabel(QStringLiteral("lblCloudvsSelfHostedBonuses"),
                                                  tr("Using a Cloud Based Bonus vs Your Own Bonus"),
                                                  WindowColors::LinkBlue, true, content()))
    , m_chkUseMyOwnBonus(new QCheckBox(tr("Use My Own Bonus"), content()))
    , m_bonusImageCaption(Controls::label(content(), Controls::arrayName("Label16", 2), tr("Bonus &Image:")))
    , m_lblImage(new PathLabel(Controls::arrayName("lblImage", 1), ImagePathWidth, content()))
    , m_cmdCoverSelect(Controls::button(content(), Controls::arrayName("cmdCoverSelect", 1), tr("Select Bonus Image")))
    , m_txtProductID(Controls::hiddenLineEdit(content(), QStringLiteral("txtProductID")))
    , m_ctaAreaCaption(Controls::heading(content(), QStringLiteral("Label15"), tr("Call to Action Area:")))
    , m_ctaTitleCaption(Controls::label(content(), QStringLiteral("Label8"), tr("&Title:")))
    , m_txtAdTitle(Controls::lineEdit(
          content(), QStringLiteral("txtAdTitle"),
          QStringLiteral("Yes, Get Your Copy with Our Private Bonus when Buying XYZ Through Our Link:")))
    , m_ctaTextCaption(Controls::label(content(), QStringLiteral("Label9"), tr("Call to Action &Button Text:")))
    , m_txtCTAText(Controls::lineEdit(content(), QStringLiteral("txtCTAText"),
                                      QStringLiteral("Click Here to Buy the XYZ (Includes Our Bonus)")))
    , m_instructionsCaption(
          Controls::label(content(), QStringLiteral("Label18"), tr("How to &Get Your Bonus - Instructions")))
    , m_txtInstructions(Controls::multiLineEdit(content(), QStringLiteral("txtInstructions")))
    , m_cmdBuiltInBonusInstructions(
          Controls::button(content(), QStringLiteral("cmdBuiltInBonusInstructions"), tr("Add Built-In Instructions")))
{
    styleControls();
    setUpKeyboardAccess();
    auto* frames = new QHBoxLayout;
    frames->setSpacing(14);
    // Side by side at one height; spare room gathers below each frame's last row.
    frames->addWidget(buildBonusFrame());
    frames->addWidget(buildCallToActionFrame());
    setContentLayout(frames);
    connectControls();
    connectEdits();
}

void BonusPage::fillCatalogue(const QStringList& entryNames)
{
    m_lstProductItems->clear();
    m_lstProductItems->addItems(entryNames);
}

void BonusPage::loadBuiltInInstructions()
{
    m_txtInstructions->setPlainText(vFile::LoadTextFile(AppFolder::builtInInstructionsPath(m_appFolder)));
}

int BonusPage::selectedBonusIndex() const
{
    const QList<QListWidgetItem*> selected = m_lstProductItems->selectedItems();
    return selected.isEmpty() ? -1 : m_lstProductItems->row(selected.first());
}

QString BonusPage::productId() const
{
    return m_txtProductID->text();
}

void BonusPage::focusAdTitle()
{
    m_txtAdTitle->setFocus(Qt::OtherFocusReason);
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
    Controls::setLine(m_txtBonusHeadline, campaign.bonusHeadline);
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
    m_lblImage->setPath(campaign.ownBonusImagePath);
    Controls::setLine(m_txtAdTitle, campaign.ctaTitle);
    Controls::setLine(m_txtCTAText, campaign.ctaText);
    Controls::setTextFromCrLf(m_txtInstructions, campaign.bonusInstructions);
    return campaign.catalogueEntry.isEmpty() || !found.isEmpty();
}

// The hidden identifier too: two entries may share one, and it reaches the page.
void BonusPage::connectEdits()
{
    connect(m_txtBonusHeadline, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(this, &BonusPage::productSelected, this, &BonusPage::edited);
    connect(m_txtProductID, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(m_chkUseMyOwnBonus, &QCheckBox::toggled, this, &BonusPage::edited);
    connect(m_lblImage, &PathLabel::pathChanged, this, &BonusPage::edited);
    connect(m_txtAdTitle, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(m_txtCTAText, &QLineEdit::textChanged, this, &BonusPage::edited);
    connect(m_txtInstructions, &QPlainTextEdit::textChanged, this, &BonusPage::edited);
}

QWidgetList BonusPage::tabChain() const
{
    return {m_txtBonusHeadline,  m_lstProductItems,
            m_cmdProductPreview, m_lblCloudvsSelfHostedBonuses,
            m_chkUseMyOwnBonus,  m_cmdCoverSelect,
            m_txtAdTitle,        m_txtCTAText,
            m_txtInstructions,   m_cmdBuiltInBonusInstructions};
}

PathLabel* BonusPage::imageLabel() const
{
    return m_lblImage;
}

QPushButton* BonusPage::imageButton() const
{
    return m_cmdCoverSelect;
}

QPushButton* BonusPage::productPreviewButton() const
{
    return m_cmdProductPreview;
}

QFrame* BonusPage::buildBonusFrame()
{
    QFrame* frame = captionlessFrame(content(), QStringLiteral("Frame5"));
    QGridLayout* grid = frameGrid(frame);
    grid->addWidget(m_bonusIntro, 0, 0, 1, 3);
    grid->addWidget(m_headlineCaption, 1, 0);
    grid->addWidget(m_txtBonusHeadline, 1, 1, 1, 2);
    grid->addWidget(m_cloudBonusCaption, 2, 0, 1, 3);
    grid->addWidget(m_lstProductItems, 3, 0, 1, 2);
    grid->addWidget(m_cmdProductPreview, 3, 2, Qt::AlignTop);
    auto* ownBonusHeading = new QHBoxLayout;
    ownBonusHeading->setSpacing(12);
    ownBonusHeading->addWidget(m_ownBonusQuestion);
    ownBonusHeading->addWidget(m_lblCloudvsSelfHostedBonuses);
    ownBonusHeading->addStretch();
    grid->addLayout(ownBonusHeading, 4, 0, 1, 3);
    grid->addWidget(m_chkUseMyOwnBonus, 5, 0, 1, 3, Qt::AlignLeft);
    grid->addWidget(m_bonusImageCaption, 6, 0);
    grid->addWidget(m_lblImage, 6, 1);
    grid->addWidget(m_cmdCoverSelect, 6, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    return frame;
}

QFrame* BonusPage::buildCallToActionFrame()
{
    QFrame* frame = captionlessFrame(content(), QStringLiteral("Frame4"));
    QGridLayout* grid = frameGrid(frame);
    grid->addWidget(m_ctaAreaCaption, 0, 0, 1, 2);
    grid->addWidget(m_ctaTitleCaption, 1, 0);
    grid->addWidget(m_txtAdTitle, 1, 1);
    grid->addWidget(m_ctaTextCaption, 2, 0);
    grid->addWidget(m_txtCTAText, 2, 1);
    grid->addWidget(m_instructionsCaption, 3, 0, 1, 2);
    grid->addWidget(m_txtInstructions, 4, 0, 1, 2);
    grid->addWidget(m_cmdBuiltInBonusInstructions, 5, 0, 1, 2, Qt::AlignRight);
    grid->setRowStretch(grid->rowCount(), 1);
    return frame;
}

void BonusPage::styleControls()
{
    Controls::setTextColor(m_cloudBonusCaption, WindowColors::DarkBlue);
    Controls::setTextColor(m_ownBonusQuestion, WindowColors::DarkBlue);
    m_chkUseMyOwnBonus->setObjectName(QStringLiteral("chkUseMyOwnBonus"));
    m_lstProductItems->setObjectName(QStringLiteral("lstProductItems"));
    m_lstProductItems->setPalette([this] {
        QPalette palette = m_lstProductItems->palette();
        palette.setColor(QPalette::Base, WindowColors::Navy);
        palette.setColor(QPalette::Text, WindowColors::White);
        return palette;
    }());
    // Thousands of entries must not slow the start: every row has the same height.
    m_lstProductItems->setUniformItemSizes(true);
    m_lstProductItems->setFixedHeight(ListHeight);
    m_txtBonusHeadline->setFixedWidth(HeadlineWidth);
    m_txtAdTitle->setFixedWidth(CallToActionWidth);
    m_txtCTAText->setFixedWidth(CallToActionWidth);
    m_txtInstructions->setFixedHeight(InstructionsHeight);
}

void BonusPage::setUpKeyboardAccess()
{
    Controls::bindLabel(m_headlineCaption, m_txtBonusHeadline);
    Controls::bindLabel(m_cloudBonusCaption, m_lstProductItems);
    Controls::bindLabel(m_bonusImageCaption, m_cmdCoverSelect);
    Controls::bindLabel(m_ctaTitleCaption, m_txtAdTitle);
    Controls::bindLabel(m_ctaTextCaption, m_txtCTAText);
    Controls::bindLabel(m_instructionsCaption, m_txtInstructions);
    m_chkUseMyOwnBonus->setAccessibleName(Controls::spokenCaption(m_chkUseMyOwnBonus->text()));
    m_lblImage->setAccessibleName(tr("Own bonus image file"));
}

void BonusPage::connectControls()
{
    connect(m_lstProductItems, &QListWidget::itemSelectionChanged, this, &BonusPage::lstProductItems_Click);
    // Clicking the chosen entry again reloads it, like any other click on the list.
    connect(m_lstProductItems, &QListWidget::itemClicked, this, &BonusPage::lstProductItems_Click);
    connect(m_chkUseMyOwnBonus, &QCheckBox::toggled, this, &BonusPage::ownBonusChanged);
    connect(m_lblCloudvsSelfHostedBonuses, &LinkLabel::clicked, this, &BonusPage::lblCloudvsSelfHostedBonuses_Click);
    connect(m_cmdBuiltInBonusInstructions, &QPushButton::clicked, this, &BonusPage::loadBuiltInInstructions);
}

void BonusPage::lstProductItems_Click()
{
    const int row = selectedBonusIndex();
    if (row < 0) {
        // A choice can be replaced but not cleared: Ctrl+click must not unselect it.
        if (QListWidgetItem* current = m_lstProductItems->currentItem())
            current->setSelected(true);
        return;
    }
    const QString entry = m_lstProductItems->item(row)->text();
    m_txtProductID->setText(Catalogue::readProductId(m_appFolder, entry));
    Q_EMIT productSelected();
}

void BonusPage::lblCloudvsSelfHostedBonuses_Click()
{
    m_platform.showMessage(
        window(),
        tr("Using a 'Cloud Bonus' (one from the list), means that A) The sales page of the bonus is already prepared + "
           "B) The Bonus Delivery Page is already available online. After selecting a Cloud Based Bonus the software "
           "will take care of everything (you'll just get a bonus delivery url to add to your affiliate promo and "
           "that's all). If you want to use your custom bonus, you will need to take care of those things: You will "
           "have to provide a graphical sales page of the bonus + you will have to prepare and upload the bonus "
           "delivery page to your website."),
        tr("Info"), MessageIcon::Information);
}
