#pragma once

#include "LinksTable.h"
#include "ListFile.h"
#include "ListMarkup.h"
#include "PageBuilder.h"
#include "PreflightBook.h"
#include "PreflightList.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

struct JobSettings;
struct PageOrder;

/** A list of products ready to be made: its page's fields and each product as its campaign gives it. */
struct ListRun {
    ProductList list;
    PageFields fields;
    QList<ListProduct> products;
    /** The products' short links, added to the links table once the PDF stands. */
    QList<LinkEntry> shortLinks;
};

namespace orvanta::run {
namespace ListJobs {
/**
 * Reads the list at @p path and every campaign it names, as a job opens a campaign, and runs each campaign's own
 * checks; the first problem names the list and the item. Each Buy link is the campaign's short link where it has
 * one, else its tagged affiliate link.
 */
Result<ListRun> prepare(const QString& path, const JobSettings& settings);
/** As prepare(), for @p list as an editor holds it; @p path names it in messages and gives the PDF its name. */
Result<ListRun> prepareList(const ProductList& list, const QString& path, const JobSettings& settings);

/** The list's page, built into @p target. */
Result<BuiltPage> build(const QString& app, const ListRun& run, const PageTarget& target);

/**
 * Gives @p order the list's page and the links its preflight checks; a book also keeps its pages whole and, when
 * @p numbered, is printed again until its contents' numbers stand (a preview shows it in one print).
 */
void fillOrder(PageOrder& order, const std::shared_ptr<const ListRun>& run, bool numbered = true);

/** The checks of the list's own, or the book's own, preflight that the PDF at @p pdfPath fails. */
QStringList ownPreflight(const QString& app, const ListRun& run, const QString& pdfPath);

/** The links each product's Buy button holds, in rank order. */
QStringList buyLinks(const ListRun& run);

/** What the list's own preflight checks its PDF against: its ranking's words and its products as ranked. */
ListPreflightInput preflightInput(const QString& app, const ListRun& run);

/** What a book's own preflight checks its PDF against: its contents, its chapters' links, its disclosure. */
BookPreflightInput bookPreflightInput(const QString& app, const ListRun& run);

/** Adds the products' short links to the links table; a failure names the table. */
Result<void> recordShortLinks(const QString& app, const ListRun& run);
} // namespace ListJobs
} // namespace orvanta::run
