#pragma once

#include <QString>

/**
 * Why a PDF file name cannot be used, as a sentence for the user, or an empty string when it can.
 * Refused: names that would leave the bin folder or are no valid file name on any desktop system
 * (separators, reserved characters, control characters, "." and ".."), names with marks that turn the text's
 * direction and could disguise the extension, and names too long for a file.
 */
QString pdfNameProblem(const QString& pdfFileName);

/** The characters of @p name that no file name may hold, each listed once, in order of appearance. */
QString forbiddenCharactersIn(const QString& name);
