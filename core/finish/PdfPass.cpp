#include "PdfPass.h"

#include "AccessibleRules.h"
#include "ArtifactMarking.h"
#include "FileToolkit.h"
#include "FinishTr.h"
#include "Leftovers.h"
#include "LinkDescriptions.h"
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

using namespace orvanta::files;
using namespace orvanta::finish;

namespace orvanta::finish {
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
// renamed to its place later, so this skips the wait for the disk that QSaveFile makes.
Result<void> replaceFile(const QString& pdfPath, const QByteArray& bytes)
{
    const Result<void> written =
        replaceBeside(pdfPath, bytes,
                      Leftovers::privateTemplate(QFileInfo(pdfPath).absolutePath(), QStringLiteral("orvanta"),
                                                 QStringLiteral(".pdf")),
                      QFile::permissions(pdfPath));
    if (!written)
        return fail(FinishTr::tr("The fitted PDF could not be written over %1: %2").arg(pdfPath, written.error()));
    return {};
}

QString failureText(const QString& pdfPath, const char* what)
{
    return what ? FinishTr::tr("The PDF %1 could not be finished: %2").arg(pdfPath, QString::fromLocal8Bit(what))
                : FinishTr::tr("The PDF %1 could not be finished.").arg(pdfPath);
}

Result<PassDone> applyPass(const QString& pdfPath, const PdfPass& pass)
{
    const QByteArray path = QFile::encodeName(pdfPath);
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.setAttemptRecovery(false);
    pdf.processFile(path.constData());
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (pages.empty() || pdf.anyWarnings())
        return fail(FinishTr::tr("The PDF %1 has no pages or is damaged.").arg(pdfPath));
    PassDone result;
    bool changed = false;
    if (pass.fit) {
        const Result<bool> fitted = fitLastPage(pdf, pages.back(), pdfPath);
        result.fitNote = fitted.error();
        changed = result.trimmed = fitted.valueOr(false);
    }
    if (pass.drawn)
        pass.drawn();
    if (!pass.sources.isEmpty())
        changed = restoreSourcePictures(pdf, pass.sources) > 0 || changed;
    // Only an engine's own tags make a PDF worth judging; the classic converter's stays as it wrote it.
    result.tagged = pdf.getRoot().getKey("/StructTreeRoot").isDictionary();
    if (result.tagged) {
        changed = markArtifacts(pdf) > 0 || changed;
        changed = describeLinks(pdf, pdfPath) > 0 || changed;
    }
    if (pass.metadata && !pass.about.title.isEmpty()) {
        writeMetadata(pdf, pass.about);
        changed = true;
    }
    if (pass.book)
        changed = writeBookLabels(pdf, *pass.book) || changed;
    if (result.tagged) {
        result.accessibleMissing = orvanta::preflight::accessibleFailures(pdf);
        if (result.accessibleMissing.isEmpty() && pass.metadata && !pass.about.title.isEmpty()) {
            PdfMetadata declared = pass.about;
            declared.accessible = true;
            writeMetadata(pdf, declared);
        }
    }
    if (!changed)
        return result;
    const QByteArray bytes = writePdfToMemory(pdf);
    if (!opensWithPages(bytes, pages.size()))
        return fail(FinishTr::tr("The finished copy of %1 came out damaged.").arg(pdfPath));
    const Result<void> written = replaceFile(pdfPath, bytes);
    if (!written)
        return written.failure();
    return result;
}
} // namespace

Result<PassDone> runPdfPass(const QString& pdfPath, const PdfPass& pass)
{
    if (!QFileInfo(pdfPath).isFile())
        return fail(FinishTr::tr("The PDF %1 was not found.").arg(pdfPath));
    try {
        return applyPass(pdfPath, pass);
    } catch (const std::exception& failure) {
        return fail(failureText(pdfPath, failure.what()));
    } catch (...) {
        return fail(failureText(pdfPath, nullptr));
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
} // namespace orvanta::finish
