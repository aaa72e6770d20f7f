#pragma once

#include <QStringList>

class QPDF;

namespace orvanta::preflight {
/**
 * The rules of an accessible PDF that a machine can judge, each one @p pdf fails named in a few words: language,
 * title shown and in the XMP, marked and tagged, every mark tagged or an artifact, figures with alt, links in Link
 * elements and described, headings from level one without a skip, header cells with a scope, fonts embedded and
 * tab order by structure. Empty when it passes them all.
 */
QStringList accessibleFailures(QPDF& pdf);
} // namespace orvanta::preflight
