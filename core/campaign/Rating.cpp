#include "Rating.h"

#include "CampaignTr.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
// A comma is taken as a decimal comma, so "1,000" would read as 1: three digits after the mark are a group of
// thousands, never the halves of a rating.
bool hasThousandsSeparator(const QString& text)
{
    static const QRegularExpression grouped(QStringLiteral("^\\s*[+-]?\\d{1,3}([.,]\\d{3})+\\s*$"));
    return grouped.match(text).hasMatch();
}
} // namespace

namespace ReviewBlocks {
std::optional<double> ratingValue(const QString& text)
{
    if (hasThousandsSeparator(text))
        return std::nullopt;
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
    if (hasThousandsSeparator(text))
        return CampaignTr::tr("The rating \"%1\" cannot be shown: it is written with a thousands "
                              "separator; a rating is a number from 0 to 5 in halves, such as 4 or 4.5.")
            .arg(text);
    return CampaignTr::tr("The rating \"%1\" cannot be shown: a rating is a number "
                          "from 0 to 5 in halves, such as 4 or 4.5.")
        .arg(text);
}
} // namespace ReviewBlocks
} // namespace orvanta::campaign
