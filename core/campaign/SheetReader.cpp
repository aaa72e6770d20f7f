#include "SheetReader.h"

#include "CampaignFields.h"
#include "CampaignTr.h"
#include "FileToolkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <csv.h>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
using Column = CampaignField;

// The campaign's fields a sheet may set, named by their keys.
const QList<const Column*>& columns()
{
    static const QList<const Column*> sheetColumns = CampaignFields::in(SheetColumn);
    return sheetColumns;
}

const Column* columnNamed(const QString& name)
{
    for (const Column* column : columns())
        if (name == QLatin1String(column->key))
            return column;
    return nullptr;
}

// The bytes 0x80-0x9F of Windows-1252; the rest is Latin-1. Its five holes stay as the replacement character.
QString fromWindows1252(const QByteArray& bytes)
{
    static const char16_t high[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder(bytes);
    Q_UNUSED(decoded)
    return !decoder.hasError();
}

// The header decides: the separator it holds more of outside quotes. Spreadsheets set to a decimal comma write ';'.
char separatorOf(const QByteArray& bytes)
{
    int commas = 0;
    int semicolons = 0;
    bool inQuotes = false;
    for (const char c : bytes) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (c == '\n' || c == '\r'))
            break;
        else if (!inQuotes && c == ',')
            ++commas;
        else if (!inQuotes && c == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

/** The records of a CSV text as libcsv hands them over. */
struct Records {
    QList<QList<QByteArray>> records;
    QList<QByteArray> current;
    bool fieldSeen = false;
    bool lastWasCr = false;
    bool tooMany = false;
};

void onField(void* data, size_t size, void* context)
{
    auto* records = static_cast<Records*>(context);
    records->current.append(data ? QByteArray(static_cast<const char*>(data), qsizetype(size)) : QByteArray());
    records->fieldSeen = true;
    records->lastWasCr = false;
}

// Every unquoted line end is reported, so an empty line keeps its place in the numbering; the LF of a CR LF
// pair ends nothing.
void onRecordEnd(int terminator, void* context)
{
    auto* records = static_cast<Records*>(context);
    const bool pairedLf = terminator == '\n' && records->lastWasCr && !records->fieldSeen;
    records->lastWasCr = terminator == '\r';
    if (pairedLf)
        return;
    if (records->records.size() > SheetReader::maxRows) {
        records->tooMany = true;
        return;
    }
    records->records.append(records->current);
    records->current.clear();
    records->fieldSeen = false;
}

QString takeCell(const Column& column, const QString& cell, const QString& folder, Campaign& campaign)
{
    if (!column.flag) {
        *CampaignFields::textIn(campaign, column) =
            CampaignFields::isPicture(column) ? resolvedBelow(folder, cell) : cell;
        return {};
    }
    const QString answer = cell.trimmed().toLower();
    static const QStringList yes{QStringLiteral("true"), QStringLiteral("yes"), QStringLiteral("1")};
    static const QStringList no{QStringLiteral("false"), QStringLiteral("no"), QStringLiteral("0")};
    if (!yes.contains(answer) && !no.contains(answer))
        return CampaignTr::tr("the column %1 takes yes or no, not \"%2\"").arg(QLatin1String(column.key), cell);
    campaign.*column.flag = yes.contains(answer);
    return {};
}

bool allEmpty(const QList<QByteArray>& cells)
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const QByteArray& cell) { return cell.trimmed().isEmpty(); });
}

enum class Placing { None, List, Rank, Badge };

struct Header {
    QList<const Column*> columns; ///< nullptr for an unknown one
    QList<Placing> placings;      ///< per column: whether it places the row in a list
    QStringList unknown;
    QString error;
};

Placing placingNamed(const QString& name)
{
    const qsizetype index = SheetReader::listColumnNames().indexOf(name);
    return index < 0 ? Placing::None : Placing(index + 1);
}

