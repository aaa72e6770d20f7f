#include "ProductViewer.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "CreateChecks.h"
#include "HelperOps.h"
#include "Platform.h"
#include "SafeCopy.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

ProductViewer::ProductViewer(Platform& platform, const QString& appFolder, const QString& rawProductId, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_browser(new QTextBrowser(this))
    , m_closeButton(new QPushButton(tr("Close"), this))
{
    setObjectName(QStringLiteral("frmProductViewer"));
    setWindowTitle(tr("Product Viewer"));
    m_browser->setObjectName(QStringLiteral("vBrowser1"));
    m_closeButton->setObjectName(QStringLiteral("cmdClose"));
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addWidget(m_closeButton, 0, Qt::AlignHCenter);
    resize(700, 800);

    loadPreview(rawProductId);
}

// Each preview is a new window with a new document, so a replaced image is always read afresh.
void ProductViewer::loadPreview(const QString& rawProductId)
{
    const QString source = Catalogue::salesPagePath(m_appFolder, Catalogue::cleanProductId(rawProductId));
    if (!vTools::FileExists(source)) {
        showError(targetFileNotFound(source));
        return;
    }
    const Result<void> copied = safeCopy(source, AppFolder::previewImagePath(m_appFolder));
    if (!copied.ok()) {
        showError(copied.error());
        return;
    }
    const QString page = AppFolder::previewPagePath(m_appFolder);
    if (!vTools::FileExists(page)) {
        showError(tr("The preview page was not found: %1").arg(page));
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(page));
}

void ProductViewer::showError(const QString& text)
{
    m_platform.showMessage(parentWidget(), text, tr("Error"), MessageIcon::Exclamation);
}
