#include "PreflightBook.h"

#include "BookOutline.h"
#include "PreflightText.h"
#include "PreflightTr.h"

#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAnnotationObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

using namespace orvanta::files;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
// Pages count from 0 here, as the PDF's text gives them.
bool foundBefore(const QByteArray& pdf, const QString& path, const QString& text, int lastPage)
{
    const PdfTextFacts facts = readPdfText(pdf, path, text, {});
    for (const FoundText& found : facts.titles)
        if (found.place().page <= lastPage)
            return true;
    return false;
}

bool foundOn(const QByteArray& pdf, const QString& path, const QString& text, int page)
{
    const PdfTextFacts facts = readPdfText(pdf, path, text, {});
    for (const FoundText& found : facts.titles)
        if (found.place().page == page)
            return true;
    return false;
}

QStringList contentsProblems(const QByteArray& pdf, const QString& path, const BookHeadings& headings,
                             const BookPages& pages)
{
    QStringList lines;
    for (qsizetype i = 0; i < pages.chapters.size(); ++i) {
        const QString entry = QStringLiteral("%1 %2").arg(headings.chapters.at(i)).arg(pages.chapters.at(i));
        if (!foundBefore(pdf, path, entry, pages.frontPages - 1))
            lines << PreflightTr::tr("Contents: the chapter \"%1\" begins on page %2, which the contents do not say. "
                                     "Create the book again.")
                         .arg(headings.chapters.at(i))
                         .arg(pages.chapters.at(i));
    }
    return lines;
}

QStringList linksOn(QPDFPageObjectHelper& page)
{
    QStringList links;
    for (QPDFAnnotationObjectHelper& annotation : page.getAnnotations("/Link")) {
        QPDFObjectHandle action = annotation.getObjectHandle().getKey("/A");
        if (action.isDictionary() && action.getKey("/URI").isString())
            links << QString::fromStdString(action.getKey("/URI").getUTF8Value());
    }
    return links;
}

QStringList linkProblems(const QString& path, const BookPreflightInput& input, const BookPages& pages)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
    std::vector<QPDFPageObjectHelper> all = QPDFPageDocumentHelper(pdf).getAllPages();
    QStringList lines;
    for (qsizetype i = 0; i < pages.chapters.size() && i < input.links.size(); ++i) {
        const int end = i + 1 < pages.chapters.size() ? pages.chapters.at(i + 1) - 1 : int(all.size());
        QStringList links;
        for (int page = pages.chapters.at(i); page <= end && page <= int(all.size()); ++page)
            links << linksOn(all.at(size_t(page - 1)));
        if (!links.contains(input.links.at(i)))
            lines << PreflightTr::tr("Chapter link: the chapter \"%1\" holds no link to %2, so its Buy button does "
                                     "not lead to its offer.")
                         .arg(input.headings.chapters.at(i), input.links.at(i));
    }
    return lines;
}
} // namespace

QStringList bookPreflight(const QString& pdfPath, const BookPreflightInput& input)
{
    const Result<BookPages> pages = bookPagesOf(pdfPath, input.headings);
    if (!pages)
        return {PreflightTr::tr("Contents: %1").arg(pages.error())};
    QFile file(pdfPath);
    const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QStringList lines = contentsProblems(pdf, pdfPath, input.headings, pages.value());
    try {
        lines << linkProblems(pdfPath, input, pages.value());
    } catch (const std::exception& failure) {
        lines << PreflightTr::tr("Chapter link: %1 could not be read: %2")
                     .arg(pdfPath, QString::fromLocal8Bit(failure.what()));
    }
    // The cover, or the first page after the contents.
    if (!input.disclosure.isEmpty() && !foundBefore(pdf, pdfPath, input.disclosure, 0) &&
        !foundOn(pdf, pdfPath, input.disclosure, pages->frontPages))
        lines << PreflightTr::tr("Disclosure: \"%1\" stands neither on the cover nor on the first page of text.")
                     .arg(input.disclosure);
    return lines;
}
} // namespace orvanta::preflight
