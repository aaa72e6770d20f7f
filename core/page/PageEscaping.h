#pragma once

#include <QString>

namespace orvanta::page {
/** @p text safe as an element's text and inside a quoted attribute; no placeholder survives in it. */
QString escaped(const QString& text);

/** The references escaped() writes, and the few other common ones, read back; anything else stays as it is. */
QString unescaped(const QString& text);
} // namespace orvanta::page
