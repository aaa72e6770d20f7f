#pragma once

#include <QDate>
#include <QString>

/** The words Orvanta itself puts on a list of products, in the list's language; the user's own are never translated. */
struct ListWords {
    QString product; ///< the table's corner: the heading of the column of row names
    QString rating;
    QString price;
    QString bestFor;
    QString buy; ///< "%1" is the product's name
    QString howWeRanked;
    QString checkedOn; ///< "%1" is the date
    QString noValue;   ///< a product that has nothing for a row
    /** The language's tag, for its way of writing a date. */
    QString tag;

    /** "Checked on" @p date, written as the language writes a date. */
    QString checkedOnText(const QDate& date) const;
};

namespace orvanta::page {
namespace ListWordTables {
/** The list's words for the page words' table @p tag ("en", "de", "pt-BR" …); English for any other. */
ListWords of(const QString& tag);
} // namespace ListWordTables
} // namespace orvanta::page
