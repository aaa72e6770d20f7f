#pragma once

#include "BookPage.h"
#include "Result.h"

#include <QList>
#include <QString>

/** Where a printed book's parts landed, by their headings in the PDF's outline; pages count from 1. */
struct BookPages {
    int count = 0;
    /** The cover and contents: the pages before the first part after the contents. */
    int frontPages = 0;
    int contents = 0;
    int introduction = 0; ///< 0 for none
    QList<int> chapters;
};

namespace orvanta::preflight {
/** Reads the outline of the PDF at @p pdfPath; a heading of @p headings not found there is a failure naming it. */
Result<BookPages> bookPagesOf(const QString& pdfPath, const BookHeadings& headings);
} // namespace orvanta::preflight
