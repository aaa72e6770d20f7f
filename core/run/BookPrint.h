#pragma once

#include "BookLabels.h"
#include "BookOutline.h"
#include "BookPage.h"
#include "PdfEngine.h"
#include "Result.h"

#include <QList>
#include <QString>

class EngineStarter;

/**
 * A book printed until its contents' numbers stand: each print's outline says where the chapters landed, the numbers
 * go into the page and it is printed again, until a print moves nothing.
 */
class BookPasses final {
public:
    /** A book that has not settled after this many prints is not delivered. */
    static constexpr int MostPrints = 3;

    explicit BookPasses(BookHeadings headings);

    /**
     * After each print of @p pdfPath from @p htmlPath: false when the numbers the page holds are the chapters' pages,
     * true when they were written into the page for another print; a failure when they did not settle.
     */
    Result<bool> afterPrint(const QString& pdfPath, const QString& htmlPath);
    /** The labels and bookmarks of the last print. */
    BookMarks marks() const;
    int prints() const { return m_prints; }

private:
    BookHeadings m_headings;
    QList<int> m_written;
    BookPages m_pages;
    int m_prints = 0;
};

namespace orvanta::run {
/** Chromium for a book, whichever engine was asked for; without it, a failure that names the package to install. */
Result<ChosenEngine> bookEngine(const EngineStarter& engines, const QString& app, PdfEngine wanted);
} // namespace orvanta::run
