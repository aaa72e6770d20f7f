#pragma once

#include "Result.h"
#include "SheetReader.h"

#include <QString>
#include <QStringList>

#include <vector>

/** One row of a sheet saved as a campaign file: its file, and whether it was written or why not. */
struct SavedRow {
    /** As the sheet numbers it. */
    int number = 0;
    QString path;
    Result<void> written;
};

namespace orvanta::campaign {
/** A sheet's rows saved as campaign files side by side, so each can be opened and changed on its own. */
namespace SheetRowFiles {
/**
 * "offers row 4.orvanta" for row 4 of offers.csv. A file's name, not a text: the same whatever the window's
 * language, so a sheet saved again replaces its files.
 */
QString fileName(const QString& sheetPath, int rowNumber);
/** The names of the files in @p folder that saving @p sheet would replace; a row that is not saved replaces none. */
QStringList replaced(const Sheet& sheet, const QString& sheetPath, const QString& folder);
/**
 * Writes each row of @p sheet into @p folder, one entry per row in the sheet's order. A row that was not read whole
 * is not written: it would be saved as something the sheet never said.
 */
std::vector<SavedRow> save(const Sheet& sheet, const QString& sheetPath, const QString& folder);
} // namespace SheetRowFiles
} // namespace orvanta::campaign
