#pragma once

#include <QList>
#include <QString>

class QPDF;

/** A book's bookmark: a part's title and its page, counted from 1. */
struct BookMark {
    QString title;
    int page = 0;
};

/** What a book's PDF is labelled with: its front matter's count and its parts' bookmarks. */
struct BookMarks {
    /** The cover and contents, labelled i, ii …; the pages after keep their own numbers, 3, 4 … as printed. */
    int frontPages = 0;
    QList<BookMark> marks;
};

namespace orvanta::finish {
/**
 * Writes @p book's page labels and an outline of one bookmark per part over the engine's; true when it changed
 * @p pdf. A bookmark to a page the PDF has not is left out.
 */
bool writeBookLabels(QPDF& pdf, const BookMarks& book);
} // namespace orvanta::finish
