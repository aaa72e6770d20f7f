#pragma once

#include <QString>

class QPDF;

namespace orvanta::finish {
/**
 * Gives each link annotation of @p pdf without a description one, for a screen reader: the text under it as
 * @p pdfPath (the file as the engine wrote it) draws it, else the alt text of the picture its Link element holds.
 * A link with neither stays undescribed, for the rules to name. Returns how many were described.
 */
int describeLinks(QPDF& pdf, const QString& pdfPath);
} // namespace orvanta::finish
