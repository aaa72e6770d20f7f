#include "CreatePage.h"

#include "Campaign.h"
#include "Controls.h"
#include "EngineNames.h"
#include "LinkLabel.h"
#include "PageBuilder.h"
#include "Platform.h"
#include "Sandbox.h"
#include "WindowColors.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta::campaign;
using namespace orvanta::engine;

// The page text is built in a string, so there is no hidden text buffer among these controls.

namespace {
constexpr int NameWidth = 360;
constexpr int UrlWidth = 520;
constexpr int CommandButtonHeight = 36;
} // namespace

// The boxes start with the campaign's defaults, which the page prints: they are data, in no catalogue.
CreatePage::CreatePage(Platform& platform, QWidget* parent)
    : WizardPage(2, tr("  Create   "), parent)
    , m_platform(platform)
    , m_pdfNameCaption(Controls::label(content(), QStringLiteral("Label2"), tr("PDF &Filename:")))
    , m_txtPDFFilename(Controls::lineEdit(content(), QStringLiteral("txtPDFFilename")))
    , m_pdfSuffix(Controls::label(content(), QStringLiteral("Label19"), tr(".pdf")))
    , m_deliveryUrlCaption(Controls::label(content(), QStringLiteral("Label25"), tr("Your Bonus &Delivery Url:")))
    , m_txtBonusDeliveryUrl(
          Controls::lineEdit(content(), QStringLiteral("txtBonusDeliveryUrl"), QStringLiteral("http://")))
    , m_cmdCopyUrlToClipboard(
          Controls::button(content(), QStringLiteral("cmdCopyUrlToClipboard"), tr("Copy Url to Clipboard")))
    , m_lblBonusDeliveryHelp(
          new LinkLabel(QStringLiteral("lblBonusDeliveryHelp"), tr("Help"), WindowColors::DarkBlue, false, content()))
    , m_lblOwnBonus(
          Controls::wrappedLabel(content(), QStringLiteral("lblOwnBonus"),
                                 tr("Important: You're Using a Custom Bonus. You Need to Use Your Own Delivery "
                                    "Url (not the previous url - which is for a Cloud Based Bonus)."),
                                 UrlWidth))
    , m_cmdCreate(Controls::button(content(), QStringLiteral("cmdCreate"), tr("Create")))
    , m_cmdOutput(Controls::button(content(), QStringLiteral("cmdOutput"), tr("Open Output Folder")))
    , m_txtLastPath(Controls::hiddenLineEdit(content(), QStringLiteral("txtLastPath")))
    , m_chkFitToContent(new QCheckBox(tr("Fi&t the PDF to its content"), content()))
    , m_chkSaveWebPage(new QCheckBox(tr("Also save the &web page"), content()))
    , m_chkOptimiseImages(new QCheckBox(tr("Ma&ke the PDF smaller"), content()))
    , m_chkQrCode(new QCheckBox(tr("Add a &QR code of the link"), content()))
    , m_engineCaption(Controls::label(content(), QStringLiteral("lblEngine"), tr("PDF &engine:")))
    , m_cboEngine(new QComboBox(content()))
    , m_chkRunWithoutSandbox(new QCheckBox(tr("Run the PDF engine without its sandbox"), content()))
{
    setUpOptions();
    setUpEngines();
    setUpSandboxChoice();
    Controls::setBackgroundColor(m_txtBonusDeliveryUrl, WindowColors::LightGrey);
    Controls::setTextColor(m_lblOwnBonus, WindowColors::DarkRed);
    buildLayout();
    setUpKeyboardAccess();
    connectEdits();
    connect(m_cmdCopyUrlToClipboard, &QPushButton::clicked, this, &CreatePage::cmdCopyUrlToClipboard_Click);
    connect(m_lblBonusDeliveryHelp, &LinkLabel::clicked, this, &CreatePage::lblBonusDeliveryHelp_Click);
}

void CreatePage::setDeliveryUrl(const QString& url)
{
    m_txtBonusDeliveryUrl->setText(url);
    m_txtBonusDeliveryUrl->setCursorPosition(0);
}

void CreatePage::setPdfFileName(const QString& name)
{
    m_txtPDFFilename->setText(name);
}

void CreatePage::showOwnBonusWarning(bool show)
{
    m_lblOwnBonus->setVisible(show);
}

void CreatePage::setCreateButtonsEnabled(bool enabled)
{
    m_cmdCreate->setEnabled(enabled);
    m_cmdOutput->setEnabled(enabled);
}

