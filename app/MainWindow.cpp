#include "MainWindow.h"

#include "AppFolder.h"
#include "BonusPage.h"
#include "Branding.h"
#include "CampaignController.h"
#include "Catalogue.h"
#include "CreateCommand.h"
#include "CreatePage.h"
#include "HeaderBand.h"
#include "ImagePicker.h"
#include "Leftovers.h"
#include "PathLabel.h"
#include "Platform.h"
#include "ReviewPage.h"
#include "SideWindows.h"
#include "StepButton.h"
#include "StopSignals.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

using namespace orvanta::files;
using namespace orvanta::campaign;

// Resources of a static library must be registered by name, outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(appui);
}

namespace {
constexpr int PleaseWaitIntervalMs = 300;
} // namespace

MainWindow::MainWindow(Platform& platform, const QString& appFolder, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_header(new HeaderBand(platform, this))
    , m_reviewPage(new ReviewPage(this))
    , m_bonusPage(new BonusPage(platform, appFolder, this))
    , m_createPage(new CreatePage(platform, this))
    , m_pages{m_reviewPage, m_bonusPage, m_createPage}
    , m_tmrPleaseWait(new QTimer(this))
    , m_imagePicker(std::make_unique<ImagePicker>(platform, *this, *m_createPage->lastPathBox()))
    , m_createCommand(new CreateCommand(*this, platform, appFolder, this))
    , m_sideWindows(new SideWindows(*this, platform, appFolder, *m_bonusPage, *m_createPage))
{
    initResources();
    setObjectName(QStringLiteral("frmMass"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvanta.svg")));
    m_tmrPleaseWait->setObjectName(QStringLiteral("tmrPleaseWait"));
    m_tmrPleaseWait->setInterval(PleaseWaitIntervalMs);
    buildStepBar();
    connectControls();
    setTabOrder();
    const WindowLayout::Size client = WindowLayout::clientPixels(dotsPerInch());
    resize(client.width, client.height);
    Form_Load();
    // Last, so its handlers run after the window's own and its controls end the tab chain.
    m_campaigns =
        new CampaignController(*this, platform, appFolder, {m_reviewPage, m_bonusPage, m_createPage}, *m_header);
    connect(this, &MainWindow::fieldsChanged, m_campaigns, &CampaignController::noteChange);
}

// The first paint shows the window; what can wait, waits until then.
bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &MainWindow::afterFirstPaint);
    }
    return QWidget::event(event);
}

void MainWindow::afterFirstPaint()
{
    warnIfFolderUnwritable();
    // What a killed window or job left goes; a living one's files stay.
    Leftovers::sweep(m_appFolder);
    m_campaigns->windowShown();
    Q_EMIT started();
}

int MainWindow::runEventLoop()
{
    StopSignals stops;
    connect(&stops, &StopSignals::stopRequested, this, &MainWindow::stopForSignal);
    const int status = QApplication::exec();
    return stops.received() != 0 ? StopSignals::endAsStopped(stops.received()) : status;
}

void MainWindow::stopForSignal()
{
    m_createCommand->cancel();
    m_sideWindows->closePagePreview();
    m_campaigns->keepForRecovery();
    QCoreApplication::quit();
}

MainWindow::~MainWindow() = default;

CampaignController& MainWindow::campaigns()
{
    return *m_campaigns;
}

QString MainWindow::appFolder() const
{
    return m_appFolder;
}

PageFields MainWindow::pageFields() const
{
    return pageFieldsOf(m_campaigns->campaign());
}

int MainWindow::selectedBonusIndex() const
{
    return m_bonusPage->selectedBonusIndex();
}

bool MainWindow::isCatalogueEntryChosen() const
{
    return selectedBonusIndex() != -1;
}

CreateOptions MainWindow::createOptions() const
{
    return m_createPage->createOptions();
}

ReusablePdf MainWindow::reusablePdf() const
{
    return m_sideWindows->reusablePdf();
}

void MainWindow::addBuiltInInstructions()
{
    m_bonusPage->loadBuiltInInstructions();
}

