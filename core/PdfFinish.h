#pragma once

#include <QString>
#include <QStringList>

class QPDF;

/** What a finished PDF says about itself. */
struct PdfMetadata {
    QString title;
    QString subject;
    /** A BCP 47 tag such as "en" or "de-CH". */
    QString language;
};

/** The product name and version every finished PDF names as its creator and producer. */
QString pdfCreatorName();

/** The page's language: the lang of its <html> element, else "en". */
QString pageLanguage(const QString& pageText);

/** Text shown as a plain title: tags dropped, the common entities read, blanks folded. */
QString plainTitle(const QString& html);

/**
 * Writes @p metadata into @p pdf's document information and as XMP metadata that agree, with the document's
 * language and the viewer asked to show the title instead of the file name.
 */
void writeMetadata(QPDF& pdf, const PdfMetadata& metadata);

/**
 * Replaces each picture the converter re-encoded as JPEG by its source's own pixels: a PNG or GIF as a lossless
 * stream (indexed where the source is), a JPEG by the source's own bytes. A picture is matched to its source by
 * its pixel size, and by its look where sizes agree; one that matches no source is left as it is. Returns how
 * many were replaced.
 */
int restoreSourcePictures(QPDF& pdf, const QStringList& sources);

/** What the one qpdf pass over a converted PDF does. */
struct PdfPass {
    /** Trim the blank tail of the last page. */
    bool fit = false;
    /** Write the document's metadata; an empty title leaves the metadata as the converter wrote it. */
    bool metadata = false;
    PdfMetadata about;
    /** The pictures the converter read, to restore their own pixels in the PDF. */
    QStringList sources;
};

struct PdfPassResult {
    /** False when the PDF was left as the converter wrote it. */
    bool ok = false;
    /** The last page was trimmed. */
    bool trimmed = false;
    /** Why the PDF kept its full length, when fitting was asked for and failed. */
    QString fitNote;
    QString error;
};

/** Opens the PDF once, makes every change @p pass asks for and writes it once, whole, over itself. */
PdfPassResult finishPdfFile(const QString& pdfPath, const PdfPass& pass);
