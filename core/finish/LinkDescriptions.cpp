#include "LinkDescriptions.h"

#include "StructureFacts.h"

#include <QPdfDocument>
#include <QPdfSelection>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <utility>

using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
bool described(QPDFObjectHandle annotation)
{
    return annotation.getKey("/Contents").isString() && !annotation.getKey("/Contents").getUTF8Value().empty();
}

// A button's text sits well inside its padding, where a selection from corner to corner finds no letter: the
// letters whose middle lies in the link are its text. The reader counts from the visible box's top left, in points.
QString textUnder(const QList<QPair<QChar, QPointF>>& letters, QPDFPageObjectHelper& page,
                  QPDFAnnotationObjectHelper& link)
{
    const QPDFObjectHandle::Rectangle box = page.getCropBox().getArrayAsRectangle();
    const QPDFObjectHandle::Rectangle rect = link.getRect();
    const double left = std::min(box.llx, box.urx), top = std::max(box.lly, box.ury);
    const QRectF area(QPointF(std::min(rect.llx, rect.urx) - left, top - std::max(rect.lly, rect.ury)),
                      QPointF(std::max(rect.llx, rect.urx) - left, top - std::min(rect.lly, rect.ury)));
    QString text;
    for (const auto& [letter, middle] : letters)
        if (area.contains(middle) || (letter.isSpace() && !text.isEmpty()))
            text += area.contains(middle) ? letter : QLatin1Char(' ');
    return text.simplified();
}

QList<QPair<QChar, QPointF>> lettersOf(QPdfDocument& drawing, int index)
{
    QList<QPair<QChar, QPointF>> letters;
    if (drawing.status() != QPdfDocument::Status::Ready || index >= drawing.pageCount())
        return letters;
    const QString all = drawing.getAllText(index).text();
    for (int at = 0; at < all.size(); ++at) {
        const QPdfSelection one = drawing.getSelectionAtIndex(index, at, 1);
        letters.append({all.at(at), one.boundingRectangle().center()});
    }
    return letters;
}
} // namespace

int describeLinks(QPDF& pdf, const QString& pdfPath)
{
    const StructureFacts structure = readStructure(pdf);
    QPdfDocument drawing;
    bool opened = false;
    QList<QPair<QChar, QPointF>> letters;
    bool loaded = false;
    int count = 0;
    int index = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        for (QPDFAnnotationObjectHelper& link : page.getAnnotations("/Link")) {
            QPDFObjectHandle annotation = link.getObjectHandle();
            if (described(annotation))
                continue;
            if (!loaded) {
                loaded = true;
                if (!std::exchange(opened, true))
                    drawing.load(pdfPath);
                letters = lettersOf(drawing, index);
            }
            QString text = textUnder(letters, page, link);
            const auto alt = structure.linkAlts.find(annotation.getObjGen());
            if (text.isEmpty() && alt != structure.linkAlts.end())
                text = alt->second;
            if (text.isEmpty())
                continue;
            annotation.replaceKey("/Contents", QPDFObjectHandle::newUnicodeString(text.toStdString()));
            ++count;
        }
        ++index;
        loaded = false;
    }
    return count;
}
} // namespace orvanta::finish
