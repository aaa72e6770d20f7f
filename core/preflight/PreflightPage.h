#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/** A text colour and the background one rule of the page's style sheet sets under it. */
struct ColourPair {
    QString selector;
    QString foreground; ///< "#rrggbb"
    QString background; ///< "#rrggbb"
    double ratio = 0;
};

namespace orvanta::preflight {
/**
 * The colour pairs of @p pageText's style sheets that read worse than the least contrast text needs. Only pairs one
 * selector sets both of are judged (rules of the same selector merged, later ones winning), and the body's text on
 * the page's background; what a nested element inherits is left alone rather than guessed.
 */
QList<ColourPair> weakColourPairs(const QString& pageText);

/** How many pictures of @p pageText carry no description (an empty or missing alt). */
int picturesWithoutDescription(const QString& pageText);

/**
 * The links of @p links that the saved page @p html does not mark as paid, each with what is missing: a link
 * without rel="nofollow sponsored", or one the page does not hold at all.
 */
QStringList unmarkedLinks(const QString& html, const QStringList& links);

/** The wordings that make a sentence a disclosure, lower case; each template's disclosure line holds one. */
const QStringList& disclosureWordings();
} // namespace orvanta::preflight
