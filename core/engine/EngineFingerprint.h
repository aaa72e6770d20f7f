#pragma once

#include "PdfEngine.h"

#include <QString>

namespace orvanta::engine {
/** What @p engine makes a PDF with, as that engine says: a changed option or program changes it. */
QString engineFingerprint(const QString& app, PdfEngine engine);
/** A program's size and time of change: an update changes it. */
QString programStamp(const QString& program);
} // namespace orvanta::engine
