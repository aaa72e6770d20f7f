#pragma once

class QPDF;

namespace orvanta::finish {
/**
 * Wraps everything @p pdf's pages paint outside marked content (backgrounds, borders, running heads) as artifacts,
 * so a screen reader passes over it; tagged content and its ids stay as they are. Returns how many were wrapped.
 */
int markArtifacts(QPDF& pdf);
} // namespace orvanta::finish
