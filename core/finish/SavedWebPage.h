#pragma once

#include "PageBuilder.h"

#include <QString>

namespace orvanta::finish {
/**
 * Saves the built page as a folder that works anywhere: index.html, the page's image copies and its scripts,
 * linked by relative names only. The folder is named after the page and lies in @p outputFolder, beside the PDF.
 * Files of an earlier save are replaced, other files in the folder stay. A picture in @p picturesFolder of the
 * same name and kind replaces the page's own copy: the sized one, meant for publishing too. Its head carries the
 * page's share kit, with a preview picture of the top of the page's PDF when that PDF is there to draw. Gives the
 * folder holding index.html.
 */
Result<QString> saveWebPage(const QString& app, const BuiltPage& page, const QString& outputFolder,
                            const QString& picturesFolder = QString());
} // namespace orvanta::finish
