#pragma once

#include <QString>
#include <QStringList>

namespace orvanta::files {
/**
 * Private files and folders of runs: each name holds its owner's process id, so a later start can tell what a
 * dead run left from what a living window or job still uses.
 */
namespace Leftovers {
/**
 * A QTemporaryFile/QTemporaryDir template in @p folder: "." + @p purpose + " PID XXXXXX" + @p suffix. The blanks
 * keep it apart from every name made from a PDF name.
 */
QString privateTemplate(const QString& folder, const QString& purpose, const QString& suffix = QString());

/**
 * Removes what dead runs left in @p app: private PDFs beside the output, private folders below temp, the
 * converter's private copies of the page in bin. An earlier
 * PDF an older version set aside is put back where its PDF is missing. Returns what was removed or put back.
 */
QStringList sweep(const QString& app);
} // namespace Leftovers
} // namespace orvanta::files
