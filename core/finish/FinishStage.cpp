#include "FinishStage.h"

#include "FinishTr.h"
#include "PdfPass.h"
#include "SavedWebPage.h"

#include <QCoreApplication>

FinishResult finishPdf(const QString& app, const BuiltPage& page, const CreateOptions& options,
                       const QString& outputFolder, const FinishExtras& extras)
{
    FinishResult result;
    // Finishing leaves the drawing, and so the text, as the engine made it: the preflight reads the text while the
    // pass writes, once the pass's own drawing no longer waits for the reader.
    QFuture<PdfTextFacts> text;
    const auto readText = [&] {
        if (extras.preflight && !text.isValid())
            text = startReadingPreflightText(page.pdfPath, *extras.preflight);
    };
    if (!extras.pdfFinished) {
        PdfPass pass;
        pass.fit = options.fitToContent;
        pass.metadata = true;
        pass.about = extras.about;
        pass.sources = extras.convertedPictures;
        pass.drawn = readText;
        const PdfPassResult finished = runPdfPass(page.pdfPath, pass);
        if (!finished.fitNote.isEmpty())
            result.fitNote = FinishTr::tr("The PDF keeps its full length: %1").arg(finished.fitNote);
    }
    if (options.saveWebPage) {
        const WebPageResult saved = saveWebPage(app, page, outputFolder, extras.picturesFolder);
        if (saved.ok)
            result.webPageFolder = saved.folder;
        else
            result.error = FinishTr::tr("The web page could not be saved: %1").arg(saved.error);
    }
    // Last, on the PDF as the reader gets it, beside the page as published.
    if (extras.preflight) {
        PreflightInput input = *extras.preflight;
        input.webPageFolder = result.webPageFolder;
        readText();
        result.preflight = preflight(page.pdfPath, input, text);
    }
    result.ok = result.error.isEmpty();
    return result;
}
