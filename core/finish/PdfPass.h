#pragma once

#include "PdfMetadata.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

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
PdfPassResult runPdfPass(const QString& pdfPath, const PdfPass& pass);

/**
 * The bytes of @p pdf as written. A copy for drawing only may keep its streams as stored: decoding and compressing
 * the fonts again would cost more than the drawing.
 */
QByteArray writePdfToMemory(QPDF& pdf, bool streamsAsStored = false);
