#pragma once

#include <QString>
#include <QStringList>

/** The converters a campaign may name to make its PDF; the classic one unless it names another. */
namespace EngineNames {
QString classic();
QString chromium();
/** Every name a campaign may hold, the classic one first. */
QStringList names();
/** Why @p engine names no converter, as Create tells it; empty when it names one or is empty, the classic one. */
QString problem(const QString& engine);
} // namespace EngineNames
