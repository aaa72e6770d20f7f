#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

/**
 * The words Orvanta itself puts on a page, in the campaign's language (never the window's), and the way the page is
 * written: the user's own texts are never translated.
 */
struct PageWords {
    /** The table's language: "en", "de", "pt-BR" … */
    QString tag;
    QString rating; ///< "%1" is the rating
    QString stars;  ///< the stars' spoken description; "%1" is the rating
    QString verdict;
    QString pros;
    QString cons;
    QString qrCode;
    QString disclosure;
    /** Lower case: what a review's title calls it (review, im test), and the words joining it to the product. */
    QStringList review;
    QStringList reviewOf;
    /** Arabic, Hebrew, Persian, Urdu …: the page is laid out mirrored. */
    bool rightToLeft = false;

    /** @p rating as the language writes a number: "4.5" in English, "4,5" in German. */
    QString number(double rating) const;
};

namespace orvanta::page {
namespace PageWordTables {
/** The names a design's words are overridden by: "word.NAME" or, for one language, "word.TAG.NAME". */
QStringList names();

/** The words of the page of a campaign in @p language, a design's @p overrides (keys lower case) laid over them. */
PageWords of(const QString& language, const QHash<QString, QString>& overrides = {});

/** Why @p overrides, as read from a design, cannot be used; empty when they can. */
QString overrideProblem(const QHash<QString, QString>& overrides);

/** The wordings, lower case, by which a sentence is a disclosure in any language of the tables. */
QStringList disclosureMarks();

/** Where a design shows the disclosure line; the design's own words stay where it has none. */
QString disclosurePlaceholder();

/** @p text with the disclosure line of @p words in its placeholder. */
QString withDisclosure(QString text, const PageWords& words);
} // namespace PageWordTables
} // namespace orvanta::page
