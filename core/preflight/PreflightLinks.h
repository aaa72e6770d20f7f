#pragma once

#include "PreflightChecks.h"
#include "PreflightPdf.h"

#include <optional>

namespace orvanta::preflight {
/** The link of @p facts that opens @p link, as a reader can see and click it or (with @p clickable false) not. */
std::optional<PdfLink> linkInPdf(const PdfFacts& facts, const QString& link, bool clickable = true);

/** Each of the page's links is clickable in the PDF, with its tracking tags. */
void checkLinks(const PreflightInput& input, const PdfFacts& facts, PreflightChecks& checks);
/** No offer link goes round the short link. */
void checkShortLink(const PreflightInput& input, const PdfFacts& facts, PreflightChecks& checks);
/** The buy button opens a web address. */
void checkBuyLink(const PreflightInput& input, PreflightChecks& checks);
} // namespace orvanta::preflight
