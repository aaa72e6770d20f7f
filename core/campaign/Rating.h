#pragma once

#include <QString>

#include <optional>

namespace orvanta::campaign {
/** A review's rating as a campaign keeps it: text, so a sheet's odd value is kept to be named, not lost. */
namespace ReviewBlocks {
constexpr double bestRating = 5;

/**
 * @p text as a rating: 0 to 5 in halves, written with a point or a comma; nothing for anything else, and nothing for
 * a number with thousands separators such as "1,000".
 */
std::optional<double> ratingValue(const QString& text);
/** Why @p text is no rating, as Create tells it; empty when it is one or is empty. */
QString ratingProblem(const QString& text);
} // namespace ReviewBlocks
} // namespace orvanta::campaign
