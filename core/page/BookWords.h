#pragma once

#include <QString>

/** The words Orvanta itself puts in a book, in the book's language; the user's own are never translated. */
struct BookWords {
    QString contents;
    QString introduction;
    QString pageOf; ///< a page's footer: "%1" is its number, "%2" the count

    /** The footer as a CSS content value: the words quoted around the page counters. */
    QString footerContent() const;
};

namespace orvanta::page {
namespace BookWordTables {
/** The book's words for the page words' table @p tag ("en", "de", "pt-BR" …); English for any other. */
BookWords of(const QString& tag);
} // namespace BookWordTables

/** @p text as a quoted CSS string that no character of it can end or leave, inside a style element too. */
QString cssString(const QString& text);
} // namespace orvanta::page
