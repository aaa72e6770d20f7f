#pragma once

#include <QString>

struct SharePictureResult {
    enum class Status { Saved, NoPicture, Failed };
    Status status = Status::Failed;
    /** Why there is no picture, or what could not be written, naming the file. */
    QString error;
};

/**
 * Renders the top of @p pdfPath's first page, its full width, as a picture of the share kit's size and saves it as
 * a PNG at @p pngPath, whole or not at all. A PDF that cannot be read or drawn gives NoPicture: the page is shared
 * without a picture; a picture that cannot be written is a failure.
 */
SharePictureResult saveSharePicture(const QString& pdfPath, const QString& pngPath);
