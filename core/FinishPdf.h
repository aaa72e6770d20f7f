#pragma once

#include "CreateOptions.h"
#include "PageBuilder.h"
#include "PdfFinish.h"

#include <QString>

struct WebPageResult {
    bool ok = false;
    /** The folder holding index.html. */
    QString folder;
    QString error;
};

/**
 * Saves the built page as a folder that works anywhere: index.html, the page's image copies and its scripts,
 * linked by relative names only. The folder is named after the page and lies in @p outputFolder, beside the PDF.
 * Files of an earlier save are replaced, other files in the folder stay. A picture in @p picturesFolder of the
 * same name and kind replaces the page's own copy: the sized one, meant for publishing too.
 */
WebPageResult saveWebPage(const QString& app, const BuiltPage& page, const QString& outputFolder,
                          const QString& picturesFolder = QString());

struct FinishResult {
    /** False only when the web page was asked for and could not be saved; the PDF is made either way. */
    bool ok = false;
    /** Why the PDF kept its full length, when fitting was asked for and failed; not a failure of the job. */
    QString fitNote;
    /** The saved web page's folder, when it was asked for and saved. */
    QString webPageFolder;
    QString error;
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
};

/**
 * What follows a converter run that wrote a whole PDF for @p page: fitting and the web page, as asked.
 * The web page goes to @p outputFolder, where the PDF is delivered.
 */
FinishResult finishPdf(const QString& app, const BuiltPage& page, const CreateOptions& options,
                       const QString& outputFolder, const FinishExtras& extras = FinishExtras());