void MainWindow::warnIfFolderUnwritable()
{
    const QStringList refused = AppFolder::unwritableFolders(m_appFolder);
    if (refused.isEmpty())
        return;
    // The launcher's advice helps only where the launcher is what normally starts this folder.
    const QString advice =
        AppFolder::isPackagedInstall(m_appFolder)
            ? tr("Start Orvanta with the \"orvanta\" command or from the applications menu, which runs a copy in "
                 "your home folder, or copy the folder %1 to a place where you may write and start it there.")
            : tr("Copy the folder %1 to a place where you may write and start Orvanta there.");
    m_platform.showMessage(this,
                           tr("Orvanta cannot save files in its folder:\n%1\n\nPages and PDFs are written there, so "
                              "\"Create\" would fail. ")
                                   .arg(refused.join(QLatin1Char('\n'))) +
                               advice.arg(m_appFolder),
                           tr("Error"), MessageIcon::Exclamation);
}

void MainWindow::showPageName(const QString& pageName)
{
    m_createPage->setPdfFileName(pageName);
}

void MainWindow::switchPleaseWaitOn()
{
    m_tmrPleaseWait->start();
}

void MainWindow::switchPleaseWaitOff()
{
    m_tmrPleaseWait->stop();
    m_header->pleaseWaitLabel()->hide();
}

CreateCommand& MainWindow::createCommand()
{
    return *m_createCommand;
}

void MainWindow::ShowStep(int index)
{
    if (index < 0 || index >= int(m_pages.size()))
        return;
    for (int i = 0; i < int(m_stepButtons.size()); ++i)
        m_stepButtons[i]->setNotCurrent(i != index);
    for (int i = 0; i < int(m_pages.size()); ++i)
        m_pages[i]->setVisible(i == index);
    if (index == 1)
        m_bonusPage->focusAdTitle();
}

// Closing ends the program, and with it the converter; the PDF being made would be lost without a word.
// The converter is stopped only once both questions let the window close: a Cancel on unsaved changes keeps the run.
void MainWindow::closeEvent(QCloseEvent* event)
{
    const bool busy = m_createCommand->isBusy();
    if (busy && !m_platform.askYesNo(this, tr("A PDF is being created. Do you want to stop it and close Orvanta?"),
                                     Branding::applicationName(), MessageIcon::Question)) {
        event->ignore();
        return;
    }
    if (!m_campaigns->closeRequested()) {
        event->ignore();
        return;
    }
    if (busy)
        m_createCommand->cancel();
    QWidget::closeEvent(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Resize();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void MainWindow::buildStepBar()
{
    const QString captions[] = {tr("Step 1: Make a Quick Affiliate Review"), tr("Step 2: Select A Bonus"),
                                tr("Step 3: Create Affiliate PDF")};
    const char* iconNames[] = {"Image2", "Image4", "Image6"};
    auto* stepBar = new StepBar(this);
    stepBar->setObjectName(QStringLiteral("stepBar"));
    auto* row = new QHBoxLayout(stepBar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->setSizeConstraint(QLayout::SetFixedSize);
    int widest = 0;
    for (int i = 0; i < int(m_stepButtons.size()); ++i) {
        const QString iconFile = QStringLiteral(":/icons/step%1.svg").arg(i + 1);
        m_stepButtons[i] = new StepButton(i, QLatin1String(iconNames[i]), iconFile, captions[i], stepBar);
        widest = qMax(widest, m_stepButtons[i]->sizeHint().width());
        row->addWidget(m_stepButtons[i]);
    }
    for (StepButton* button : m_stepButtons)
        button->setFixedWidth(widest);
    const qreal dpi = dotsPerInch();
    stepBar->move(WindowLayout::toPixels(WindowLayout::PageLeft, dpi),
                  WindowLayout::toPixels(WindowLayout::StepBarTop, dpi));
}

void MainWindow::connectControls()
{
    for (StepButton* button : m_stepButtons)
        connect(button, &StepButton::clicked, this, &MainWindow::ShowStep);
    connect(m_tmrPleaseWait, &QTimer::timeout, this, &MainWindow::tmrPleaseWait_Timer);
    connect(m_bonusPage, &BonusPage::productSelected, this, &MainWindow::rebuildDeliveryLink);
    connect(m_bonusPage, &BonusPage::ownBonusChanged, m_createPage, &CreatePage::showOwnBonusWarning);
    connect(m_bonusPage->productPreviewButton(), &QPushButton::clicked, m_sideWindows,
            &SideWindows::cmdProductPreview_Click);
    for (WizardPage* page : m_pages)
        connect(page, &WizardPage::edited, this, &MainWindow::fieldsChanged);
    connect(m_header->pagePreviewButton(), &QToolButton::clicked, m_sideWindows, &SideWindows::cmdPagePreview_Click);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this, m_sideWindows,
                  &SideWindows::cmdPagePreview_Click);
    connect(m_header->designButton(), &QToolButton::clicked, m_sideWindows, &SideWindows::cmdDesign_Click);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), this, m_sideWindows, &SideWindows::cmdDesign_Click);
    connect(m_reviewPage->imageButton(), &QPushButton::clicked, this, [this] { cmdCoverSelect_Click(0); });
    connect(m_bonusPage->imageButton(), &QPushButton::clicked, this, [this] { cmdCoverSelect_Click(1); });
    for (int index : {0, 1}) {
        // A dropped image is taken exactly as if the picker had returned it.
        connect(imageLabel(index), &PathLabel::imageDropped, this,
                [this, index](const QString& path) { m_imagePicker->useImage(*imageLabel(index), path); });
    }
    connect(m_createPage->createButton(), &QPushButton::clicked, m_createCommand, &CreateCommand::cmdCreate_Click);
    connect(m_createPage->outputButton(), &QPushButton::clicked, m_createCommand, &CreateCommand::OpenOutputFolder);
    connect(m_createCommand, &CreateCommand::busyChanged, this, &MainWindow::showBusy);
}

