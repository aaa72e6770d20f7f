// Holds the sheet reader against its promises on any bytes: a refusal naming the file, or rows numbered as the
// spreadsheet shows them; never a crash or a hang, and the same answer every time.
#include "FuzzInput.h"
#include "SheetReader.h"

using namespace orvanta::campaign;

using FuzzInput::require;

namespace {
QString summaryOf(const Sheet& sheet)
{
    QString summary = sheet.error + QLatin1Char('|') + sheet.unknownColumns.join(QLatin1Char(','));
    for (const SheetRow& row : sheet.rows)
        summary += QStringLiteral("|%1:%2:%3").arg(row.number).arg(row.campaign.mainTitle, row.problem);
    return summary;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzInput::silenceQtWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = QStringLiteral("fuzz.csv");
    const Sheet sheet = SheetReader::fromBytes(bytes, Campaign(), QStringLiteral("/nonexistent"), name);
    const QString detail = QString::fromLatin1(bytes.toBase64());
    if (!sheet.error.isEmpty()) {
        require(sheet.rows.isEmpty() && sheet.unknownColumns.isEmpty(), "a refused sheet has no rows", detail);
        require(sheet.error.contains(name), "a refusal names the sheet", detail);
    }
    int previous = 1;
    for (const SheetRow& row : sheet.rows) {
        require(row.number > previous, "rows numbered upwards from 2, the header being row 1", detail);
        previous = row.number;
    }
    require(sheet.rows.size() <= SheetReader::maxRows + 1, "at most the row limit", detail);
    const Sheet again = SheetReader::fromBytes(bytes, Campaign(), QStringLiteral("/nonexistent"), name);
    require(summaryOf(again) == summaryOf(sheet), "the same bytes read the same", detail);
    return 0;
}
