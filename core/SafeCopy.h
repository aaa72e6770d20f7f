#pragma once

#include <QString>

struct CopyResult {
    bool ok = false;
    QString error;
};

/** True when both paths name one existing file, through links too. */
bool IsSameFile(const QString& a, const QString& b);

/**
 * Copies @p source over @p target without ever leaving a truncated target: the copy is written beside it
 * and renamed over it. A link at @p target is replaced, never followed. Copying a file onto itself is a no-op.
 */
CopyResult SafeCopy(const QString& source, const QString& target);

/** Copies every file below @p from into @p to with SafeCopy, making the folders; links are followed. */
CopyResult CopyFolder(const QString& from, const QString& to);
