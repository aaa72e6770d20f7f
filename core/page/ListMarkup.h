#pragma once

#include "ListFile.h"
#include "ListWords.h"
#include "PageFields.h"
#include "PageWords.h"

#include <QList>
#include <QString>

/** One product as a list shows it: its campaign's page fields and the list's words for it. */
struct ListProduct {
    /** As its campaign gives them; ctaUrl is where its Buy button leads (its short link, or its tagged link). */
    PageFields fields;
    QString badge;
    QString bestFor;     ///< the list's words, else the campaign's
    QString pictureName; ///< its picture's copy beside the page
};

namespace orvanta::page {
/** The products of a list as markup: a comparison table of a few, or one block each of many, in rank order. */
namespace ListMarkup {
/** A comparison of this many products at most is a table; more are blocks. */
constexpr int mostInTable = 4;

/** Whether @p list of @p count products is shown as a table. */
bool isTable(const ProductList& list, qsizetype count);

/** The product's name, as plain text, that its main title names. */
QString productName(const ListProduct& product);

/** Every product of @p list in rank order; each text escaped. */
QString products(const ProductList& list, const QList<ListProduct>& products, const PageWords& words,
                 const ListWords& listWords);

/** The style of the table and blocks in the design's @p accent; a design's own rules may follow. */
QString styleSheet(const QString& accent);
} // namespace ListMarkup
} // namespace orvanta::page
