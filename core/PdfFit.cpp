#include "PdfFit.h"

#include "Leftovers.h"
#include "PdfFinish.h"
#include "PdfImages.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPdfDocument>
#include <QTemporaryFile>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("PdfFit", text);
}

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

QByteArray writeToMemory(QPDF& pdf, bool streamsAsStored = false);

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
    return writeToMemory(drawing, true);
}

ContentDepth contentDepth(QPDF& pdf, QPDFPageObjectHelper& last, const Box& crop, const QString& pdfPath)
{
    QByteArray bytes = pageToDraw(pdf, last, crop);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() != 1)
        return {std::nullopt, tr("The PDF %1 could not be read to find the end of its content.").arg(pdfPath)};
    const QSizeF size = document.pagePointSize(0);
    const QSize pixels(qMax(1, qRound(size.width() / 72.0 * ScanDotsPerInch)),
                       qMax(1, qRound(size.height() / 72.0 * ScanDotsPerInch)));
    const QImage image = document.render(0, pixels).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {std::nullopt,
                tr("The last page of %1 could not be rendered to find the end of its content.").arg(pdfPath)};
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

// A copy for drawing only may keep its streams as stored: decoding and compressing the fonts again would cost
// more than the drawing.
QByteArray writeToMemory(QPDF& pdf, bool streamsAsStored)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // Streams that come compressed, such as a PNG's own rows, are written as they come; unfiltered ones are
    // compressed.
    writer.setDecodeLevel(qpdf_dl_none);
    if (streamsAsStored)
        writer.setStreamDataMode(qpdf_s_preserve);
    writer.write();
    std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize()));
}

// The written bytes must open again with every page before they may replace the original.
bool opensWithPages(const QByteArray& bytes, size_t pageCount)
{
    QPDF check;
    check.setSuppressWarnings(true);
    check.processMemoryFile("fitted", bytes.constData(), size_t(bytes.size()));
    return !check.anyWarnings() && QPDFPageDocumentHelper(check).getAllPages().size() == pageCount;
}

// Whole or not at all, under a private name beside it and renamed over it. The PDF is still the run's own file,
// renamed to its place later, so this skips the wait for the disk that QSaveFile makes.
FitResult replaceFile(const QString& pdfPath, const QByteArray& bytes)
{
    QTemporaryFile file(Leftovers::privateTemplate(QFileInfo(pdfPath).absolutePath(), QStringLiteral("orvanta"),
                                                   QStringLiteral(".pdf")));
    std::error_code failure;
    if (file.open() && file.setPermissions(QFile::permissions(pdfPath)) && file.write(bytes) == bytes.size() &&
        file.flush()) {
        std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                                QFile::encodeName(pdfPath).toStdString(), failure);
        if (!failure) {
            file.setAutoRemove(false);
            return {true, true, QString()};
        }
    }
    const QString why = failure ? QString::fromStdString(failure.message()) : file.errorString();
    return {false, false, tr("The fitted PDF could not be written over %1: %2").arg(pdfPath, why)};
}

// Moves the last page's boxes in @p pdf only; nothing is written.
FitResult fitLastPage(QPDF& pdf, std::vector<QPDFPageObjectHelper>& pages, const QString& pdfPath)
{
    QPDFPageObjectHelper& last = pages.back();
    if (last.getAttribute("/Rotate", false).isInteger() && last.getAttribute("/Rotate", false).getIntValue() % 360)
        return {false, false, tr("The last page of %1 is turned; it is left as it is.").arg(pdfPath)};

    const Box page = boxOf(last.getCropBox(false));
    const ContentDepth depth = contentDepth(pdf, last, page, pdfPath);
    if (!depth.error.isEmpty())
        return {false, false, depth.error};
    if (!depth.points)
        return {true, false, QString()};
    const double wanted = lowestLinkBottom(last, page.top - *depth.points) - FitMarginMm * PointsPerMm;
    if (wanted <= page.bottom)
        return {true, false, QString()};

    const Box media = boxOf(last.getMediaBox(false));
    const QPDFObjectHandle box =
        QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(media.left, wanted, media.right, page.top));
    last.getObjectHandle().replaceKey("/MediaBox", box);
    last.getObjectHandle().replaceKey("/CropBox", box);
    return {true, true, QString()};
}

QString failureText(const QString& pdfPath, const char* what)
{
    return what ? tr("The PDF %1 could not be finished: %2").arg(pdfPath, QString::fromLocal8Bit(what))
                : tr("The PDF %1 could not be finished.").arg(pdfPath);
}

PdfPassResult runPass(const QString& pdfPath, const PdfPass& pass)
{
    const QByteArray path = QFile::encodeName(pdfPath);
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.setAttemptRecovery(false);
    pdf.processFile(path.constData());
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (pages.empty() || pdf.anyWarnings())
        return {false, false, pass.fit ? tr("The PDF %1 has no pages or is damaged.").arg(pdfPath) : QString(),
                tr("The PDF %1 has no pages or is damaged.").arg(pdfPath)};
    PdfPassResult result{true, false, QString(), QString()};
    bool changed = false;
    if (pass.fit) {
        const FitResult fitted = fitLastPage(pdf, pages, pdfPath);
        if (!fitted.ok)
            result.fitNote = fitted.error;
        changed = result.trimmed = fitted.trimmed;
    }
    if (!pass.sources.isEmpty())
        changed = restoreSourcePictures(pdf, pass.sources) > 0 || changed;
    if (pass.metadata && !pass.about.title.isEmpty()) {
        writeMetadata(pdf, pass.about);
        changed = true;
    }
    if (!changed)
        return result;
    const QByteArray bytes = writeToMemory(pdf);
    if (!opensWithPages(bytes, pages.size()))
        return {false, false, pass.fit ? tr("The finished copy of %1 came out damaged.").arg(pdfPath) : QString(),
                tr("The finished copy of %1 came out damaged; the PDF is left as it was.").arg(pdfPath)};
    const FitResult written = replaceFile(pdfPath, bytes);
    if (!written.ok)
        return {false, false, pass.fit ? written.error : QString(), written.error};
    return result;
}
} // namespace

FitResult fitPdfToContent(const QString& pdfPath)
{
    PdfPass pass;
    pass.fit = true;
    const PdfPassResult done = finishPdfFile(pdfPath, pass);
    if (!done.fitNote.isEmpty())
        return {false, false, done.fitNote};
    return {true, done.trimmed, QString()};
}

PdfPassResult finishPdfFile(const QString& pdfPath, const PdfPass& pass)
{
    if (!QFileInfo(pdfPath).isFile()) {
        const QString missing = tr("The PDF %1 was not found.").arg(pdfPath);
        return {false, false, pass.fit ? missing : QString(), missing};
    }
    try {
        return runPass(pdfPath, pass);
    } catch (const std::exception& failure) {
        const QString text = failureText(pdfPath, failure.what());
        return {false, false, pass.fit ? text : QString(), text};
    } catch (...) {
        const QString text = failureText(pdfPath, nullptr);
        return {false, false, pass.fit ? text : QString(), text};
    }
}
