#pragma once

#include <QString>

class QPDF;
class QPDFPageObjectHelper;

struct FitResult {
    bool ok = false;
    /** False when the page already ended at its content, so the file was left as it was. */
    bool trimmed = false;
    QString error;
};

/** The blank space left below the content of a fitted last page, in millimetres. */
constexpr double FitMarginMm = 10.0;

/**
 * Makes @p last, the last page of @p pdf, end @ref FitMarginMm below its content: the page's boxes are moved up,
 * nothing of its content or links is rewritten, earlier pages stay whole. Nothing is written; @p pdfPath names the
 * PDF in the error. Needs no display.
 */
FitResult fitLastPage(QPDF& pdf, QPDFPageObjectHelper& last, const QString& pdfPath);