// The cell of a column that places the row in a list; a rank is a place, so nothing but a whole number from 1.
QString takePlace(Placing placing, const QString& cell, const QString& folder, SheetRow& row)
{
    const QString value = cell.trimmed();
    if (value.isEmpty())
        return {};
    if (placing == Placing::List)
        row.list = resolvedBelow(folder, value);
    else if (placing == Placing::Badge)
        row.badge = value;
    else if (bool ok = false; (row.rank = value.toInt(&ok)) < 1 || !ok)
        return CampaignTr::tr("the column rank takes a whole number from 1, not \"%1\"").arg(cell);
    return {};
}

Header headerOf(const QList<QString>& names, const QString& name)
{
    Header header;
    QSet<QString> seen;
    for (const QString& raw : names) {
        const QString column = raw.trimmed();
        if (seen.contains(column) && !column.isEmpty()) {
            header.error =
                CampaignTr::tr("The sheet %1 names the column \"%2\" twice; please keep one.").arg(name, column);
            return header;
        }
        seen.insert(column);
        header.columns.append(columnNamed(column));
        header.placings.append(placingNamed(column));
        if (!header.columns.last() && header.placings.last() == Placing::None && !column.isEmpty())
            header.unknown.append(column);
    }
    if (std::all_of(header.columns.cbegin(), header.columns.cend(), [](const Column* c) { return !c; }))
        header.error =
            CampaignTr::tr("The sheet %1 has no column a campaign knows: its first row should name campaign fields "
                           "(%2 ...).")
                .arg(name, SheetReader::columnNames().mid(0, 4).join(QStringLiteral(", ")));
    return header;
}

SheetRow rowOf(const Header& header, const QList<QString>& cells, int number, char separator, const Campaign& base,
               const QString& folder)
{
    SheetRow row{number, base, {}, {}, 0, {}};
    const qsizetype width = header.columns.size();
    // An unquoted "4,5" splits into two cells and moves every later value one column on, even when the last one
    // it pushes out is empty; no cell of such a row is where the header says.
    if (cells.size() > width) {
        row.problem =
            CampaignTr::tr("The row has too many cells: %1 where the header names %2 columns; a value holding the "
                           "separator \"%3\" needs quotes around it.")
                .arg(cells.size())
                .arg(width)
                .arg(QLatin1Char(separator));
        return row;
    }
    if (cells.size() < width) {
        row.problem =
            CampaignTr::tr("The row has %1 cells where the header names %2 columns; please check its separators and "
                           "quotes.")
                .arg(cells.size())
                .arg(width);
        return row;
    }
    for (qsizetype i = 0; i < width; ++i) {
        const Column* column = header.columns.at(i);
        const Placing placing = header.placings.at(i);
        if ((!column && placing == Placing::None) || cells.at(i).isEmpty())
            continue;
        const QString problem = column ? takeCell(*column, cells.at(i), folder, row.campaign)
                                       : takePlace(placing, cells.at(i), folder, row);
        if (!problem.isEmpty()) {
            row.problem = CampaignTr::tr("In this row %1.").arg(problem);
            return row;
        }
    }
    return row;
}

QString readProblem(const Failure& file, const QString& path)
{
    const ReadTexts texts{
        CampaignTr::tr("%1 is a folder, not a sheet."),
        CampaignTr::tr("The sheet %1 does not exist."),
        CampaignTr::tr("%1 is not an ordinary file, so it cannot be a sheet."),
        CampaignTr::tr("The file %1 is too large for a sheet of offers (%2; a sheet holds at most %3)."),
        CampaignTr::tr("The file %1 is too large for a sheet of offers."),
        CampaignTr::tr("The sheet %1 cannot be read: %2."),
    };
    return orvanta::files::readProblem(file, path, SheetReader::maxFileSize, texts);
}

Sheet refused(const QString& error)
{
    Sheet sheet;
    sheet.error = error;
    return sheet;
}
} // namespace

