#include "PreflightList.h"

#include "PreflightText.h"
#include "PreflightTr.h"

#include <QCoreApplication>
#include <QFile>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
QString methodProblem(const QString& pdfPath, const QString& heading)
{
    const QString name = PreflightTr::tr("How we ranked");
    if (heading.isEmpty())
        return PreflightTr::tr("%1: the list does not say how it ranked its products. Say it in the list's "
                               "\"howWeRanked\" and create the PDF again.")
            .arg(name);
    QFile file(pdfPath);
    const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const PdfTextFacts text = readPdfText(pdf, pdfPath, heading, {});
    if (text.error.isEmpty() && !text.titles.isEmpty())
        return {};
    return PreflightTr::tr("%1: \"%2\" cannot be found in the PDF's text, so readers cannot see how the products "
                           "were ranked. Keep it as text on the design's list page and create the PDF again.")
        .arg(name, heading);
}

// A badge reads as the better pick: on a product rated below one that has none, it ranks against the ratings.
QString rankingProblem(const QList<RankedProduct>& products)
{
    for (const RankedProduct& badged : products) {
        if (badged.badge.trimmed().isEmpty() || !badged.rating)
            continue;
        for (const RankedProduct& other : products) {
            if (!other.badge.trimmed().isEmpty() || !other.rating || *other.rating <= *badged.rating)
                continue;
            return PreflightTr::tr("Ranking: the badge \"%1\" stands on %2, rated %3, while %4, rated %5, has none; "
                                   "readers take a badge for the better product. Give the badge to the product rated "
                                   "higher, or say in \"How we ranked\" why.")
                .arg(badged.badge.trimmed(), badged.name, QString::number(*badged.rating), other.name,
                     QString::number(*other.rating));
        }
    }
    return {};
}
} // namespace

QStringList listPreflight(const QString& pdfPath, const ListPreflightInput& input)
{
    QStringList lines{methodProblem(pdfPath, input.methodHeading), rankingProblem(input.products)};
    lines.removeAll(QString());
    return lines;
}
} // namespace orvanta::preflight
