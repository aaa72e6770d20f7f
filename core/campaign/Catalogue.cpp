#include "Catalogue.h"

#include "AppFolder.h"
#include "CampaignTr.h"
#include "HelperOps.h"
#include "OrvantaConfig.h"

#include <QCoreApplication>

#include <utility>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace Catalogue {
QStringList entries(const QString& app)
{
    QStringList names = AppFolder::listFolder(AppFolder::productsFolder(app), QStringLiteral("*.txt"));
    for (QString& name : names)
        name = vParser::ReplaceText(name, QStringLiteral(".txt"), QString());
    return names;
}

QString productFilePath(const QString& app, const QString& entry)
{
    return AppFolder::path(app, QStringLiteral("products/") + entry + QStringLiteral(".txt"));
}

QString readProductId(const QString& app, const QString& entry)
{
    return vFile::LoadTextFile(productFilePath(app, entry));
}

QString cleanProductId(const QString& rawId)
{
    // A lone LF too: Linux editors and echo end a file with one, and it would name no folder.
    QString clean = vParser::ReplaceText(rawId, QStringLiteral("\r\n"), QString());
    clean = vParser::ReplaceText(std::move(clean), QStringLiteral("\r"), QString());
    return vParser::ReplaceText(std::move(clean), QStringLiteral("\n"), QString());
}

QString salesPagePath(const QString& app, const QString& cleanId)
{
    return AppFolder::path(app, QStringLiteral("products/") + cleanId + QStringLiteral("/salespage.gif"));
}
} // namespace Catalogue

namespace DeliveryUrl {
QString baseUrl()
{
    return QStringLiteral("https://") + QStringLiteral(ORVANTA_DELIVERY_HOST) + QStringLiteral("/dld/");
}

// Without the product file's line breaks: the URL is pasted into the affiliate platform and handed to buyers.
QString forProduct(const QString& rawId)
{
    const QString id = Catalogue::cleanProductId(rawId);
    if (id.isEmpty())
        return CampaignTr::tr("Not Available Yet");
    return baseUrl() + id + QStringLiteral(".html");
}
} // namespace DeliveryUrl
} // namespace orvanta::campaign
