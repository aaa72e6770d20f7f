#include "LinkDescriptions.h"

#include "StructureFacts.h"

#include <QPdfDocument>
#include <QPdfSelection>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
bool described(QPDFObjectHandle annotation)
{
    return annotation.getKey("/Contents").isString() && !annotation.getKey("/Contents").getUTF8Value().empty();
}

using Letters = QList<QPair<QChar, QPointF>>;

// The reader counts from the visible box's top left, in points.
QRectF linkArea(QPDFPageObjectHelper& page, QPDFAnnotationObjectHelper& link)
{
    const QPDFObjectHandle::Rectangle box = page.getCropBox().getArrayAsRectangle();
    const QPDFObjectHandle::Rectangle rect = link.getRect();
    const double left = std::min(box.llx, box.urx), top = std::max(box.lly, box.ury);
    return QRectF(QPointF(std::min(rect.llx, rect.urx) - left, top - std::max(rect.lly, rect.ury)),
                  QPointF(std::max(rect.llx, rect.urx) - left, top - std::min(rect.lly, rect.ury)));
}

// A button's text sits well inside its padding, where a selection from corner to corner finds no letter: the
// letters whose middle lies in the link are its text.
QString textUnder(const Letters& letters, const QRectF& area)
{
    QString text;
    for (const auto& [letter, middle] : letters)
        if (area.contains(middle) || (letter.isSpace() && !text.isEmpty()))
            text += area.contains(middle) ? letter : QLatin1Char(' ');
    return text.simplified();
}

// Edges count: a letter's box may be a line or a point.
bool touches(const QRectF& a, const QRectF& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

// Each call reads the whole page again, so only the letters of stretches that cross a link's edge are placed one by
// one: a stretch's bounds hold each of its letters' boxes.
void placeLetters(QPdfDocument& drawing, int index, int from, int to, const QList<QRectF>& areas,
                  std::map<int, QPointF>& placed)
{
    const QRectF bounds = drawing.getSelectionAtIndex(index, from, to - from).boundingRectangle();
    const auto reached = [&bounds](const QRectF& area) { return touches(bounds, area); };
    if (std::none_of(areas.begin(), areas.end(), reached))
        return;
    // Wholly inside each link it reaches, every letter's middle lies where the stretch's does.
    const bool within = std::all_of(areas.begin(), areas.end(),
                                    [&](const QRectF& area) { return !reached(area) || area.contains(bounds); });
    if (to - from == 1 || within) {
        for (int at = from; at < to; ++at)
            placed.emplace(at, bounds.center());
        return;
    }
    const int middle = from + (to - from) / 2;
    placeLetters(drawing, index, from, middle, areas, placed);
    placeLetters(drawing, index, middle, to, areas, placed);
}

// Letters far from every link only part words; they stand nowhere.
Letters lettersOf(QPdfDocument& drawing, int index, const QList<QRectF>& areas)
{
    Letters letters;
    if (drawing.status() != QPdfDocument::Status::Ready || index >= drawing.pageCount())
        return letters;
    const QString all = drawing.getAllText(index).text();
    std::map<int, QPointF> placed;
    if (!all.isEmpty())
        placeLetters(drawing, index, 0, int(all.size()), areas, placed);
    const QPointF nowhere(-1e9, -1e9);
    for (int at = 0; at < all.size(); ++at) {
        const auto place = placed.find(at);
        if (place != placed.end())
            letters.append({all.at(at), place->second});
        else if (all.at(at).isSpace())
            letters.append({all.at(at), nowhere});
    }
    return letters;
}
} // namespace

int describeLinks(QPDF& pdf, const QString& pdfPath)
{
    const StructureFacts structure = readStructure(pdf);
    QPdfDocument drawing;
    bool opened = false;
    int count = 0;
    int index = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        std::vector<QPDFAnnotationObjectHelper> links;
        QList<QRectF> areas;
        for (QPDFAnnotationObjectHelper& link : page.getAnnotations("/Link"))
            if (!described(link.getObjectHandle())) {
                links.push_back(link);
                areas << linkArea(page, link);
            }
        if (!links.empty() && !std::exchange(opened, true))
            drawing.load(pdfPath);
        const Letters letters = links.empty() ? Letters() : lettersOf(drawing, index, areas);
        for (size_t at = 0; at < links.size(); ++at) {
            QPDFObjectHandle annotation = links[at].getObjectHandle();
            QString text = textUnder(letters, areas.at(qsizetype(at)));
            const auto alt = structure.linkAlts.find(annotation.getObjGen());
            if (text.isEmpty() && alt != structure.linkAlts.end())
                text = alt->second;
            if (text.isEmpty())
                continue;
            annotation.replaceKey("/Contents", QPDFObjectHandle::newUnicodeString(text.toStdString()));
            ++count;
        }
        ++index;
    }
    return count;
}
} // namespace orvanta::finish
