#include "FinishStage.h"

#include "PdfPass.h"
#include "SavedWebPage.h"

#include <QCoreApplication>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("FinishStage", text);
}
} // namespace

FinishResult finishPdf(const QString& app, const BuiltPage& page, const CreateOptions& options,
                       const QString& outputFolder, const FinishExtras& extras)
{
    FinishResult result;
    if (!extras.pdfFinished) {
        PdfPass pass;
        pass.fit = options.fitToContent;
        pass.metadata = true;
        pass.about = extras.about;
        pass.sources = extras.convertedPictures;
        const PdfPassResult finished = runPdfPass(page.pdfPath, pass);
        if (!finished.fitNote.isEmpty())
            result.fitNote = tr("The PDF keeps its full length: %1").arg(finished.fitNote);
    }
    if (options.saveWebPage) {
        const WebPageResult saved = saveWebPage(app, page, outputFolder, extras.picturesFolder);
        if (saved.ok)
            result.webPageFolder = saved.folder;
        else
            result.error = tr("The web page could not be saved: %1").arg(saved.error);
    }
    // Last, on the PDF as the reader gets it, beside the page as published.
    if (extras.preflight) {
        PreflightInput input = *extras.preflight;
        input.webPageFolder = result.webPageFolder;
        result.preflight = preflight(page.pdfPath, input);
    }
    result.ok = result.error.isEmpty();
    return result;
}
