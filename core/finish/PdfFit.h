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
 * Makes the last page of the PDF at @p pdfPath end @ref FitMarginMm below its content: the page's
 * boxes are moved up, nothing of its content or links is rewritten, earlier pages stay whole. The
 * trimmed file is written beside the original and renamed over it only when whole; on any failure the
 * original stays as it was and the result names what failed. Needs no display.
 */
FitResult fitPdfToContent(const QString& pdfPath);

/**
 * Moves the boxes of @p last, the last page of @p pdf, as @ref fitPdfToContent does, in @p pdf only; nothing is
 * written. @p pdfPath names the PDF in the error.
 */
FitResult fitLastPage(QPDF& pdf, QPDFPageObjectHelper& last, const QString& pdfPath);
