#include "PreflightPdf.h"

#include "PreflightDrawing.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTransform>

#include <qpdf/BufferInputSource.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFTokenizer.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString stringOf(QPDFObjectHandle object)
{
    return object.isString() ? fromUtf8(object.getUTF8Value()).trimmed() : QString();
}

// The box a viewer shows: the crop box, within the media box.
QRectF visibleBox(QPDFPageObjectHelper& page)
{
    const auto rectOf = [](const QPDFObjectHandle::Rectangle& box) {
        return QRectF(QPointF(std::min(box.llx, box.urx), std::min(box.lly, box.ury)),
                      QPointF(std::max(box.llx, box.urx), std::max(box.lly, box.ury)));
    };
    const QRectF media = rectOf(page.getMediaBox().getArrayAsRectangle());
    QPDFObjectHandle crop = page.getCropBox();
    return crop.isRectangle() ? media.intersected(rectOf(crop.getArrayAsRectangle())) : media;
}

void readLinks(QPDFPageObjectHelper& page, int index, const QRectF& box, PdfFacts& facts)
{
    const double top = box.y() + box.height();
    for (QPDFAnnotationObjectHelper& annotation : page.getAnnotations("/Link")) {
        QPDFObjectHandle action = annotation.getObjectHandle().getKey("/A");
        if (!action.isDictionary() || !action.getKey("/S").isNameAndEquals("/URI"))
            continue;
        const QString uri = stringOf(action.getKey("/URI"));
        const QPDFObjectHandle::Rectangle rect = annotation.getRect();
        const QRectF area(QPointF(std::min(rect.llx, rect.urx), top - std::max(rect.lly, rect.ury)),
                          QPointF(std::max(rect.llx, rect.urx), top - std::min(rect.lly, rect.ury)));
        // Hidden (2) and no view (32) keep a link from the screen.
        const bool hidden = (annotation.getFlags() & (2 | 32)) != 0;
        const QRectF onPage(box.x(), 0, box.width(), box.height());
        if (!uri.isEmpty())
            facts.links.append({uri, {index, area.top()}, area, !hidden && onPage.intersects(area)});
    }
}

bool isFigure(QPDFObjectHandle element, QPDFObjectHandle roleMap)
{
    QPDFObjectHandle type = element.getKey("/S");
    if (type.isName() && roleMap.isDictionary() && roleMap.getKey(type.getName()).isName())
        type = roleMap.getKey(type.getName());
    return type.isNameAndEquals("/Figure");
}

// Depth- and repeat-bound: a structure tree is the file's own word and may loop.
void countUndescribedFigures(QPDFObjectHandle node, QPDFObjectHandle roleMap, std::set<QPDFObjGen>& seen, int depth,
                             int& count)
{
    if (depth > 64 || (node.isIndirect() && !seen.insert(node.getObjGen()).second))
        return;
    if (node.isArray()) {
        for (QPDFObjectHandle& item : node.getArrayAsVector())
            countUndescribedFigures(item, roleMap, seen, depth + 1, count);
        return;
    }
    if (!node.isDictionary())
        return;
    if (isFigure(node, roleMap) && stringOf(node.getKey("/Alt")).isEmpty())
        ++count;
    countUndescribedFigures(node.getKey("/K"), roleMap, seen, depth + 1, count);
}

void readDocument(QPDF& pdf, PdfFacts& facts)
{
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    facts.title = info.isDictionary() ? stringOf(info.getKey("/Title")) : QString();
    QPDFObjectHandle root = pdf.getRoot();
    facts.language = stringOf(root.getKey("/Lang"));
    QPDFObjectHandle tree = root.getKey("/StructTreeRoot");
    facts.tagged = tree.isDictionary();
    if (facts.tagged) {
        std::set<QPDFObjGen> seen;
        countUndescribedFigures(tree.getKey("/K"), tree.getKey("/RoleMap"), seen, 0, facts.figuresWithoutDescription);
    }
}
} // namespace

QList<QRectF> pageBoxes(const QByteArray& pdf)
{
    QList<QRectF> boxes;
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("pdf", pdf.constData(), size_t(pdf.size()));
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(document).getAllPages())
            boxes << visibleBox(page);
    } catch (const std::exception&) {
        boxes.clear();
    }
    return boxes;
}

QByteArray raisedBoxPdf(double bottom, double baseline)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font =
        pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
    fonts.replaceKey("/F1", font);
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    resources.replaceKey("/Font", fonts);
    QPDFObjectHandle page = QPDFObjectHandle::parse(
        QStringLiteral("<< /Type /Page /MediaBox [0 %1 200 %2] >>").arg(bottom).arg(bottom + 200).toStdString());
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents",
                    QPDFObjectHandle::newStream(
                        &pdf, QStringLiteral("BT /F1 10 Tf 10 %1 Td (x) Tj ET").arg(baseline).toStdString()));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.write();
    const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize()));
}

PdfFacts readPdfFacts(const QString& path)
{
    PdfFacts facts;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        readDocument(pdf, facts);
        DrawingWalk walk(facts);
        int index = 0;
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            const QRectF box = visibleBox(page);
            readLinks(page, index, box, facts);
            walk.walkPage(page, index++, box);
        }
    } catch (const std::exception& failure) {
        facts.error = QString::fromLocal8Bit(failure.what());
    }
    return facts;
}
} // namespace orvanta::preflight
