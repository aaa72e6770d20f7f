#include "Rating.h"

#include <QCoreApplication>

#include <cmath>

namespace ReviewBlocks {
std::optional<double> ratingValue(const QString& text)
{
    bool ok = false;
    const double value = QString(text).trimmed().replace(u',', u'.').toDouble(&ok);
    // toDouble reads "nan" and "inf"; neither passes the range.
    if (!ok || !(value >= 0 && value <= bestRating) || value * 2 != std::floor(value * 2))
        return std::nullopt;
    return value;
}

QString ratingProblem(const QString& text)
{
    if (text.trimmed().isEmpty() || ratingValue(text))
        return {};
    return QCoreApplication::translate("ReviewBlocks", "The rating \"%1\" cannot be shown: a rating is a number "
                                                       "from 0 to 5 in halves, such as 4 or 4.5.")
        .arg(text);
}
} // namespace ReviewBlocks
