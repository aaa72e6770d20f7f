#include "CsvText.h"

#include <csv.h>

namespace {
bool isFormula(const QString& field)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !field.isEmpty() && starts.contains(field.front());
}

QByteArray quoted(const QString& field)
{
    const QByteArray bytes = (isFormula(field) ? QLatin1Char('\'') + field : field).toUtf8();
    // Every byte may be a doubled quote, and the field gains its two quotes.
    QByteArray out(bytes.size() * 2 + 2, Qt::Uninitialized);
    out.resize(qsizetype(csv_write(out.data(), size_t(out.size()), bytes.constData(), size_t(bytes.size()))));
    return out;
}
} // namespace

namespace orvanta::campaign {
namespace CsvText {
QByteArray record(const QStringList& fields)
{
    QByteArray line;
    for (const QString& field : fields)
        line += (line.isEmpty() ? QByteArray() : QByteArrayLiteral(",")) + quoted(field);
    return line + "\r\n";
}
} // namespace CsvText
} // namespace orvanta::campaign
