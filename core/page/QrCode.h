#pragma once

#include "PageWords.h"
#include "Result.h"

#include <QString>

namespace orvanta::page {
namespace QrCode {
/** What a code at error correction level M holds in bytes, the most of any size. */
constexpr int maxBytes = 2331;

/**
 * @p text (as UTF-8) as a QR code at error correction level M: one path of squares on a light square with a quiet
 * zone of four modules, drawn sharp at any size. @p label is its spoken and shown alternative; @p size, when
 * given, its width and height ("3cm"). The code is an SVG document.
 */
Result<QString> svg(const QString& text, const QString& label, const QString& size = QString());

/**
 * The code of @p link as the page shows it beside the call to action: about 3 cm square, light around, described
 * in the page's @p words.
 */
Result<QString> pageBlock(const QString& link, const PageWords& words = orvanta::page::PageWordTables::of(QString()));
} // namespace QrCode
} // namespace orvanta::page