void CreatePage::readInto(Campaign& campaign) const
{
    campaign.pdfFileName = m_txtPDFFilename->text();
    campaign.deliveryUrl = m_txtBonusDeliveryUrl->text();
    campaign.fitToContent = m_chkFitToContent->isChecked();
    campaign.saveWebPage = m_chkSaveWebPage->isChecked();
    campaign.optimiseImages = m_chkOptimiseImages->isChecked();
    campaign.qrCode = m_chkQrCode->isChecked();
    campaign.engine = m_cboEngine->currentData().toString();
    campaign.design = m_design;
    campaign.brand = m_brand;
}

void CreatePage::writeFrom(const Campaign& campaign)
{
    Controls::setLine(m_txtPDFFilename, campaign.pdfFileName);
    setDeliveryUrl(campaign.deliveryUrl);
    setCreateOptions({campaign.fitToContent, campaign.saveWebPage, campaign.optimiseImages});
    m_chkQrCode->setChecked(campaign.qrCode);
    setEngine(campaign.engine);
    m_design = campaign.design;
    m_brand = campaign.brand;
    Q_EMIT lookLoaded();
}

void CreatePage::setUpEngines()
{
    m_cboEngine->setObjectName(QStringLiteral("cboEngine"));
    m_cboEngine->addItem(tr("Classic converter: fastest"), EngineNames::converter());
    m_cboEngine->addItem(tr("Chromium: accessible, tagged PDF"), EngineNames::chromium());
    Controls::bindLabel(m_engineCaption, m_cboEngine);
}

// Not a campaign's value: the setting is the user's, for every campaign, and no edit of this one.
void CreatePage::setUpSandboxChoice()
{
    m_chkRunWithoutSandbox->setObjectName(QStringLiteral("chkRunWithoutSandbox"));
    m_chkRunWithoutSandbox->setAccessibleName(Controls::spokenCaption(m_chkRunWithoutSandbox->text()));
    m_chkRunWithoutSandbox->setToolTip(
        tr("Only where bubblewrap is missing or cannot start: the engine then reads your files and the network "
           "while it makes the PDF."));
    m_chkRunWithoutSandbox->setChecked(Sandbox::bareAllowedSetting());
    connect(m_chkRunWithoutSandbox, &QCheckBox::toggled, this, &CreatePage::chkRunWithoutSandbox_Toggled);
}

void CreatePage::chkRunWithoutSandbox_Toggled(bool allowed)
{
    const Result<void> stored = Sandbox::setBareAllowedSetting(allowed);
    if (!stored)
        m_platform.showMessage(window(), stored.error(), tr("Error"), MessageIcon::Exclamation);
}

// A name the list lacks, from a file or a sheet, is kept as it is; Create says it is unknown.
void CreatePage::setEngine(const QString& engine)
{
    int index = m_cboEngine->findData(engine);
    if (index < 0) {
        m_cboEngine->addItem(engine, engine);
        index = m_cboEngine->count() - 1;
    }
    m_cboEngine->setCurrentIndex(index);
}

void CreatePage::setLook(const QString& design, const Brand& brand)
{
    if (design == m_design && brand == m_brand)
        return;
    m_design = design;
    m_brand = brand;
    Q_EMIT edited();
}

void CreatePage::connectEdits()
{
    connect(m_txtPDFFilename, &QLineEdit::textChanged, this, &CreatePage::edited);
    connect(m_txtBonusDeliveryUrl, &QLineEdit::textChanged, this, &CreatePage::edited);
    for (QCheckBox* option : {m_chkFitToContent, m_chkSaveWebPage, m_chkOptimiseImages, m_chkQrCode})
        connect(option, &QCheckBox::toggled, this, &CreatePage::edited);
    connect(m_cboEngine, &QComboBox::currentIndexChanged, this, &CreatePage::edited);
}

CreateOptions CreatePage::createOptions() const
{
    return {m_chkFitToContent->isChecked(), m_chkSaveWebPage->isChecked(), m_chkOptimiseImages->isChecked()};
}

void CreatePage::setCreateOptions(const CreateOptions& options)
{
    m_chkFitToContent->setChecked(options.fitToContent);
    m_chkSaveWebPage->setChecked(options.saveWebPage);
    m_chkOptimiseImages->setChecked(options.optimiseImages);
}

QWidgetList CreatePage::tabChain() const
{
    return {m_txtPDFFilename, m_txtBonusDeliveryUrl, m_cmdCopyUrlToClipboard, m_lblBonusDeliveryHelp, m_cmdCreate,
            m_cmdOutput,      m_chkFitToContent,     m_chkSaveWebPage,        m_chkOptimiseImages,    m_chkQrCode,
            m_cboEngine,      m_chkRunWithoutSandbox};
}

QLineEdit* CreatePage::lastPathBox() const
{
    return m_txtLastPath;
}

QPushButton* CreatePage::createButton() const
{
    return m_cmdCreate;
}

QPushButton* CreatePage::outputButton() const
{
    return m_cmdOutput;
}