namespace SheetReader {
QStringList columnNames()
{
    QStringList names;
    for (const Column* column : columns())
        names << QLatin1String(column->key);
    return names;
}

QStringList listColumnNames()
{
    return {QStringLiteral("list"), QStringLiteral("rank"), QStringLiteral("badge")};
}

QString rowName(const QString& fileName, int number)
{
    return CampaignTr::tr("%1 row %2").arg(fileName).arg(number);
}

QString listName(const QString& fileName, const QString& listPath)
{
    return CampaignTr::tr("%1 list %2").arg(fileName, QFileInfo(listPath).fileName());
}

Sheet fromBytes(const QByteArray& raw, const Campaign& base, const QString& folder, const QString& fileName)
{
    const QString name = quotedPath(fileName);
    QByteArray bytes = raw.startsWith("\xEF\xBB\xBF") ? raw.mid(3) : raw;
    if (bytes.trimmed().isEmpty())
        return refused(CampaignTr::tr("The sheet %1 is empty.").arg(name));
    if (bytes.contains('\0'))
        return refused(
            CampaignTr::tr("The file %1 is no spreadsheet in CSV form: it holds binary data. Please save the sheet "
                           "as CSV from your spreadsheet program.")
                .arg(name));
    const bool utf8 = isUtf8(bytes);
    const auto decode = [utf8](const QByteArray& cell) {
        return utf8 ? QString::fromUtf8(cell) : fromWindows1252(cell);
    };

    Records records;
    csv_parser parser{};
    if (csv_init(&parser, CSV_REPALL_NL | CSV_APPEND_NULL) != 0)
        return refused(CampaignTr::tr("The sheet %1 cannot be read: out of memory.").arg(name));
    const char separator = separatorOf(bytes);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    const size_t parsed = csv_parse(&parser, bytes.constData(), size_t(bytes.size()), onField, onRecordEnd, &records);
    const bool complete = parsed == size_t(bytes.size());
    // libcsv's state "inside a field" with the field begun by a quote: the closing quote never came. Its open cell
    // is not handed over, so the rest of the sheet is not taken for a value.
    constexpr int fieldBegun = 2;
    const bool closed = !(parser.pstate == fieldBegun && parser.quoted);
    if (closed)
        csv_fini(&parser, onField, onRecordEnd, &records);
    const QString parseError = QString::fromLatin1(csv_strerror(csv_error(&parser)));
    csv_free(&parser);
    if (!complete)
        return refused(CampaignTr::tr("The sheet %1 cannot be read: %2.").arg(name, parseError));
    if (records.tooMany)
        return refused(CampaignTr::tr("The sheet %1 has more than %2 rows; please split it.").arg(name).arg(maxRows));
    // The row whose quote never closed swallowed the rest; it is named, the rows before it stand.
    const int openRow = closed ? 0 : int(records.records.size() + 1);
    if (!closed && records.records.isEmpty())
        return refused(CampaignTr::tr("The header of the sheet %1 opens a quote (\") that never closes.").arg(name));

    QList<QString> names;
    for (const QByteArray& cell : records.records.value(0))
        names.append(decode(cell));
    const Header header = headerOf(names, name);
    if (!header.error.isEmpty())
        return refused(header.error);
    Sheet sheet;
    sheet.unknownColumns = header.unknown;
    for (qsizetype i = 1; i < records.records.size(); ++i) {
        if (allEmpty(records.records.at(i)))
            continue;
        QList<QString> cells;
        for (const QByteArray& cell : records.records.at(i))
            cells.append(decode(cell));
        sheet.rows.append(rowOf(header, cells, int(i + 1), separator, base, folder));
    }
    if (openRow > 0)
        sheet.rows.append(
            {openRow,
             base,
             CampaignTr::tr("A quoted cell in this row never ends: its closing quote (\") is missing, so the rest of "
                            "the sheet was read into it."),
             {},
             0,
             {}});
    return sheet;
}

Sheet read(const QString& path, const Campaign& base)
{
    const Result<QByteArray> file = readBounded(path, maxFileSize);
    if (!file)
        return refused(readProblem(file.failure(), path));
    return fromBytes(file.value(), base, QFileInfo(path).absolutePath(), path);
}
} // namespace SheetReader
} // namespace orvanta::campaign
