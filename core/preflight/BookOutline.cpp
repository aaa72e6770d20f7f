#include "BookOutline.h"

#include "PreflightTr.h"

#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <map>

using namespace orvanta::files;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
struct Heading {
    QString title;
    int page = 0;
};

void collect(std::vector<QPDFOutlineObjectHelper> entries, const std::map<QPDFObjGen, int>& pages, QList<Heading>& into)
{
    for (QPDFOutlineObjectHelper& entry : entries) {
        QPDFObjectHandle page = entry.getDestPage();
        const auto found = page.isDictionary() ? pages.find(page.getObjGen()) : pages.end();
        into << Heading{QString::fromStdString(entry.getTitle()).simplified(),
                        found == pages.end() ? 0 : found->second};
        collect(entry.getKids(), pages, into);
    }
}

QList<Heading> headingsIn(QPDF& pdf, int* count)
{
    std::map<QPDFObjGen, int> pages;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        pages.emplace(page.getObjectHandle().getObjGen(), int(pages.size()) + 1);
    *count = int(pages.size());
    QList<Heading> headings;
    QPDFOutlineDocumentHelper outline(pdf);
    collect(outline.getTopLevelOutlines(), pages, headings);
    return headings;
}

// In order, each after the one before: a chapter named like the book is not taken for its cover.
int pageOf(const QList<Heading>& headings, const QString& title, qsizetype* from)
{
    for (qsizetype i = *from; i < headings.size(); ++i)
        if (headings.at(i).title == title && headings.at(i).page > 0) {
            *from = i + 1;
            return headings.at(i).page;
        }
    return 0;
}

Result<BookPages> pagesIn(QPDF& pdf, const BookHeadings& wanted, const QString& pdfPath)
{
    BookPages book;
    const QList<Heading> headings = headingsIn(pdf, &book.count);
    qsizetype from = 0;
    const auto missing = [&](const QString& title) {
        return fail(PreflightTr::tr("The book %1 has no heading \"%2\" in its outline.").arg(pdfPath, title));
    };
    book.contents = pageOf(headings, wanted.contents, &from);
    if (book.contents == 0)
        return missing(wanted.contents);
    if (!wanted.introduction.isEmpty()) {
        book.introduction = pageOf(headings, wanted.introduction, &from);
        if (book.introduction == 0)
            return missing(wanted.introduction);
        book.frontPages = book.introduction - 1;
    }
    for (const QString& chapter : wanted.chapters) {
        const int page = pageOf(headings, chapter, &from);
        if (page == 0)
            return missing(chapter);
        book.chapters << page;
    }
    if (wanted.introduction.isEmpty() && !book.chapters.isEmpty())
        book.frontPages = book.chapters.first() - 1;
    return book;
}
} // namespace

Result<BookPages> bookPagesOf(const QString& pdfPath, const BookHeadings& headings)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(pdfPath).constData());
        return pagesIn(pdf, headings, pdfPath);
    } catch (const std::exception& failure) {
        return fail(
            PreflightTr::tr("The book %1 could not be read: %2").arg(pdfPath, QString::fromLocal8Bit(failure.what())));
    }
}
} // namespace orvanta::preflight
