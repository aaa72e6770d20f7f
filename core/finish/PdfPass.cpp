#include "PdfPass.h"

#include "FileToolkit.h"
#include "FinishTr.h"
#include "Leftovers.h"
#include "PdfFit.h"
#include "PictureRestore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace {
// The written bytes must open again with every page before they may replace the original.
bool opensWithPages(const QByteArray& bytes, size_t pageCount)
{
    QPDF check;
    check.setSuppressWarnings(true);
    check.processMemoryFile("fitted", bytes.constData(), size_t(bytes.size()));
    return !check.anyWarnings() && QPDFPageDocumentHelper(check).getAllPages().size() == pageCount;
}

// Whole or not at all, under a private name beside it and renamed over it. The PDF is still the run's own file,
// renamed to its place later, so this skips the wait for the disk that QSaveFile makes. Empty when written.
QString replaceFile(const QString& pdfPath, const QByteArray& bytes)
{
    const ReplaceResult written =
        replaceBeside(pdfPath, bytes,
                      Leftovers::privateTemplate(QFileInfo(pdfPath).absolutePath(), QStringLiteral("orvanta"),
                                                 QStringLiteral(".pdf")),
                      QFile::permissions(pdfPath));
    return written.ok() ? QString()
                        : FinishTr::tr("The fitted PDF could not be written over %1: %2").arg(pdfPath, written.reason);
}

QString failureText(const QString& pdfPath, const char* what)
{
    return what ? FinishTr::tr("The PDF %1 could not be finished: %2").arg(pdfPath, QString::fromLocal8Bit(what))
                : FinishTr::tr("The PDF %1 could not be finished.").arg(pdfPath);
}

PdfPassResult applyPass(const QString& pdfPath, const PdfPass& pass)
{
    const QByteArray path = QFile::encodeName(pdfPath);
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.setAttemptRecovery(false);
    pdf.processFile(path.constData());
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (pages.empty() || pdf.anyWarnings())
        return {false, false,
                pass.fit ? FinishTr::tr("The PDF %1 has no pages or is damaged.").arg(pdfPath) : QString(),
                FinishTr::tr("The PDF %1 has no pages or is damaged.").arg(pdfPath)};
    PdfPassResult result{true, false, QString(), QString()};
    bool changed = false;
    if (pass.fit) {
        const FitResult fitted = fitLastPage(pdf, pages.back(), pdfPath);
        if (!fitted.ok)
            result.fitNote = fitted.error;
        changed = result.trimmed = fitted.trimmed;
    }
    if (pass.drawn)
        pass.drawn();
    if (!pass.sources.isEmpty())
        changed = restoreSourcePictures(pdf, pass.sources) > 0 || changed;
    if (pass.metadata && !pass.about.title.isEmpty()) {
        writeMetadata(pdf, pass.about);
        changed = true;
    }
    if (!changed)
        return result;
    const QByteArray bytes = writePdfToMemory(pdf);
    if (!opensWithPages(bytes, pages.size()))
        return {false, false,
                pass.fit ? FinishTr::tr("The finished copy of %1 came out damaged.").arg(pdfPath) : QString(),
                FinishTr::tr("The finished copy of %1 came out damaged; the PDF is left as it was.").arg(pdfPath)};
    const QString unwritten = replaceFile(pdfPath, bytes);
    if (!unwritten.isEmpty())
        return {false, false, pass.fit ? unwritten : QString(), unwritten};
    return result;
}
} // namespace

PdfPassResult runPdfPass(const QString& pdfPath, const PdfPass& pass)
{
    if (!QFileInfo(pdfPath).isFile()) {
        const QString missing = FinishTr::tr("The PDF %1 was not found.").arg(pdfPath);
        return {false, false, pass.fit ? missing : QString(), missing};
    }
    try {
        return applyPass(pdfPath, pass);
    } catch (const std::exception& failure) {
        const QString text = failureText(pdfPath, failure.what());
        return {false, false, pass.fit ? text : QString(), text};
    } catch (...) {
        const QString text = failureText(pdfPath, nullptr);
        return {false, false, pass.fit ? text : QString(), text};
    }
}

QByteArray writePdfToMemory(QPDF& pdf, bool streamsAsStored)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    // Streams that come compressed, such as a PNG's own rows, are written as they come; unfiltered ones are
    // compressed.
    writer.setDecodeLevel(qpdf_dl_none);
    if (streamsAsStored)
        writer.setStreamDataMode(qpdf_s_preserve);
    writer.write();
    std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize()));
}
