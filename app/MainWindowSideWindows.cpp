// The windows the main window opens beside itself: the page preview, the design gallery and the product viewer.
#include "MainWindow.h"

#include "BonusPage.h"
#include "CreatePage.h"
#include "DesignGallery.h"
#include "PagePreview.h"
#include "Platform.h"
#include "ProductViewer.h"

void MainWindow::cmdPagePreview_Click()
{
    if (!m_pagePreview) {
        m_pagePreview = new PagePreview(
            m_platform, m_appFolder, [this] { return pageFields(); }, [this] { return createOptions(); }, this);
        connect(this, &MainWindow::fieldsChanged, m_pagePreview, &PagePreview::scheduleRender);
    }
    m_pagePreview->show();
    m_pagePreview->raise();
    m_pagePreview->activateWindow();
}

void MainWindow::cmdDesign_Click()
{
    if (!m_designGallery) {
        m_designGallery = new DesignGallery(m_platform, m_appFolder, this);
        connect(m_designGallery, &DesignGallery::lookChosen, m_createPage, &CreatePage::setLook);
        // An open gallery left on the last campaign's look would give it to the next at the first change.
        connect(m_createPage, &CreatePage::lookLoaded, m_designGallery, [this] {
            if (m_designGallery->isVisible())
                m_designGallery->follow(m_createPage->design(), m_createPage->brand(), pageFields());
        });
    }
    m_designGallery->showFor(m_createPage->design(), m_createPage->brand(), pageFields());
}

void MainWindow::cmdProductPreview_Click()
{
    const QString productId = m_bonusPage->productId();
    if (productId.isEmpty()) {
        m_platform.showMessage(this, tr("Please select a product first."), tr("Info"), MessageIcon::Information);
        return;
    }
    auto* viewer = new ProductViewer(m_platform, m_appFolder, productId, this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowModality(Qt::ApplicationModal);
    viewer->show();
}
