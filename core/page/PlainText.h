#pragma once

#include <QString>

namespace orvanta::page {
/** Text shown as a plain title: tags dropped, the common entities read, blanks folded. */
QString plainTitle(const QString& html);
} // namespace orvanta::page
