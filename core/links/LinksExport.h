#pragma once

#include "Result.h"

#include <QString>

namespace orvanta::links {
/** The short links and their clicks as CSV, in the columns link managers import, to move them to one later. */
namespace LinksExport {
/** Where the clicks per day go beside @p file: its name with "-clicks.csv" for its suffix. */
QString clicksFileOf(const QString& file);
/**
 * Writes @p app's links to @p file (Long URL, Short code, Domain, Title, Tags) and their clicks per slug, channel
 * and day beside it; each written whole and renamed over what was there. A failure names the file.
 */
Result<void> write(const QString& app, const QString& file);
} // namespace LinksExport
} // namespace orvanta::links
