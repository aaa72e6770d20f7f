#pragma once

#include "PageWords.h"

#include <QString>

struct QrCodeResult {
    /** The code as an SVG document; empty when it could not be made. */
    QString svg;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

namespace QrCode {
/** What a code at error correction level M holds in bytes, the most of any size. */
constexpr int maxBytes = 2331;

/**
 * @p text (as UTF-8) as a QR code at error correction level M: one path of squares on a light square with a quiet
 * zone of four modules, drawn sharp at any size. @p label is its spoken and shown alternative; @p size, when
 * given, its width and height ("3cm").
 */
QrCodeResult svg(const QString& text, const QString& label, const QString& size = QString());

/**
 * The code of @p link as the page shows it beside the call to action: about 3 cm square, light around, described
 * in the page's @p words.
 */
QrCodeResult pageBlock(const QString& link, const PageWords& words = PageWordTables::of(QString()));
} // namespace QrCode
