#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/** A list's product as its page ranks it. */
struct RankedProduct {
    QString name;
    std::optional<double> rating;
    QString badge; ///< empty for none
};

/** What a list's PDF is checked against besides a page's own checks. */
struct ListPreflightInput {
    /** The "How we ranked" heading in the page's words; empty when the list does not say how it ranked. */
    QString methodHeading;
    /** In rank order. */
    QList<RankedProduct> products;
};

namespace orvanta::preflight {
/**
 * A list's own checks of its PDF at @p pdfPath: that it says how it ranked, in its text, and that no badge stands on
 * a product rated below one without a badge, which readers would take for a ranking it is not. One line per failed
 * check, named as the preflight's lines are; reads only.
 */
QStringList listPreflight(const QString& pdfPath, const ListPreflightInput& input);
} // namespace orvanta::preflight
