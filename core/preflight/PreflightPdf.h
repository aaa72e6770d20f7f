#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

/** A place on a page, in points from the page's top, for telling what comes first when read. */
struct PagePlace {
    int page = 0;
    double top = 0;

    bool isBefore(const PagePlace& other) const { return page < other.page || (page == other.page && top < other.top); }
};

/** A clickable link of the PDF: the address it opens and where it stands. */
struct PdfLink {
    QString uri;
    PagePlace place;
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
};

/** Reads the facts of the PDF at @p path with qpdf; never writes. */
PdfFacts readPdfFacts(const QString& path);
