#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

/**
 * A place on a page, for telling what comes first when read: in points below the top of the page's visible box,
 * which stays where it is when the last page is fitted.
 */
struct PagePlace {
    int page = 0;
    double top = 0;

    bool isBefore(const PagePlace& other) const { return page < other.page || (page == other.page && top < other.top); }
};

/** A link annotation of the PDF: the address it opens and where it stands. */
struct PdfLink {
    QString uri;
    PagePlace place;
    /** Its area, counted as its place is. */
    QRectF area;
    /** On its page and not hidden from view. */
    bool shown = true;
};

/** A run of text as drawn: where it starts, how large it stands and how it stands out. */
struct PdfTextRun {
    int page = 0;
    /** Where its baseline starts, counted as a place is. */
    QPointF origin;
    /** Its height on the page: the font's size scaled as the drawing scales it. */
    double sizePt = 0;
    /** Its colour against what is drawn under it; the most there is where either colour is not known. */
    double contrast = 21;
    /** On its page, in a mode that paints it. */
    bool shown = true;
};

/** A picture drawn in the PDF: its own pixels and the widest it is drawn, in points. */
struct PdfPicture {
    QSize pixels;
    double shownWidthPt = 0;
};

/** What the preflight reads of a PDF's structure, in one pass over it. */
struct PdfFacts {
    /** Empty when the PDF could be read. */
    QString error;
    /** Links that open an address; a link annotation without one is not a link a reader can click. */
    QList<PdfLink> links;
    /** Fonts drawn without their glyphs in the file, by name, each once. */
    QStringList unembeddedFonts;
    QString title;
    QString language;
    QList<PdfPicture> pictures;
    /** The PDF carries a structure tree, so pictures may carry descriptions. */
    bool tagged = false;
    int figuresWithoutDescription = 0;
    /** Every run of text, page by page in drawing order. */
    QList<PdfTextRun> textRuns;
};

namespace orvanta::preflight {
/** Each page's visible box, the crop box within the media box, in the page's own space; empty if unreadable. */
QList<QRectF> pageBoxes(const QByteArray& pdf);

/**
 * A one-page PDF whose box starts @p bottom above its space's origin, with one letter drawn at @p baseline: what a
 * reader of PDFs makes of such a box can be asked of it.
 */
QByteArray raisedBoxPdf(double bottom, double baseline);

/** Reads the facts of the PDF at @p path with qpdf; never writes. */
PdfFacts readPdfFacts(const QString& path);
} // namespace orvanta::preflight
