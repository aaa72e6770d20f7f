#include "PictureRestore.h"

#include "PdfImageWalk.h"
#include "PictureSizing.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <limits>
#include <optional>
#include <set>

using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
// A small look is all a match needs, and a JPEG decodes straight at an eighth of its size for it.
QImage lookFrom(QImageReader& reader)
{
    reader.setAutoTransform(false);
    reader.setScaledSize(QSize(16, 16));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

qint64 difference(const QImage& a, const QImage& b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum;
}

struct Source {
    QString path;
    QByteArray format;
    QSize size;
    qint64 fileSize = 0;
    // Decoded when first needed and then kept.
    std::optional<QImage> pixels;
    std::optional<QImage> look;
};

// The converter decodes pictures as stored, without turning them upright.
std::vector<Source> readableSources(const QStringList& paths)
{
    std::vector<Source> sources;
    for (const QString& path : paths) {
        QImageReader reader(path);
        const QByteArray format = reader.format();
        // A JPEG turned by its EXIF tag may be drawn turned or not; its bytes would not say which.
        const bool turned = format == "jpeg" && reader.transformation() != QImageIOHandler::TransformationNone;
        if ((format == "png" || format == "gif" || format == "jpeg") && reader.size().isValid() && !turned &&
            !(reader.supportsAnimation() && reader.imageCount() > 1))
            sources.push_back({path, format, reader.size(), QFileInfo(path).size(), std::nullopt, std::nullopt});
    }
    return sources;
}

const QImage& pixelsOf(Source& source)
{
    if (!source.pixels) {
        QImageReader reader(source.path);
        reader.setAutoTransform(false);
        source.pixels = reader.read();
    }
    return *source.pixels;
}

const QImage& lookOf(Source& source)
{
    if (!source.look) {
        QImageReader reader(source.path);
        source.look = lookFrom(reader);
    }
    return *source.look;
}

QSize sizeOf(QPDFObjectHandle image)
{
    return {image.getDict().getKey("/Width").getIntValueAsInt(), image.getDict().getKey("/Height").getIntValueAsInt()};
}

QByteArray rawBytes(QPDFObjectHandle image)
{
    std::shared_ptr<Buffer> raw = image.getRawStreamData();
    return QByteArray(reinterpret_cast<const char*>(raw->getBuffer()), qsizetype(raw->getSize()));
}

// Several sources of one size: the one that looks like what the converter drew.
Source* matchingSource(QPDFObjectHandle image, std::vector<Source>& sources)
{
    const QSize size = sizeOf(image);
    QList<Source*> sameSize;
    for (Source& source : sources)
        if (source.size == size)
            sameSize.append(&source);
    if (sameSize.size() <= 1)
        return sameSize.value(0);
    QByteArray stored = rawBytes(image);
    QBuffer buffer(&stored);
    QImageReader reader(&buffer, "jpeg");
    const QImage drawn = lookFrom(reader);
    Source* best = nullptr;
    qint64 bestDifference = std::numeric_limits<qint64>::max();
    for (Source* source : sameSize) {
        const qint64 off = drawn.isNull() ? 0 : difference(drawn, lookOf(*source));
        if (off < bestDifference) {
            best = source;
            bestDifference = off;
        }
    }
    return best;
}

// Chromium stores a JPEG as the file's own bytes: such a picture is its source already, with nothing to decode.
bool isStoredAsSource(QPDFObjectHandle image, const std::vector<Source>& sources)
{
    const QSize size = sizeOf(image);
    std::optional<QByteArray> stored;
    for (const Source& source : sources) {
        if (source.format != "jpeg" || source.size != size)
            continue;
        if (!stored)
            stored = rawBytes(image);
        QFile file(source.path);
        if (stored->size() == source.fileSize && file.open(QIODevice::ReadOnly) && file.readAll() == *stored)
            return true;
    }
    return false;
}

bool isPlainJpeg(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xD8");
}

// The converter decoded these very bytes to draw them; their frame header tells their channels without decoding.
bool replaceByJpeg(QPDFObjectHandle image, const Source& source)
{
    QFile file(source.path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const int components = jpegComponentCount(bytes);
    if (!isPlainJpeg(bytes) || (components != 1 && components != 3))
        return false;
    QPDFObjectHandle dict = image.getDict();
    dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName(components == 1 ? "/DeviceGray" : "/DeviceRGB"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    dict.removeKey("/Decode");
    dict.removeKey("/DecodeParms");
    image.replaceStreamData(bytes.toStdString(), QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
    return true;
}

quint32 bigEndian32(const char* at)
{
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(at));
}

/** A PNG's own compressed rows, where a PDF reads them as they are: 8 bits, not interlaced, RGB or a palette. */
struct PngRows {
    QSize size;
    QByteArray palette;
    QByteArray rows;
};

// Transparency is left to the decoder, which drops it the way the converter's drawing does.
std::optional<PngRows> pngRows(const QByteArray& bytes)
{
    if (!bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return std::nullopt;
    PngRows png;
    int colours = -1;
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const quint32 length = bigEndian32(bytes.constData() + at);
        if (length > quint32(bytes.size() - at - 12))
            return std::nullopt;
        const QByteArray type = bytes.mid(at + 4, 4);
        const char* body = bytes.constData() + at + 8;
        if (type == "IHDR" && length >= 13) {
            png.size = QSize(int(bigEndian32(body)), int(bigEndian32(body + 4)));
            colours = body[9];
            if (body[8] != 8 || body[12] != 0 || (colours != 2 && colours != 3))
                return std::nullopt;
        } else if (type == "PLTE") {
            png.palette = QByteArray(body, qsizetype(length));
        } else if (type == "tRNS") {
            return std::nullopt;
        } else if (type == "IDAT") {
            png.rows.append(body, qsizetype(length));
        } else if (type == "IEND") {
            break;
        }
        at += 12 + qsizetype(length);
    }
    const bool paletteFits =
        colours == 2 || (!png.palette.isEmpty() && png.palette.size() % 3 == 0 && png.palette.size() <= 3 * 256);
    if (colours < 0 || png.rows.isEmpty() || !paletteFits)
        return std::nullopt;
    return png;
}

// The file's own compressed rows with the PNG predictor a PDF reads: nothing decoded here, nothing compressed again.
bool replaceByPngRows(QPDFObjectHandle image, const Source& source)
{
    QFile file(source.path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<PngRows> png = pngRows(file.readAll());
    if (!png || png->size != source.size)
        return false;
    QPDFObjectHandle dict = image.getDict();
    if (png->palette.isEmpty()) {
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
    } else {
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::parse("[/Indexed /DeviceRGB " +
                                                               std::to_string(png->palette.size() / 3 - 1) + " null]"));
        dict.getKey("/ColorSpace").setArrayItem(3, QPDFObjectHandle::newString(png->palette.toStdString()));
    }
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    dict.removeKey("/Decode");
    QPDFObjectHandle parameters = QPDFObjectHandle::newDictionary();
    parameters.replaceKey("/Predictor", QPDFObjectHandle::newInteger(15));
    parameters.replaceKey("/Colors", QPDFObjectHandle::newInteger(png->palette.isEmpty() ? 3 : 1));
    parameters.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    parameters.replaceKey("/Columns", QPDFObjectHandle::newInteger(png->size.width()));
    image.replaceStreamData(png->rows.toStdString(), QPDFObjectHandle::newName("/FlateDecode"), parameters);
    return true;
}

// Unfiltered here: the writer compresses it with Flate.
bool replaceByLossless(QPDFObjectHandle image, Source& source)
{
    if (source.format == "png" && replaceByPngRows(image, source))
        return true;
    const QImage& pixels = pixelsOf(source);
    if (pixels.isNull() || pixels.size() != source.size)
        return false;
    QPDFObjectHandle dict = image.getDict();
    std::string data;
    if (pixels.format() == QImage::Format_Indexed8 && pixels.colorCount() > 0 && pixels.colorCount() <= 256) {
        std::string palette;
        for (const QRgb colour : pixels.colorTable())
            palette += {char(qRed(colour)), char(qGreen(colour)), char(qBlue(colour))};
        data.reserve(size_t(pixels.width()) * size_t(pixels.height()));
        for (int y = 0; y < pixels.height(); ++y)
            data.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), size_t(pixels.width()));
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::parse("[/Indexed /DeviceRGB " +
                                                               std::to_string(pixels.colorCount() - 1) + " null]"));
        dict.getKey("/ColorSpace").setArrayItem(3, QPDFObjectHandle::newString(palette));
    } else {
        const QImage rgb = pixels.convertToFormat(QImage::Format_RGB888);
        data.reserve(size_t(rgb.width()) * size_t(rgb.height()) * 3);
        for (int y = 0; y < rgb.height(); ++y)
            data.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), size_t(rgb.width()) * 3);
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
    }
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    dict.removeKey("/Decode");
    dict.removeKey("/DecodeParms");
    image.replaceStreamData(data, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    return true;
}
} // namespace

int restoreSourcePictures(QPDF& pdf, const QStringList& paths)
{
    std::vector<Source> sources = readableSources(paths);
    if (sources.empty())
        return 0;
    std::set<QPDFObjGen> seen;
    std::vector<QPDFObjectHandle> images;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        forEachImage(page.getAttribute("/Resources", false), seen, [&images](QPDFObjectHandle& image) {
            if (image.getDict().getKey("/Filter").isNameAndEquals("/DCTDecode"))
                images.push_back(image);
        });
    int replaced = 0;
    for (QPDFObjectHandle& image : images) {
        if (isStoredAsSource(image, sources))
            continue;
        Source* source = matchingSource(image, sources);
        if (!source)
            continue;
        if (source->format == "jpeg" ? replaceByJpeg(image, *source) : replaceByLossless(image, *source))
            ++replaced;
    }
    return replaced;
}
} // namespace orvanta::finish
