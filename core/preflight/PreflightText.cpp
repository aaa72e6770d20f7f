#include "PreflightText.h"

#include "PageRenderings.h"
#include "PreflightPdf.h"
#include "PreflightTr.h"
#include "ReadingText.h"

#include <QBuffer>
#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <algorithm>
#include <map>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
/** Qt's PDF module with each page's place counted from the top of its visible box. */
struct PdfText {
    QPdfDocument document;
    /** How far each page's box stands above its space's origin: Qt counts from the box's height instead. */
    QList<double> bottoms;
};

// Qt's PDF module counts a page's places from the height of its box, ignoring where the box starts, in some
// versions (6.4) and from the box's top in others (6.8): one raised page tells which.
bool qtCountsFromTheBoxTop()
{
    static const bool fromTop = [] {
        constexpr double bottom = 100;
        QByteArray bytes = raisedBoxPdf(bottom, bottom + 150);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        const QRectF letter = document.getSelectionAtIndex(0, 0, 1).boundingRectangle();
        // 50 points below the box's top, or 50 above the box's height counted from 0.
        return letter.bottom() > 0;
    }();
    return fromTop;
}

void addAreas(PdfText& pdf, int page, int start, int length, FoundText& found)
{
    const QPdfSelection selection = pdf.document.getSelectionAtIndex(page, start, length);
    const double bottom = page < pdf.bottoms.size() && !qtCountsFromTheBoxTop() ? pdf.bottoms.at(page) : 0;
    for (const QPolygonF& bound : selection.bounds())
        found.areas.append({page, bound.boundingRect().translated(0, bottom)});
}

// A text may run over a page's end: each page's share of it is one stretch.
QList<FoundText> foundIn(PdfText& pdf, const FoldedText& all, const QList<std::pair<qsizetype, qsizetype>>& places)
{
    QList<FoundText> found;
    for (const auto& [at, length] : places) {
        std::map<int, std::pair<int, int>> spans;
        for (qsizetype i = at; i < at + length; ++i) {
            const auto [page, index] = all.from.at(i);
            const auto [spot, added] = spans.try_emplace(page, index, index);
            spot->second.first = std::min(spot->second.first, index);
            spot->second.second = std::max(spot->second.second, index);
        }
        FoundText text;
        for (const auto& [page, span] : spans)
            addAreas(pdf, page, span.first, span.second - span.first + 1, text);
        found << text;
    }
    return found;
}

void judgeInk(PageRenderings& pages, QList<FoundText>& found)
{
    for (FoundText& text : found)
        text.inked = pages.showsInk(text);
}

// In reading order, each place once, whichever wording found it.
QList<std::pair<qsizetype, qsizetype>> placesOfAny(const FoldedText& all, const QStringList& wordings)
{
    QList<std::pair<qsizetype, qsizetype>> places;
    for (const QString& wording : wordings)
        places << placesOf(all, wording);
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}
} // namespace

PdfTextFacts readPdfText(const QByteArray& pdf, const QString& path, const QString& title, const QStringList& wordings)
{
    PdfTextFacts facts;
    QByteArray bytes = pdf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    PdfText pdfText;
    QPdfDocument& document = pdfText.document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready) {
        facts.error = PreflightTr::tr("%1 is not a PDF that Qt's PDF reader opens (error %2)")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(int(document.error()));
        return facts;
    }
    for (const QRectF& box : pageBoxes(pdf))
        pdfText.bottoms << box.y();
    FoldedText all;
    for (int page = 0; page < document.pageCount(); ++page)
        fold(all, document.getAllText(page).text(), page);
    facts.titles = foundIn(pdfText, all, placesOf(all, title));
    facts.wordings = foundIn(pdfText, all, placesOfAny(all, wordings));
    PageRenderings pages(document);
    pages.reach(facts.titles);
    pages.reach(facts.wordings);
    judgeInk(pages, facts.titles);
    judgeInk(pages, facts.wordings);
    return facts;
}
} // namespace orvanta::preflight
