#include "BookPrint.h"

#include "BookOutline.h"
#include "EngineStarter.h"
#include "FileToolkit.h"
#include "Leftovers.h"
#include "RunTr.h"

#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::preflight;
using namespace orvanta::run;

BookPasses::BookPasses(BookHeadings headings)
    : m_headings(std::move(headings))
{
}

Result<bool> BookPasses::afterPrint(const QString& pdfPath, const QString& htmlPath)
{
    ++m_prints;
    const Result<BookPages> pages = bookPagesOf(pdfPath, m_headings);
    if (!pages)
        return pages.failure();
    m_pages = pages.value();
    if (pages->chapters == m_written)
        return false;
    if (m_prints >= MostPrints)
        return fail(RunTr::tr("The book's page numbers did not settle after %1 prints: a chapter moved each time the "
                              "contents were numbered. Shorten a long chapter title, then make the book again.")
                        .arg(MostPrints));
    const Result<QByteArray> page = readBounded(htmlPath, 64 * 1024 * 1024);
    if (!page)
        return page.failure();
    m_written = pages->chapters;
    const QByteArray numbered = BookPage::withNumbers(QString::fromUtf8(page.value()), m_written).toUtf8();
    const Result<void> written = replaceBeside(
        htmlPath, numbered,
        Leftovers::privateTemplate(QFileInfo(htmlPath).absolutePath(), QStringLiteral("book"), QStringLiteral(".html")),
        QFile::permissions(htmlPath));
    if (!written)
        return fail(RunTr::tr("The book's contents could not be numbered in %1: %2").arg(htmlPath, written.error()));
    return true;
}

BookMarks BookPasses::marks() const
{
    BookMarks book;
    book.frontPages = m_pages.frontPages;
    // The preflight finds the parts by these, as it found them in the engine's outline.
    book.marks << BookMark{m_headings.contents, m_pages.contents};
    if (m_pages.introduction > 0)
        book.marks << BookMark{m_headings.introduction, m_pages.introduction};
    for (qsizetype i = 0; i < m_written.size() && i < m_headings.chapters.size(); ++i)
        book.marks << BookMark{m_headings.chapters.at(i), m_written.at(i)};
    return book;
}

namespace orvanta::run {
Result<ChosenEngine> bookEngine(const EngineStarter& engines, const QString& app, PdfEngine wanted)
{
    if (!engines.isInstalled(app, PdfEngine::Chromium))
        return fail(RunTr::tr("A book is printed with Chromium, which is not installed, so no book was made. Install "
                              "the package \"chromium-headless-shell\" or \"chromium\"."));
    if (wanted == PdfEngine::Chromium)
        return ChosenEngine{PdfEngine::Chromium, {}};
    return ChosenEngine{PdfEngine::Chromium,
                        RunTr::tr("A book is printed with Chromium, as wkhtmltopdf cannot number its pages or tag it; "
                                  "the PDF was made with Chromium.")};
}
} // namespace orvanta::run
