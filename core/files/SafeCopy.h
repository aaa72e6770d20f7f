#pragma once

#include "Result.h"

#include <QString>

namespace orvanta::files {
/** True when both paths name one existing file, through links too. */
bool isSameFile(const QString& a, const QString& b);

/**
 * Copies @p source over @p target without ever leaving a truncated target: the copy is written beside it
 * and renamed over it. A link at @p target is replaced, never followed. Copying a file onto itself is a no-op.
 */
Result<void> safeCopy(const QString& source, const QString& target);

/** Fails, in safeCopy's words, when @p source cannot be read. */
Result<void> checkReadable(const QString& source);

/**
 * Fails, naming it, when @p root or any path below it on the way to @p relative is a link. A link there would
 * take what is written below it to wherever it points.
 */
Result<void> refuseLinks(const QString& root, const QString& relative);

/**
 * Copies every file below @p from into @p to with safeCopy, making the folders. A link below @p from is refused,
 * never followed, and so is a link at @p to or below it, never written through; the first refused is named.
 */
Result<void> copyFolder(const QString& from, const QString& to);
} // namespace orvanta::files
