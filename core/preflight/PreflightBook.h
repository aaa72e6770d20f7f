#pragma once

#include "BookPage.h"

#include <QString>
#include <QStringList>

/** What a book's PDF is checked against besides a page's own checks. */
struct BookPreflightInput {
    BookHeadings headings;
    /** Each chapter's Buy link, in the chapters' order. */
    QStringList links;
    QString disclosure;
};

namespace orvanta::preflight {
/**
 * A book's own checks of its PDF at @p pdfPath: the contents' numbers are the pages its chapters begin on, each
 * chapter holds its own link, and the disclosure stands on the cover or the first page of text. One line per failed
 * check; reads only.
 */
QStringList bookPreflight(const QString& pdfPath, const BookPreflightInput& input);
} // namespace orvanta::preflight
