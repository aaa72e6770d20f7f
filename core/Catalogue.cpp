#include "Catalogue.h"

#include "AppFolder.h"
#include "HelperOps.h"
#include "OrvantaConfig.h"

#include <QCoreApplication>

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

QString cleanProductId(const QString& rawId)
{
    const QString withoutPairs = vParser::ReplaceText(rawId, QStringLiteral("\r\n"), QString());
    return vParser::ReplaceText(withoutPairs, QStringLiteral("\r"), QString());
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

QString forProduct(const QString& rawId)
{
    if (rawId.isEmpty())
        return QCoreApplication::translate("DeliveryUrl", "Not Available Yet");
    return baseUrl() + rawId + QStringLiteral(".html");
}
} // namespace DeliveryUrl
