#pragma once

#include <QString>
#include <QStringList>

namespace orvanta::campaign {
/** The engines a campaign may name to make its PDF; the converter unless it names another. */
namespace EngineNames {
QString converter();
QString chromium();
/** Every name a campaign may hold, the converter's first. */
QStringList names();
/** Why @p engine names no engine, as Create tells it; empty when it names one or is empty, the converter. */
QString problem(const QString& engine);
} // namespace EngineNames
} // namespace orvanta::campaign