// The step bar first, then each page top to bottom; Tab skips the pages that are hidden.
void MainWindow::setTabOrder()
{
    QWidgetList chain(m_stepButtons.begin(), m_stepButtons.end());
    for (const WizardPage* page : m_pages)
        chain += page->tabChain();
    chain += m_header->pagePreviewButton();
    chain += m_header->designButton();
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::Form_Load()
{
    setWindowTitle(Branding::applicationName() + QLatin1Char(' ') + Branding::version() + QLatin1Char(' ') +
                   Branding::byLine());
    m_header->setCaptions(Branding::applicationName(), Branding::byLine());
    // Old pages are listed again by "Create" itself, when it removes them.
    ShowStep(0);
    m_bonusPage->fillCatalogue(Catalogue::entries(m_appFolder));
}

void MainWindow::Form_Resize()
{
    const qreal dpi = dotsPerInch();
    const QSize outer = frameGeometry().size();
    const WindowLayout::Arrangement arrangement = WindowLayout::arrange(
        {WindowLayout::toTwips(outer.width(), dpi), WindowLayout::toTwips(outer.height(), dpi)}, m_pageSize);
    m_pageSize = arrangement.page;

    const QRect pageRect(WindowLayout::toPixels(WindowLayout::PageLeft, dpi),
                         WindowLayout::toPixels(WindowLayout::PageTop, dpi),
                         WindowLayout::toPixels(m_pageSize.width, dpi), WindowLayout::toPixels(m_pageSize.height, dpi));
    for (WizardPage* page : m_pages)
        page->setGeometry(pageRect);
    m_header->setGeometry(0, 0, width(), WindowLayout::toPixels(WindowLayout::HeaderHeight, dpi));
    m_header->pleaseWaitLabel()->setGeometry(WindowLayout::toPixels(arrangement.pleaseWaitLeft, dpi),
                                             WindowLayout::toPixels(WindowLayout::PleaseWaitTop, dpi),
                                             WindowLayout::toPixels(WindowLayout::PleaseWaitWidth, dpi),
                                             WindowLayout::toPixels(WindowLayout::PleaseWaitHeight, dpi));
}

void MainWindow::showBusy(bool busy)
{
    if (busy)
        switchPleaseWaitOn();
    else
        switchPleaseWaitOff();
    m_createPage->setCreateButtonsEnabled(!busy);
}

void MainWindow::tmrPleaseWait_Timer()
{
    QLabel* notice = m_header->pleaseWaitLabel();
    notice->setVisible(notice->isHidden());
}

void MainWindow::rebuildDeliveryLink()
{
    m_createPage->setDeliveryUrl(DeliveryUrl::forProduct(m_bonusPage->productId()));
}

void MainWindow::cmdCoverSelect_Click(int index)
{
    m_imagePicker->chooseFor(*imageLabel(index));
}

PathLabel* MainWindow::imageLabel(int index) const
{
    return index == 0 ? m_reviewPage->imageLabel() : m_bonusPage->imageLabel();
}

qreal MainWindow::dotsPerInch() const
{
    return screen()->logicalDotsPerInch();
}
