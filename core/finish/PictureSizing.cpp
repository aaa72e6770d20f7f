#include "PictureSizing.h"

#include "FinishTr.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
bool rotatesQuarter(QImageIOHandler::Transformations turn)
{
    return turn.testFlag(QImageIOHandler::TransformationRotate90);
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
    // JPEGs decode straight at a fraction of their size; the rest decode whole, within the limit.
    QImageReader::setAllocationLimit(PictureDecodeLimitMb);
    reader.setScaledSize(quarter ? wanted.transposed() : wanted);
    reader.setQuality(100);
    QImage image = reader.read();
    if (image.isNull())
        return passOnUnchanged(source, target, reader.errorString());
    if (image.width() != wanted.width())
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const bool photo = format == "jpeg";
    QSaveFile out(target);
    QImageWriter writer(&out, photo ? "jpeg" : "png");
    if (photo) {
        writer.setQuality(85);
        if (image.hasAlphaChannel())
            image = image.convertToFormat(QImage::Format_RGB32);
    }
    if (!out.open(QIODevice::WriteOnly) || !writer.write(image) || !out.commit())
        return passOnUnchanged(source, target, FinishTr::tr("the smaller copy could not be written"));
    return {SizedPicture::Outcome::Scaled, QString()};
}
} // namespace orvanta::finish
