#include "FinishStage.h"

#include "PdfPass.h"
#include "SavedWebPage.h"
#include "StageClock.h"

#include <QCoreApplication>

namespace {
// Names the texts' context where lupdate can read it.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(FinishStage)
};
} // namespace

FinishResult finishPdf(const QString& app, const BuiltPage& page, const CreateOptions& options,
                       const QString& outputFolder, const FinishExtras& extras)
{
    FinishResult result;
    StageClock clock;
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
            result.fitNote = Text::tr("The PDF keeps its full length: %1").arg(finished.fitNote);
        clock.lap("finish.pass");
    }
    if (options.saveWebPage) {
        const WebPageResult saved = saveWebPage(app, page, outputFolder, extras.picturesFolder);
        if (saved.ok)
            result.webPageFolder = saved.folder;
        else
            result.error = Text::tr("The web page could not be saved: %1").arg(saved.error);
        clock.lap("finish.webpage");
    }
    // Last, on the PDF as the reader gets it, beside the page as published.
    if (extras.preflight) {
        PreflightInput input = *extras.preflight;
        input.webPageFolder = result.webPageFolder;
        readText();
        result.preflight = preflight(page.pdfPath, input, text);
        clock.lap("finish.preflight");
    }
    result.ok = result.error.isEmpty();
    return result;
}
