#include "FinishStage.h"

#include "FinishTr.h"
#include "PdfPass.h"
#include "SavedWebPage.h"
#include "StageClock.h"

#include <QCoreApplication>

using namespace orvanta::files;
using namespace orvanta::preflight;
using namespace orvanta::finish;

namespace orvanta::finish {
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
        pass.book = extras.book;
        // A pass that failed leaves the PDF whole, at its full length; only fitting makes that worth a note.
        const Result<PassDone> finished = runPdfPass(page.pdfPath, pass);
        const QString fitNote = finished ? finished->fitNote : options.fitToContent ? finished.error() : QString();
        if (finished) {
            result.tagged = finished->tagged;
            result.accessibleMissing = finished->accessibleMissing;
        }
        if (!fitNote.isEmpty())
            result.fitNote = FinishTr::tr("The PDF keeps its full length: %1").arg(fitNote);
        clock.lap(TimedStage::FinishPass);
    }
    if (options.saveWebPage) {
        const Result<QString> saved = saveWebPage(app, page, outputFolder, extras.picturesFolder);
        if (saved)
            result.webPage = saved;
        else
            result.webPage = fail(FinishTr::tr("The web page could not be saved: %1").arg(saved.error()));
        clock.lap(TimedStage::FinishWebPage);
    }
    // Last, on the PDF as the reader gets it, beside the page as published.
    if (extras.preflight) {
        PreflightInput input = *extras.preflight;
        input.webPageFolder = result.webPage.valueOr({});
        readText();
        result.preflight = orvanta::preflight::preflight(page.pdfPath, input, text);
        clock.lap(TimedStage::FinishPreflight);
    }
    return result;
}
} // namespace orvanta::finish
