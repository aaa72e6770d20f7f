#pragma once

#include <QString>

/** Text shown as a plain title: tags dropped, the common entities read, blanks folded. */
QString plainTitle(const QString& html);
