#include "EngineNames.h"

#include "CampaignTr.h"

#include <QCoreApplication>

using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace EngineNames {
QString converter()
{
    return QStringLiteral("wkhtmltopdf");
}

QString chromium()
{
    return QStringLiteral("chromium");
}

QStringList names()
{
    return {converter(), chromium()};
}

QString problem(const QString& engine)
{
    if (engine.isEmpty() || names().contains(engine))
        return {};
    return CampaignTr::tr("The engine \"%1\" is unknown: a campaign is made with %2.")
        .arg(engine, names().join(QStringLiteral(" or ")));
}
} // namespace EngineNames
} // namespace orvanta::campaign
