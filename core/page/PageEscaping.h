#pragma once

#include <QString>

namespace orvanta::page {
/** @p text safe as an element's text and inside a quoted attribute; no placeholder survives in it. */
QString escaped(const QString& text);

/** Every character reference of HTML read back (named or numbered, "&nbsp;" as a blank); anything else stays. */
QString unescaped(const QString& text);
} // namespace orvanta::page
