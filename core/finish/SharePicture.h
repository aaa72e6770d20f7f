#pragma once

#include "Result.h"

#include <QString>

namespace orvanta::finish {
/**
 * Renders the top of @p pdfPath's first page, its full width, as a picture of the share kit's size and saves it as
 * a PNG at @p pngPath, whole or not at all; true when it did. A PDF that cannot be read or drawn gives false: the
 * page is shared without a picture; a picture that cannot be written is a failure, naming the file.
 */
Result<bool> saveSharePicture(const QString& pdfPath, const QString& pngPath);
} // namespace orvanta::finish
