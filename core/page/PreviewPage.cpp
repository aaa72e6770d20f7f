#include "PreviewPage.h"

#include "Catalogue.h"
#include "FileToolkit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
// Beside the page, in a folder of its own, so the stand-in never meets the page's own copies.
QString standIn(const QString& folder, const QString& imagePath, const QString& fallbackName)
{
    const QString name = QFileInfo(imagePath).fileName();
    const QString dir = inFolder(folder, QStringLiteral(".missing"));
    QDir().mkpath(dir);
    const QString path = inFolder(dir, name.isEmpty() ? fallbackName : name);
    QFile(path).open(QIODevice::WriteOnly);
    return path;
}

bool isThere(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}
} // namespace

Result<BuiltPage> buildPreviewPage(const QString& app, const PageFields& fields, const PageTarget& target)
{
    PageFields shown = fields;
    shown.pdfFileName = QStringLiteral("preview");
    if (!isThere(shown.affiliateImagePath))
        shown.affiliateImagePath = standIn(target.pageFolder, shown.affiliateImagePath, QStringLiteral("product.png"));
    if (shown.ownBonus && !isThere(shown.ownBonusImagePath))
        shown.ownBonusImagePath = standIn(target.pageFolder, shown.ownBonusImagePath, QStringLiteral("bonus.png"));
    const QString salesPage = Catalogue::salesPagePath(app, Catalogue::cleanProductId(shown.rawProductId));
    if (!shown.ownBonus && (shown.rawProductId.isEmpty() || !isThere(salesPage))) {
        shown.ownBonus = true;
        shown.ownBonusImagePath = standIn(target.pageFolder, salesPage, QStringLiteral("salespage.gif"));
    }
    // A logo not chosen yet, or gone, leaves the page without one rather than without a preview.
    if (!shown.brand.logoPath.isEmpty() && !isThere(shown.brand.logoPath))
        shown.brand.logoPath.clear();
    return BuildPage(app, shown, target);
}
} // namespace orvanta::page