void CreatePage::buildLayout()
{
    m_txtPDFFilename->setFixedWidth(NameWidth);
    m_txtBonusDeliveryUrl->setFixedWidth(UrlWidth);
    // The warning comes and goes with the own-bonus option; the buttons below it stay put.
    QSizePolicy keepSpace = m_lblOwnBonus->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    m_lblOwnBonus->setSizePolicy(keepSpace);
    m_lblOwnBonus->hide();
    // "Create" is the page's main command: bold, in the accent colour of the current step.
    QFont bold = m_cmdCreate->font();
    bold.setBold(true);
    m_cmdCreate->setFont(bold);
    QPalette primary = m_cmdCreate->palette();
    primary.setColor(QPalette::Button, WindowColors::PrimaryButton);
    primary.setColor(QPalette::ButtonText, WindowColors::White);
    // The colours above cover every state; while a PDF is made the button must look as disabled as its neighbour.
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::ButtonText})
        primary.setColor(QPalette::Disabled, role, QApplication::palette().color(QPalette::Disabled, role));
    m_cmdCreate->setPalette(primary);
    m_cmdCreate->setMinimumSize(140, CommandButtonHeight);
    m_cmdOutput->setMinimumHeight(CommandButtonHeight);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(10);
    commands->addWidget(m_cmdCreate);
    commands->addWidget(m_cmdOutput);
    commands->addStretch();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    grid->addWidget(m_pdfNameCaption, 0, 0);
    auto* fileName = new QHBoxLayout;
    fileName->setSpacing(4);
    fileName->addWidget(m_txtPDFFilename);
    fileName->addWidget(m_pdfSuffix);
    fileName->addStretch();
    grid->addLayout(fileName, 0, 1);
    grid->addWidget(m_deliveryUrlCaption, 1, 0);
    grid->addWidget(m_txtBonusDeliveryUrl, 1, 1);
    grid->addWidget(m_cmdCopyUrlToClipboard, 1, 2);
    grid->addWidget(m_lblBonusDeliveryHelp, 1, 3);
    grid->addWidget(m_lblOwnBonus, 2, 1, 1, 3);
    grid->addLayout(commands, 3, 1, 1, 3);
    // Below everything else, so the designed controls keep their places.
    auto* options = new QHBoxLayout;
    options->setSpacing(20);
    options->addWidget(m_chkFitToContent);
    options->addWidget(m_chkSaveWebPage);
    options->addWidget(m_chkOptimiseImages);
    options->addWidget(m_chkQrCode);
    options->addStretch();
    grid->addLayout(options, 4, 1, 1, 3);
    grid->addWidget(m_engineCaption, 5, 0);
    auto* engine = new QHBoxLayout;
    engine->addWidget(m_cboEngine);
    // Beside the engine, in the row it already takes: nothing above or below it moves.
    engine->addSpacing(20);
    engine->addWidget(m_chkRunWithoutSandbox);
    engine->addStretch();
    grid->addLayout(engine, 5, 1, 1, 3);
    setContentLayout(grid);
}

void CreatePage::setUpOptions()
{
    m_chkFitToContent->setObjectName(QStringLiteral("chkFitToContent"));
    m_chkSaveWebPage->setObjectName(QStringLiteral("chkSaveWebPage"));
    m_chkOptimiseImages->setObjectName(QStringLiteral("chkOptimiseImages"));
    m_chkQrCode->setObjectName(QStringLiteral("chkQrCode"));
    setCreateOptions(CreateOptions{});
    for (QCheckBox* box : {m_chkFitToContent, m_chkSaveWebPage, m_chkOptimiseImages, m_chkQrCode})
        box->setAccessibleName(Controls::spokenCaption(box->text()));
}

void CreatePage::setUpKeyboardAccess()
{
    Controls::bindLabel(m_pdfNameCaption, m_txtPDFFilename);
    Controls::bindLabel(m_deliveryUrlCaption, m_txtBonusDeliveryUrl);
}

void CreatePage::cmdCopyUrlToClipboard_Click()
{
    m_platform.copyToClipboard(m_txtBonusDeliveryUrl->text());
    m_platform.showMessage(window(), tr("Done! Url copied to clipboard."), tr("Done"), MessageIcon::Information);
}

void CreatePage::lblBonusDeliveryHelp_Click()
{
    m_platform.showMessage(
        window(),
        tr("Most affiliate platforms (JVZoo, WarriorPlus etc) will allow you to add your bonus url to your affiliate "
           "campaign (this url will be automatically delivered to those who buy the product through your affiliate "
           "link). If your affiliate network does not include this feature, you will have to manually deliver this "
           "url to those who buy through your link."),
        tr("Info"), MessageIcon::Information);
}
