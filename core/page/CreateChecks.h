#pragma once

#include "PageBuilder.h"

#include <QString>

namespace orvanta::page {
/**
 * The first reason the wizard's values cannot make a page, as the "Missing Info" text, or an empty string.
 * The checks run in a fixed order; the window and the command line share them.
 */
QString missingInfo(const PageFields& fields, bool catalogueEntryChosen);

/** "Target file not found.", and on its next line what was not found. */
QString targetFileNotFound(const QString& what);

/** The question asked before Create goes on without bonus instructions. */
QString builtInInstructionsQuestion();

/**
 * Removes the pages an earlier Create left directly in @p pageFolder, the template spared in any letter case.
 * The page writer appends, so a page left from an earlier run must go first.
 */
Result<void> removeOldPages(const QString& pageFolder);
} // namespace orvanta::page
