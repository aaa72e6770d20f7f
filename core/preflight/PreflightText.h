#pragma once

#include "PreflightPdf.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/** What the preflight reads of a PDF's text, as a reader's viewer would find it. */
struct PdfTextFacts {
    /** Empty when the PDF's text could be read. */
    QString error;
    bool titleFound = false;
    /** Where the first of the wordings looked for stands, when one does. */
    std::optional<PagePlace> firstWording;
};

/**
 * Reads the text of the PDF @p pdf (named @p path in messages) with Qt's PDF module: whether @p title stands in it
 * (letter case, blanks and line breaks aside) and where the first of @p wordings stands.
 */
PdfTextFacts readPdfText(const QByteArray& pdf, const QString& path, const QString& title, const QStringList& wordings);
