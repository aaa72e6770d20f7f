#pragma once

#include <QString>

/** What the wizard's three pages hold when "Create" runs. Line breaks in review and instructions are CR LF. */
struct PageFields {
    QString mainTitle;
    QString affiliateImagePath;
    QString review;
    QString bonusHeadline;
    bool ownBonus = false;
    QString ownBonusImagePath;
    QString rawProductId;
    QString ctaTitle;
    QString ctaText;
    QString ctaUrl;
    QString bonusInstructions;
    QString pdfFileName;
};

/** A filled page, ready to be written and converted. */
struct BuiltPage {
    QString pageName;
    QString htmlPath;
    QString pdfPath;
    QString filledText;
};

struct BuildResult {
    enum class Status { Built, BonusImageMissing, FileError };
    Status status = Status::FileError;
    BuiltPage page;
    QString error; ///< names the failing file when status is FileError, the missing image when BonusImageMissing
};

struct WriteResult {
    bool ok = false;
    QString error;
};

/** The page name for a PDF file name: every blank becomes "-". */
QString PageNameOf(const QString& pdfFileName);

/** The fixed script tags and closing tags every page ends with. */
QString PageTail();

/** Copies the images into the application's bin folder and fills the template. */
BuildResult BuildPage(const QString& app, const PageFields& fields);

/** Writes the page text and its tail as UTF-8 behind whatever the page file holds; a failed write leaves it as it was.
 */
WriteResult WritePage(const BuiltPage& page);
