#pragma once

#include "Campaign.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/** One row of a sheet of offers, as a campaign: the base campaign with the row's cells over it. */
struct SheetRow {
    /** As the spreadsheet numbers it: the header is row 1. */
    int number = 0;
    Campaign campaign;
    /** Why the row cannot be made as it stands (a ragged row, an unreadable cell); empty when it can. */
    QString problem;
    /** The list file the row is a product of (absolute), its place there (0 for after the ranked ones), its badge. */
    QString list;
    int rank = 0;
    QString badge;
};

struct Sheet {
    /** Why the whole file was refused, naming it; the rows are empty then. */
    QString error;
    /** Header names that are no campaign field; their cells are left out. */
    QStringList unknownColumns;
    QList<SheetRow> rows;
};

namespace orvanta::campaign {
/**
 * Spreadsheets of offers: CSV as spreadsheets write it (quoted cells, line breaks inside them, CRLF or LF,
 * UTF-8 with or without a byte order mark or else Windows-1252, comma or semicolon), whose header names campaign
 * fields. An empty cell or a column the sheet lacks keeps the base campaign's value.
 */
namespace SheetReader {
/** Far above any real sheet; a bigger file is refused before it is read. */
constexpr qint64 maxFileSize = 8 * 1024 * 1024;
constexpr int maxRows = 20000;

/** The column names a sheet may use, in the order a template sheet lists them. */
QStringList columnNames();
/** The columns that place a row in a list: "list", "rank", "badge". */
QStringList listColumnNames();

Sheet read(const QString& path, const Campaign& base);
/** Parses @p bytes of the sheet @p fileName (named in messages); image paths are relative to @p folder. */
Sheet fromBytes(const QByteArray& bytes, const Campaign& base, const QString& folder, const QString& fileName);
/** How the command line and the window name a row: "offers.csv row 4". */
QString rowName(const QString& fileName, int number);
/** How they name a list the sheet fills: "offers.csv list best-keto.orvantalist". */
QString listName(const QString& fileName, const QString& listPath);
} // namespace SheetReader
} // namespace orvanta::campaign
