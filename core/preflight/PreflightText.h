#pragma once

#include "PreflightPdf.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

/** One line's stretch of a text found in a PDF: its page and its rectangle, counted as a place is. */
struct TextArea {
    int page = 0;
    QRectF rect;
};

/** A text found in a PDF's text, by the stretches it covers; whether a reader sees it is the drawing's word. */
struct FoundText {
    QList<TextArea> areas;
    /** A rendering of its pages shows its letters at each stretch: nothing painted over them, nor faded out. */
    bool inked = true;

    PagePlace place() const
    {
        return areas.isEmpty() ? PagePlace{} : PagePlace{areas.first().page, areas.first().rect.top()};
    }
};

/** What the preflight reads of a PDF's text, as a reader's viewer would find it. */
struct PdfTextFacts {
    /** Empty when the PDF's text could be read. */
    QString error;
    /** Every place the title stands, in reading order. */
    QList<FoundText> titles;
    /** Every place one of the wordings looked for stands, in reading order. */
    QList<FoundText> wordings;
};

namespace orvanta::preflight {
/**
 * Reads the text of the PDF @p pdf (named @p path in messages) with Qt's PDF module: where @p title stands in it
 * and where each of @p wordings stands, compared as a screen reader reads them (see placesOf()).
 */
PdfTextFacts readPdfText(const QByteArray& pdf, const QString& path, const QString& title, const QStringList& wordings);
} // namespace orvanta::preflight
