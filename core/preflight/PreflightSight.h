#pragma once

#include "PreflightPdf.h"
#include "PreflightText.h"

/** The smallest text a reader reads on a page, in points; a link's spot must be as large on each side. */
constexpr double MinReadablePt = 6;
/** The least contrast against its background at which a reader still sees text at all. */
constexpr double MinVisibleContrast = 3;

namespace orvanta::preflight {
/** Whether a reader can see @p run: large enough, standing out from what lies under it, and on its page. */
bool isReadable(const PdfTextRun& run);

/** Whether a reader can see and click @p link: on its page, shown, and at least the size of a line of text. */
bool isClickable(const PdfLink& link);

/**
 * Whether every stretch of @p found is drawn in runs a reader can see and shows in a rendering of its page; text
 * the drawing does not show, or paints over, is not.
 */
bool isReadable(const PdfFacts& facts, const FoundText& found);
} // namespace orvanta::preflight
