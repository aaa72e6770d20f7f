#pragma once

#include "PageWords.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

struct PageFields;

/** What a saved web page tells a site that shows a link to it: its card and a review a search engine reads. */
struct ShareKit {
    /** Plain text, as every value here. */
    QString title;
    QString description;
    QString productName;
    QString reviewBody;
    /** Left out of the review when empty. */
    QString author;
    std::optional<double> rating;
    double bestRating = 5;
    /** The preview picture beside the page, by its relative name; empty when there is none. */
    QString imageName;
    /** A page's own structured data (a list's), given in place of the single review; empty for the review. */
    QJsonObject structuredData;
};

namespace orvanta::page {
namespace Sharing {
/** The preview picture's size, as the large cards of social sites show it. */
constexpr int pictureWidth = 1200;
constexpr int pictureHeight = 630;

/** The verdict when there is one, else the review's first sentence; plain text. */
QString description(const QString& verdict, const QString& review);

/**
 * The product a review's main title names, by the review's words of the page's language: "Keto Cookbook Review"
 * names "Keto Cookbook", "Keto-Kochbuch im Test" names "Keto-Kochbuch".
 */
QString productNameOf(const QString& mainTitle, const PageWords& words);

/** The kit of a page of @p fields, without its picture. */
ShareKit of(const PageFields& fields);

/**
 * The product @p kit reviews, with its editor's review inside: its rating, and @p pros and @p cons as the review's
 * positive and negative notes. Never a rating of many buyers: one editor wrote it.
 */
QJsonObject productWithReview(const ShareKit& kit, const QStringList& pros, const QStringList& cons);

/** The kit's tags for the page's head: the card's meta tags and the review as JSON-LD. */
QString headTags(const ShareKit& kit);

/** @p pageText with the kit's tags at @p headEnd, where its template's own head ends (BuiltPage::headEnd). */
QString withKit(QString pageText, qsizetype headEnd, const ShareKit& kit);
} // namespace Sharing
} // namespace orvanta::page
