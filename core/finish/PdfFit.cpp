#include "PdfFit.h"

#include "FinishTr.h"
#include "PdfImageWalk.h"
#include "PdfPass.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPdfDocument>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <algorithm>
#include <optional>
#include <set>

using namespace orvanta::files;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
constexpr double PointsPerMm = 72.0 / 25.4;
// About one row per millimetre: the margin's accuracy, and cheap on a 5000 mm page.
constexpr double ScanDotsPerInch = 24.0;

struct Box {
    double left, bottom, right, top;
};

/** How far below the top of the page, in points, the last mark that differs from the page's foot lies. */
struct ContentDepth {
    std::optional<double> points; ///< empty when the content reaches the foot of the page
    QString error;
};

bool isPlainRow(const QImage& image, int row, QRgb plain)
{
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
    return std::all_of(line, line + image.width(), [plain](QRgb pixel) { return pixel == plain; });
}

// A foreign copy needs an indirect object; a direct one is first made indirect, which leaves the page as it is.
QPDFObjectHandle copied(QPDF& into, QPDF& from, QPDFObjectHandle object)
{
    return into.copyForeignObject(object.isIndirect() ? object : from.makeIndirectObject(object));
}

void greyOutPictures(QPDF& drawing, QPDFObjectHandle resources)
{
    QPDFObjectHandle grey = QPDFObjectHandle::newStream(&drawing, std::string(1, '\x80'));
    QPDFObjectHandle dict = grey.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(1));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(1));
    dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    std::set<QPDFObjGen> seenForms;
    forEachImagePlace(resources, seenForms,
                      [&grey](QPDFObjectHandle& xObjects, const std::string& key) { xObjects.replaceKey(key, grey); });
}

// The converter paints the page's own background only as far as the content goes; below it the page is
// plain. The foot row tells that plain colour; a foot row of many colours means the content goes on to it.
std::optional<int> lastContentRow(const QImage& image)
{
    const int foot = image.height() - 1;
    const QRgb plain = image.pixel(0, foot);
    if (!isPlainRow(image, foot, plain))
        return std::nullopt;
    int row = foot;
    while (row >= 0 && isPlainRow(image, row, plain))
        --row;
    return row;
}

/** The last page alone, in a PDF of its own for drawing only. */
QByteArray pageToDraw(QPDF& pdf, QPDFPageObjectHelper& last, const Box& crop)
{
    QPDF drawing;
    drawing.emptyPDF();
    QPDFObjectHandle contents = last.getObjectHandle().getKey("/Contents");
    if (!contents.isArray())
        contents = QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{contents});
    const QPDFObjectHandle resources = copied(drawing, pdf, last.getAttribute("/Resources", false));
    // Decoding pictures costs nearly all of the drawing; a plain grey pixel stretched over each picture's place
    // marks the same rows. Only the copies point elsewhere: the PDF itself keeps its pictures.
    greyOutPictures(drawing, resources);
    const QPDFObjectHandle box =
        QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(crop.left, crop.bottom, crop.right, crop.top));
    QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
    page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
    page.replaceKey("/MediaBox", box);
    page.replaceKey("/CropBox", box);
    page.replaceKey("/Contents", copied(drawing, pdf, contents));
    page.replaceKey("/Resources", resources);
    QPDFObjectHandle group = last.getObjectHandle().getKey("/Group");
    if (!group.isNull())
        page.replaceKey("/Group", copied(drawing, pdf, group));
    QPDFPageDocumentHelper(drawing).addPage(QPDFPageObjectHelper(drawing.makeIndirectObject(page)), false);
    return writePdfToMemory(drawing, true);
}

ContentDepth contentDepth(QPDF& pdf, QPDFPageObjectHelper& last, const Box& crop, const QString& pdfPath)
{
    QByteArray bytes = pageToDraw(pdf, last, crop);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() != 1)
        return {std::nullopt,
                FinishTr::tr("The PDF %1 could not be read to find the end of its content.").arg(pdfPath)};
    const QSizeF size = document.pagePointSize(0);
    const QSize pixels(qMax(1, qRound(size.width() / 72.0 * ScanDotsPerInch)),
                       qMax(1, qRound(size.height() / 72.0 * ScanDotsPerInch)));
    const QImage image = document.render(0, pixels).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {std::nullopt,
                FinishTr::tr("The last page of %1 could not be rendered to find the end of its content.").arg(pdfPath)};
    const std::optional<int> row = lastContentRow(image);
    if (!row)
        return {std::nullopt, QString()};
    return {(*row + 1) * (crop.top - crop.bottom) / image.height(), QString()};
}

Box boxOf(QPDFObjectHandle array)
{
    const QPDFObjectHandle::Rectangle r = array.getArrayAsRectangle();
    return {std::min(r.llx, r.urx), std::min(r.lly, r.ury), std::max(r.llx, r.urx), std::max(r.lly, r.ury)};
}

// A link drawn without any visible mark below the content must not be cut off.
double lowestLinkBottom(QPDFPageObjectHelper& page, double bottom)
{
    for (QPDFAnnotationObjectHelper& annotation : page.getAnnotations()) {
        QPDFObjectHandle rect = annotation.getObjectHandle().getKey("/Rect");
        if (rect.isRectangle())
            bottom = std::min(bottom, boxOf(rect).bottom);
    }
    return bottom;
}
} // namespace

Result<bool> fitLastPage(QPDF& pdf, QPDFPageObjectHelper& last, const QString& pdfPath)
{
    if (last.getAttribute("/Rotate", false).isInteger() && last.getAttribute("/Rotate", false).getIntValue() % 360)
        return fail(FinishTr::tr("The last page of %1 is turned; it is left as it is.").arg(pdfPath));

    const Box page = boxOf(last.getCropBox(false));
    const ContentDepth depth = contentDepth(pdf, last, page, pdfPath);
    if (!depth.error.isEmpty())
        return fail(depth.error);
    if (!depth.points)
        return false;
    const double wanted = lowestLinkBottom(last, page.top - *depth.points) - FitMarginMm * PointsPerMm;
    if (wanted <= page.bottom)
        return false;

    const Box media = boxOf(last.getMediaBox(false));
    const QPDFObjectHandle box =
        QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(media.left, wanted, media.right, page.top));
    last.getObjectHandle().replaceKey("/MediaBox", box);
    last.getObjectHandle().replaceKey("/CropBox", box);
    return true;
}
} // namespace orvanta::finish
