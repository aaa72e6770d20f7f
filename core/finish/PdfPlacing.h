#pragma once

#include "Result.h"

#include <QString>

/** Puts a finished PDF in its place: a private name for the run, then one step over the user's PDF. */

namespace orvanta::finish {
/** Makes an empty file of a private name from @p nameTemplate for this run alone; gives its path. */
Result<QString> reservePrivateFile(const QString& nameTemplate);

/** Replaces @p target with @p source in one step, never writing through a link at it; the source is gone afterwards. */
Result<void> moveReplacing(const QString& source, const QString& target);

/** Copies the bytes of @p source over @p target. */
bool copyInto(const QString& source, const QString& target);
} // namespace orvanta::finish
