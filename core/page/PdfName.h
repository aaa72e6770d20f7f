#pragma once

#include <QHash>
#include <QString>

namespace orvanta::page {
/**
 * Why a PDF file name cannot be used, as a sentence for the user, or an empty string when it can.
 * Refused: names that would leave the bin folder or are no valid file name on any desktop system
 * (separators, reserved characters, control characters, "." and ".."), names with marks that turn the text's
 * direction and could disguise the extension, and names too long for a file.
 */
QString pdfNameProblem(const QString& pdfFileName);

/** The characters of @p name that no file name may hold, each listed once, in order of appearance. */
QString forbiddenCharactersIn(const QString& name);
} // namespace orvanta::page

/**
 * Which of many campaigns first claimed each PDF, decided in one pass. Names that differ only in letter case are one
 * file where the file system folds case (Windows, macOS), and two elsewhere.
 */
class PdfClaims {
public:
    /** Claims @p pdfPath for @p claimant: -1 when it was free, else the earlier claimant, who keeps it. */
    int claim(const QString& pdfPath, int claimant);

private:
    QHash<QString, int> m_claimed;
};
