#pragma once

#include "Result.h"

#include <QString>
#include <QStringList>

namespace orvanta::files {
/** The picture types the image picker offers, as lower-case file suffixes without the dot ("jpg" and "jpeg"). */
const QStringList& pictureSuffixes();

/** True when @p fileName ends in one of the picture suffixes, in any letter case. */
bool hasPictureSuffix(const QString& fileName);

/**
 * A file dialog's patterns for each picture type, in the picker's order (JPG, GIF, PNG): every suffix of the type in
 * lower and in upper case, such as "*.jpg *.jpeg *.JPG *.JPEG", since a dialog may match letter case exactly.
 */
QStringList picturePatterns();

/**
 * Whether @p path may be shown as a picture: an existing regular file (or a link to one) named with a picture
 * suffix whose content is a JPEG, GIF or PNG image. The kind of file is known before it is opened, so a pipe
 * or a device named like a picture never blocks.
 */
Result<void> checkPicture(const QString& path);
} // namespace orvanta::files
