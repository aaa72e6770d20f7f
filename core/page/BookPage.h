#pragma once

#include "ListFile.h"
#include "ListMarkup.h"
#include "PageBuilder.h"

#include <QList>
#include <QString>
#include <QStringList>

/** The headings a printed book is found by in its outline, in the order it shows them. */
struct BookHeadings {
    QString contents;
    QString introduction; ///< empty when the book has none
    QStringList chapters;
};

namespace orvanta::page {
/**
 * A book made from a list: a cover, the contents, the introduction, a chapter per product on a page of its own as
 * its single page shows it (review, picture, blocks, QR code, Buy button), the bonus and the closing call to action.
 */
namespace BookPage {
/** Each chapter's heading: the item's chapter title, else the product's name. */
QStringList chapterTitles(const ProductList& list, const QList<ListProduct>& products);
BookHeadings headingsOf(const ProductList& list, const QList<ListProduct>& products, const QString& language);

/** @p html with the contents' page numbers set to @p pages, one per chapter; the column keeps its width. */
QString withNumbers(QString html, const QList<int>& pages);

/** Copies the pictures beside the page in @p target and fills the book; @p products in rank order. */
Result<BuiltPage> build(const QString& app, const ProductList& list, QList<ListProduct> products,
                        const PageFields& fields, const PageTarget& target);
} // namespace BookPage
} // namespace orvanta::page
