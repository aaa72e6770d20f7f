#pragma once

#include "Result.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

class QIODevice;

namespace orvanta::files {
/** @p name below @p folder, with the system's separators. */
QString inFolder(const QString& folder, const QString& name);

/**
 * @p relative, as a file stored in @p folder names it, made whole and clean. A ".." that would climb above the
 * root stays at the root, so the path never reads "/../".
 */
QString resolvedBelow(const QString& folder, const QString& relative);

/** A path as messages name it: in double quotes, with the system's separators. */
QString quotedPath(const QString& path);
} // namespace orvanta::files

/** Which way a bounded read failed, as its Failure's kind. */
enum class ReadFailure { Folder = 1, Missing, NotOrdinary, TooLarge, Grew, Unreadable };

namespace orvanta::files {
/**
 * Reads the ordinary file at @p path when it holds at most @p maxBytes. A pipe or a device is refused before it is
 * opened, since reading one could block or never end. A failure says why as a message goes on after a colon ("it
 * does not exist", the system's reason), and its kind is a ReadFailure; Grew is too large, found while reading.
 */
Result<QByteArray> readBounded(const QString& path, qint64 maxBytes);
} // namespace orvanta::files

/** What a failed bounded read of one kind of file says; each text takes the quoted path as %1. */
struct ReadTexts {
    QString folder;
    QString missing;
    QString notOrdinary;
    QString tooLarge;   ///< %2 is the file's size and %3 the limit
    QString grew;       ///< too large, found while reading
    QString unreadable; ///< %2 is the reason
};

namespace orvanta::files {
/** The message for the failed @p read of the file at @p path, in @p texts' words. */
QString readProblem(const Failure& read, const QString& path, qint64 maxBytes, const ReadTexts& texts);
} // namespace orvanta::files

/** Which side of replaceBeside failed, as its Failure's kind. */
enum class ReplaceFailure { Source = 1, Target };

namespace orvanta::files {
/**
 * Writes all of @p source under a private name beside @p target (made from @p privateTemplate, whose "XXXXXX" is
 * replaced) and renames it over the target in one step: no half file ever shows at the target, and a link there is
 * replaced, never written through. Not QSaveFile: its commit waits for the disk, and nothing here needs that. A
 * failure gives the system's reason, and its kind is a ReplaceFailure; the target is unchanged then.
 */
Result<void> replaceBeside(const QString& target, QIODevice& source, const QString& privateTemplate,
                           QFileDevice::Permissions permissions);
Result<void> replaceBeside(const QString& target, const QByteArray& bytes, const QString& privateTemplate,
                           QFileDevice::Permissions permissions);

/** Renames @p source over @p target in one step; a failure gives the system's reason. */
Result<void> renameOver(const QString& source, const QString& target);
} // namespace orvanta::files
