#pragma once

#include <QStringList>

class QPDF;

namespace orvanta::finish {
/**
 * Replaces each picture the converter re-encoded as JPEG by its source's own pixels: a PNG or GIF as a lossless
 * stream (indexed where the source is), a JPEG by the source's own bytes. A picture is matched to its source by
 * its pixel size, and by its look where sizes agree; one that matches no source is left as it is. Returns how
 * many were replaced.
 */
int restoreSourcePictures(QPDF& pdf, const QStringList& sources);
} // namespace orvanta::finish
