#pragma once

#include "PageBuilder.h"

namespace orvanta::page {
/**
 * Builds the page for a preview into @p target: like BuildPage, but an image that is not there yet
 * becomes an empty file of its name, so the page shows what the converter makes of a missing image
 * instead of refusing; the PDF name is a fixed one, so an unfinished name does not stop the preview.
 */
Result<BuiltPage> buildPreviewPage(const QString& app, const PageFields& fields, const PageTarget& target);
} // namespace orvanta::page
