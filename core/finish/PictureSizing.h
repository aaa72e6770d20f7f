#pragma once

#include "PictureWidths.h"

#include <QSize>
#include <QString>

/** No picture is decoded into more memory than this; a bigger one is passed on as it is. */
constexpr int PictureDecodeLimitMb = 256;

namespace orvanta::finish {
/**
 * The size a picture of @p shownSize (upright, as it is shown) is scaled to, or an empty size when it is small
 * enough to be passed on as it is.
 */
QSize sizedPictureSize(const QSize& shownSize, int maxWidthPx = SizedPictureWidthPx);
} // namespace orvanta::finish

struct SizedPicture {
    enum class Outcome { Scaled, Kept, Failed };
    Outcome outcome = Outcome::Failed;
    /** Why the picture was passed on unchanged, or what could not be written. */
    QString note;
};

namespace orvanta::finish {
/**
 * Passes @p source on to @p target as it is, a hard link where it can be and a copy otherwise, with @p why as the
 * note. Failed only when neither could be made.
 */
SizedPicture passOnUnchanged(const QString& source, const QString& target, const QString& why);

/**
 * Writes at @p target the picture @p source as the converter should see it: scaled down smoothly, upright and in
 * its colours, photos as JPEG of quality 85 and drawings losslessly, when it is much larger than the page shows
 * it; otherwise the same bytes. Never touches @p source. Failed only when @p target could not be written.
 */
SizedPicture sizePicture(const QString& source, const QString& target, int maxWidthPx = SizedPictureWidthPx);

/** How many colour components the frame of the JPEG starting @p head holds, or 0 when no frame is found there. */
int jpegComponentCount(const QByteArray& head);

/** True for a JPEG whose frame holds four colour components (CMYK), which is passed on as it is. */
bool isFourComponentJpeg(const QByteArray& head);
} // namespace orvanta::finish
