#pragma once

#include "PlainText.h"

#include <QString>

class QPDF;

/** What a finished PDF says about itself. */
struct PdfMetadata {
    QString title;
    QString subject;
    /** A BCP 47 tag such as "en" or "de-CH". */
    QString language;
    /** Declared accessible in the XMP: only for a PDF that passed every rule it can be judged by. */
    bool accessible = false;
};

namespace orvanta::finish {
/** The product name and version every finished PDF names as its creator and producer. */
QString pdfCreatorName();

/** The page's language: the lang of its <html> element, else "en". */
QString pageLanguage(const QString& pageText);

/**
 * Writes @p metadata into @p pdf's document information and as XMP metadata that agree, with the document's
 * language and the viewer asked to show the title instead of the file name.
 */
void writeMetadata(QPDF& pdf, const PdfMetadata& metadata);
} // namespace orvanta::finish
