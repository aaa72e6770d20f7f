#pragma once

#include "BookLabels.h"
#include "PdfMetadata.h"
#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPDF;

/** What the one qpdf pass over a converted PDF does. */
struct PdfPass {
    /** Trim the blank tail of the last page. */
    bool fit = false;
    /** Write the document's metadata; an empty title leaves the metadata as the converter wrote it. */
    bool metadata = false;
    PdfMetadata about;
    /** The pictures the converter read, to restore their own pixels in the PDF. */
    QStringList sources;
    /**
     * Called once the page was drawn to find its end, before anything is written: Qt's PDF reader, which draws
     * one page at a time for the whole program, is free from then on, and the file is still the engine's.
     */
    std::function<void()> drawn;
    /** A book's labels and bookmarks, written last. */
    std::optional<BookMarks> book;
};

/** What a pass that wrote the PDF, or had nothing to write, did. */
struct PassDone {
    /** The last page was trimmed. */
    bool trimmed = false;
    /** Why the PDF kept its full length, when fitting was asked for and only that failed. */
    QString fitNote;
    /** The PDF was tagged by its engine, so its marks were made artifacts and it was judged for accessibility. */
    bool tagged = false;
    /** The accessibility rules a tagged PDF failed; none when it was declared accessible. */
    QStringList accessibleMissing;
};

namespace orvanta::finish {
/**
 * Opens the PDF once, makes every change @p pass asks for and writes it once, whole, over itself. On a failure the
 * PDF is left as the converter wrote it, and the message also says why it kept its full length.
 */
Result<PassDone> runPdfPass(const QString& pdfPath, const PdfPass& pass);

/**
 * The bytes of @p pdf as written. A copy for drawing only may keep its streams as stored: decoding and compressing
 * the fonts again would cost more than the drawing.
 */
QByteArray writePdfToMemory(QPDF& pdf, bool streamsAsStored = false);
} // namespace orvanta::finish
