#pragma once

#include "BookLabels.h"
#include "CreateOptions.h"
#include "PageBuilder.h"
#include "PdfMetadata.h"
#include "Preflight.h"

#include <QString>
#include <QStringList>

#include <optional>

/** What finishing did; the PDF is made whatever it says. */
struct FinishResult {
    /** Why the PDF kept its full length, when fitting was asked for and failed; not a failure of the job. */
    QString fitNote;
    /** The saved web page's folder, empty when none was asked for; a failure when it could not be saved. */
    Result<QString> webPage = QString();
    /** What the preflight found, when one was asked for; it only reports. */
    PreflightReport preflight;
    /** The engine tagged the PDF; with nothing missing it is declared accessible. */
    bool tagged = false;
    QStringList accessibleMissing;
};

/** What a run knows beyond the page when it finishes the PDF. */
struct FinishExtras {
    /** The pictures the converter read; the PDF gets their own pixels back. */
    QStringList convertedPictures;
    /** Where sized copies of the page's pictures lie, for the web page; empty when none were made. */
    QString picturesFolder;
    PdfMetadata about;
    /** The PDF is one a preview finished for exactly this page: only the web page is left to do. */
    bool pdfFinished = false;
    /** Check the finished PDF against this; the saved web page's folder is filled in here. */
    std::optional<PreflightInput> preflight;
    /** A book's page labels and bookmarks. */
    std::optional<BookMarks> book;
};

namespace orvanta::finish {
/**
 * What follows a converter run that wrote a whole PDF for @p page: fitting, the web page and the preflight, as asked.
 * The web page goes to @p outputFolder, where the PDF is delivered.
 */
FinishResult finishPdf(const QString& app, const BuiltPage& page, const CreateOptions& options,
                       const QString& outputFolder, const FinishExtras& extras = FinishExtras());
} // namespace orvanta::finish
