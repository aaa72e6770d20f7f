#include "LinkDescriptions.h"

#include "StructureFacts.h"

#include <QPdfDocument>
#include <QPdfSelection>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>

using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
bool described(QPDFObjectHandle annotation)
{
    return annotation.getKey("/Contents").isString() && !annotation.getKey("/Contents").getUTF8Value().empty();
}

// The reader counts from the visible box's top left corner, in points.
QString textUnder(QPdfDocument& drawing, int index, QPDFPageObjectHelper& page, QPDFAnnotationObjectHelper& link)
{
    if (drawing.status() != QPdfDocument::Status::Ready || index >= drawing.pageCount())
        return {};
    const QPDFObjectHandle::Rectangle box = page.getCropBox().getArrayAsRectangle();
    const QPDFObjectHandle::Rectangle rect = link.getRect();
    const double left = std::min(box.llx, box.urx), top = std::max(box.lly, box.ury);
    const QPointF start(std::min(rect.llx, rect.urx) - left, top - std::max(rect.lly, rect.ury));
    const QPointF end(std::max(rect.llx, rect.urx) - left, top - std::min(rect.lly, rect.ury));
    return drawing.getSelection(index, start, end).text().simplified();
}
} // namespace

int describeLinks(QPDF& pdf, const QString& pdfPath)
{
    const StructureFacts structure = readStructure(pdf);
    QPdfDocument drawing;
    bool loaded = false;
    int count = 0;
    int index = 0;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        for (QPDFAnnotationObjectHelper& link : page.getAnnotations("/Link")) {
            QPDFObjectHandle annotation = link.getObjectHandle();
            if (described(annotation))
                continue;
            if (!loaded)
                loaded = (drawing.load(pdfPath), true);
            QString text = textUnder(drawing, index, page, link);
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
