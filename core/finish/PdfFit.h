#pragma once

#include "Result.h"

#include <QString>

class QPDF;
class QPDFPageObjectHelper;

/** The blank space left below the content of a fitted last page, in millimetres. */
constexpr double FitMarginMm = 10.0;

namespace orvanta::finish {
/**
 * Makes @p last, the last page of @p pdf, end @ref FitMarginMm below its content: the page's boxes are moved up,
 * nothing of its content or links is rewritten, earlier pages stay whole. Nothing is written; @p pdfPath names the
 * PDF in the failure. Needs no display. Gives false when the page already ended at its content.
 */
Result<bool> fitLastPage(QPDF& pdf, QPDFPageObjectHelper& last, const QString& pdfPath);
} // namespace orvanta::finish
