#pragma once

#include <QByteArray>
#include <QStringList>

namespace orvanta::campaign {
/** Records of a CSV file others import, quoted by libcsv as sheets are read with it. */
namespace CsvText {
/**
 * One record of @p fields in UTF-8, each quoted, ended by CRLF. A field a spreadsheet would run as a formula
 * (starting with =, +, -, @, a tab or a carriage return) is kept as text by a leading apostrophe.
 */
QByteArray record(const QStringList& fields);
} // namespace CsvText
} // namespace orvanta::campaign
