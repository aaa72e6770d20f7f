#include "SideWindows.h"

#include "BonusPage.h"
#include "CreatePage.h"
#include "DesignGallery.h"
#include "MainWindow.h"
#include "PagePreview.h"
#include "Platform.h"
#include "ProductViewer.h"

// The windows are the main window's children, and its texts stay in its translation context.

SideWindows::SideWindows(MainWindow& window, Platform& platform, const QString& appFolder, BonusPage& bonusPage,
                         CreatePage& createPage)
    : QObject(&window)
    , m_window(window)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_bonusPage(bonusPage)
    , m_createPage(createPage)
{
}

ReusablePdf SideWindows::reusablePdf() const
{
    return m_pagePreview ? m_pagePreview->reusablePdf() : ReusablePdf();
}

void SideWindows::closePagePreview()
{
    delete m_pagePreview;
    m_pagePreview = nullptr;
}

void SideWindows::cmdPagePreview_Click()
{
    if (!m_pagePreview) {
        m_pagePreview = new PagePreview(
            m_platform, m_appFolder, [this] { return m_window.pageFields(); },
            [this] { return m_window.createOptions(); }, &m_window);
        connect(&m_window, &MainWindow::fieldsChanged, m_pagePreview, &PagePreview::scheduleRender);
    }
    m_pagePreview->show();
    m_pagePreview->raise();
    m_pagePreview->activateWindow();
}

void SideWindows::cmdDesign_Click()
{
    if (!m_designGallery) {
        m_designGallery = new DesignGallery(m_platform, m_appFolder, &m_window);
        connect(m_designGallery, &DesignGallery::lookChosen, &m_createPage, &CreatePage::setLook);
        // An open gallery left on the last campaign's look would give it to the next at the first change.
        connect(&m_createPage, &CreatePage::lookLoaded, m_designGallery, [this] {
            if (m_designGallery->isVisible())
                m_designGallery->follow(m_createPage.design(), m_createPage.brand(), m_window.pageFields());
        });
    }
    m_designGallery->showFor(m_createPage.design(), m_createPage.brand(), m_window.pageFields());
}

void SideWindows::cmdProductPreview_Click()
{
    const QString productId = m_bonusPage.productId();
    if (productId.isEmpty()) {
        m_platform.showMessage(&m_window, MainWindow::tr("Please select a product first."), MainWindow::tr("Info"),
                               MessageIcon::Information);
        return;
    }
    auto* viewer = new ProductViewer(m_platform, m_appFolder, productId, &m_window);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowModality(Qt::ApplicationModal);
    viewer->show();
}
