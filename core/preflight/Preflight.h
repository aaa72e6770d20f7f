#pragma once

#include "PreflightText.h"

#include <QFuture>
#include <QList>
#include <QString>
#include <QStringList>

/** What a finished PDF is checked against: what its campaign meant it to hold. */
struct PreflightInput {
    /** The links a buyer must be able to click, as the page holds them; the first is the buy button's. */
    QStringList links;
    /** With a link base: the short link the page's offer links go through, and the offer it stands for. */
    QString shortLink;
    QString offerTarget;
    /** The main title as plain text; empty when the campaign has none. */
    QString mainTitle;
    /** The page's own disclosure line, as its design words it: a disclosure as the built-in wordings are. */
    QString disclosure;
    /** The page the PDF was converted from: its style sheet and its pictures' descriptions. */
    QString pageText;
    /** The saved web page's folder, when one was saved beside the PDF. */
    QString webPageFolder;
    /** The largest PDF that still travels well by mail and loads fast on a phone. */
    qint64 budgetBytes = 1024 * 1024;
};

/** One check of the preflight, in the order the report names them. */
enum class PreflightCheck {
    Readable,
    Links,
    BuyLink,
    MainTitle,
    Fonts,
    TitleAndLanguage,
    FileSize,
    Pictures,
    Disclosure,
    SponsoredLinks,
    Contrast,
    PictureDescriptions,
    ShortLink,
};

/** A check that failed: which, and one line saying what is wrong and what to do. */
struct PreflightFinding {
    PreflightCheck check = PreflightCheck::Readable;
    QString line;
};

/** What the preflight of one PDF found; a PDF is never changed or removed by it. */
struct PreflightReport {
    /** False when no preflight was asked for. */
    bool ran = false;
    int checksRun = 0;
    QList<PreflightFinding> failures;

    bool passed() const { return failures.isEmpty(); }
    /** One line per failed check, the check's name first. */
    QStringList lines() const;
    /** What the window adds below "Ready": all passed, or each failed check in one line. */
    QString summary() const;
};

namespace orvanta::preflight {
/** The name a report line begins with. */
QString preflightCheckName(PreflightCheck check);

/**
 * Opens the PDF at @p pdfPath and checks it against @p input: links, the buy button's web address, the main title
 * in its text, embedded fonts, title and language, size and pictures, the disclosure before the buy button, the
 * saved web page's sponsored links, the page's colour contrast and its pictures' descriptions. Reads only.
 */
PreflightReport preflight(const QString& pdfPath, const PreflightInput& input);

/**
 * Starts reading the text of the PDF at @p pdfPath on the shared pool. The file is read into memory at once, so it
 * may be replaced while its text is read: finishing leaves the drawing, and so the text, as the engine made it.
 */
QFuture<PdfTextFacts> startReadingPreflightText(const QString& pdfPath, const PreflightInput& input);
/** As the other preflight(), with the PDF's text as @p text reads it from the same drawing. */
PreflightReport preflight(const QString& pdfPath, const PreflightInput& input, QFuture<PdfTextFacts> text);
} // namespace orvanta::preflight
