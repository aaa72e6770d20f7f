#pragma once

#include "Designs.h"
#include "ListFile.h"
#include "ListMarkup.h"
#include "PageBuilder.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace orvanta::page {
/**
 * The page of a list of products, in the list's design: its title, the disclosure, its introduction, the products
 * in rank order, how they were ranked and when they were checked. Each product's texts are its campaign's.
 */
namespace ListPage {
/** The placeholders a design's own list.html holds: title, introduction, products, how we ranked, checked on. */
QStringList placeholders();
/** Those an own list.html cannot do without. */
QStringList requiredPlaceholders();
/** The list page of every design without a list.html of its own, in the design's colours and fonts. */
QString builtInTemplate();

/** Copies the picture @p source of the product at @p rank beside the page in @p folder; its copy's name. */
Result<QString> placePicture(const QString& source, qsizetype rank, const Design& design, const QString& folder);

/** The page's own fields: the list's title, design, brand, language, engine and @p pdfFileName. */
PageFields fieldsOf(const ProductList& list, const QString& pdfFileName);

/** The list's structured data: an ItemList of the products, in the order the page shows them. */
QJsonObject itemList(const ProductList& list, const QList<ListProduct>& products);

/**
 * Copies the products' pictures beside the page in @p target and fills the list page; @p fields as fieldsOf()
 * gives them, @p products in rank order, each with its Buy link.
 */
Result<BuiltPage> build(const QString& app, const ProductList& list, QList<ListProduct> products,
                        const PageFields& fields, const PageTarget& target);
} // namespace ListPage
} // namespace orvanta::page
