#include "SheetRowFiles.h"

#include "Campaign.h"
#include "FileToolkit.h"

#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign::SheetRowFiles {
QString fileName(const QString& sheetPath, int rowNumber)
{
    return QStringLiteral("%1 row %2.%3")
        .arg(QFileInfo(sheetPath).completeBaseName())
        .arg(rowNumber)
        .arg(CampaignFile::extension());
}

QStringList replaced(const Sheet& sheet, const QString& sheetPath, const QString& folder)
{
    QStringList names;
    for (const SheetRow& row : sheet.rows) {
        const QString name = fileName(sheetPath, row.number);
        if (row.problem.isEmpty() && QFileInfo::exists(inFolder(folder, name)))
            names << name;
    }
    return names;
}

std::vector<SavedRow> save(const Sheet& sheet, const QString& sheetPath, const QString& folder)
{
    std::vector<SavedRow> saved;
    for (const SheetRow& row : sheet.rows) {
        const QString path = inFolder(folder, fileName(sheetPath, row.number));
        saved.push_back(
            {row.number, path, row.problem.isEmpty() ? CampaignFile::write(path, row.campaign) : fail(row.problem)});
    }
    return saved;
}
} // namespace orvanta::campaign::SheetRowFiles
