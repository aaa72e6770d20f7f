#include "PictureSizing.h"

#include "FinishTr.h"
#include "SizedPictureCache.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <filesystem>
#include <optional>
#include <system_error>

using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
bool rotatesQuarter(QImageIOHandler::Transformations turn)
{
    return turn.testFlag(QImageIOHandler::TransformationRotate90);
}

// Photos as JPEG of quality 85, the rest losslessly; empty when it could not be encoded.
QByteArray encoded(QImage image, const QSize& wanted, bool photo)
{
    if (image.width() != wanted.width())
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, photo ? "jpeg" : "png");
    if (photo) {
        writer.setQuality(85);
        if (image.hasAlphaChannel())
            image = image.convertToFormat(QImage::Format_RGB32);
    }
    return writer.write(image) ? bytes : QByteArray();
}

// The very bytes sized before give the same copy without decoding again; empty, with @p why, when none was made.
QByteArray smallerCopy(QImageReader& reader, const QString& source, const QSize& wanted, bool quarter, int maxWidthPx,
                       QString& why)
{
    // A picture too large to keep is not read twice to look it up.
    QFile file(source);
    const bool keepable = file.size() <= SizedPictureCache::DefaultBudgetBytes / 4;
    const QByteArray bytes = keepable && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QByteArray format = reader.format();
    SizedPictureCache& cache = SizedPictureCache::shared();
    if (const std::optional<QByteArray> kept = bytes.isEmpty() ? std::nullopt : cache.find(bytes, maxWidthPx, format))
        return *kept;
    // JPEGs decode straight at a fraction of their size; the rest decode whole, within the limit.
    QImageReader::setAllocationLimit(PictureDecodeLimitMb);
    reader.setScaledSize(quarter ? wanted.transposed() : wanted);
    reader.setQuality(100);
    const QImage image = reader.read();
    if (image.isNull()) {
        why = reader.errorString();
        return {};
    }
    const QByteArray sized = encoded(image, wanted, format == "jpeg");
    if (sized.isEmpty())
        why = FinishTr::tr("the smaller copy could not be written");
    else if (!bytes.isEmpty())
        cache.keep(bytes, maxWidthPx, format, sized);
    return sized;
}

QByteArray headOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : QByteArray();
}
} // namespace

// A hard link costs nothing and keeps the bytes; the converter reads it like the file itself, and it is no
// symbolic link that the converter's folder check would follow out of the folder.
SizedPicture passOnUnchanged(const QString& source, const QString& target, const QString& why)
{
    std::error_code failure;
    std::filesystem::create_hard_link(QFile::encodeName(source).toStdString(), QFile::encodeName(target).toStdString(),
                                      failure);
    if (!failure || QFile::copy(source, target))
        return {SizedPicture::Outcome::Kept, why};
    return {SizedPicture::Outcome::Failed,
            FinishTr::tr("The picture %1 could not be passed to the converter.").arg(source)};
}

QSize sizedPictureSize(const QSize& shownSize, int maxWidthPx)
{
    if (!shownSize.isValid() || shownSize.width() <= maxWidthPx)
        return {};
    const qint64 height = (qint64(shownSize.height()) * maxWidthPx + shownSize.width() / 2) / shownSize.width();
    return {maxWidthPx, int(qMax<qint64>(1, height))};
}

// Baseline or progressive frame headers carry the component count after length, precision, height and width.
int jpegComponentCount(const QByteArray& head)
{
    if (!head.startsWith("\xFF\xD8"))
        return 0;
    int at = 2;
    while (at + 9 < head.size()) {
        if (uchar(head[at]) != 0xFF)
            return 0;
        const uchar marker = uchar(head[at + 1]);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const int length = (uchar(head[at + 2]) << 8) | uchar(head[at + 3]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame)
            return uchar(head[at + 9]);
        at += 2 + length;
    }
    return 0;
}

bool isFourComponentJpeg(const QByteArray& head)
{
    return jpegComponentCount(head) == 4;
}

SizedPicture sizePicture(const QString& source, const QString& target, int maxWidthPx)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    const QSize stored = reader.size();
    if (!stored.isValid())
        return passOnUnchanged(source, target, FinishTr::tr("not a picture Qt can read"));
    if (reader.supportsAnimation() && reader.imageCount() > 1)
        return passOnUnchanged(source, target, FinishTr::tr("animated"));
    if (format == "jpeg" && isFourComponentJpeg(headOf(source)))
        return passOnUnchanged(source, target, FinishTr::tr("CMYK"));
    const bool quarter = rotatesQuarter(reader.transformation());
    const QSize shown = quarter ? stored.transposed() : stored;
    const QSize wanted = sizedPictureSize(shown, maxWidthPx);
    if (wanted.isEmpty())
        return passOnUnchanged(source, target, FinishTr::tr("small enough"));
    QString why;
    const QByteArray sized = smallerCopy(reader, source, wanted, quarter, maxWidthPx, why);
    if (sized.isEmpty())
        return passOnUnchanged(source, target, why);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(sized) != sized.size() || !out.commit())
        return passOnUnchanged(source, target, FinishTr::tr("the smaller copy could not be written"));
    return {SizedPicture::Outcome::Scaled, QString()};
}
} // namespace orvanta::finish
