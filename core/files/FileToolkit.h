#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

class QIODevice;

/** @p name below @p folder, with the system's separators. */
QString inFolder(const QString& folder, const QString& name);

/**
 * @p relative, as a file stored in @p folder names it, made whole and clean. A ".." that would climb above the
 * root stays at the root, so the path never reads "/../".
 */
QString resolvedBelow(const QString& folder, const QString& relative);

/** A path as messages name it: in double quotes, with the system's separators. */
QString quotedPath(const QString& path);

/** A read of a whole file, bounded so a huge or growing file never fills the memory. */
struct BoundedRead {
    enum class Failure { None, Folder, Missing, NotOrdinary, TooLarge, Unreadable };

    QByteArray bytes;
    Failure failure = Failure::None;
    /** The file's size, for TooLarge. */
    qint64 size = 0;
    /** TooLarge came from a file that grew past the limit while it was read. */
    bool grew = false;
    /** Why, as a message goes on after a colon: the system's reason for Unreadable. */
    QString reason;
    bool ok() const { return failure == Failure::None; }
};

/**
 * Reads the ordinary file at @p path when it holds at most @p maxBytes. A pipe or a device is refused before it is
 * opened, since reading one could block or never end.
 */
BoundedRead readBounded(const QString& path, qint64 maxBytes);

/** What a failed bounded read of one kind of file says; each text takes the quoted path as %1. */
struct ReadTexts {
    QString folder;
    QString missing;
    QString notOrdinary;
    QString tooLarge;   ///< %2 is the file's size and %3 the limit
    QString grew;       ///< too large, found while reading
    QString unreadable; ///< %2 is the reason
};

/** The message for the failed @p read of the file quoted as @p name, in @p texts' words. */
QString readProblem(const BoundedRead& read, const QString& name, qint64 maxBytes, const ReadTexts& texts);

/** How replacing a file went; the target is unchanged unless it succeeded. */
struct ReplaceResult {
    enum class Failure { None, Source, Target };

    Failure failure = Failure::None;
    QString reason;
    bool ok() const { return failure == Failure::None; }
};

/**
 * Writes all of @p source under a private name beside @p target (made from @p privateTemplate, whose "XXXXXX" is
 * replaced) and renames it over the target in one step: no half file ever shows at the target, and a link there is
 * replaced, never written through. Not QSaveFile: its commit waits for the disk, and nothing here needs that.
 */
ReplaceResult replaceBeside(const QString& target, QIODevice& source, const QString& privateTemplate,
                            QFileDevice::Permissions permissions);
ReplaceResult replaceBeside(const QString& target, const QByteArray& bytes, const QString& privateTemplate,
                            QFileDevice::Permissions permissions);

/** Renames @p source over @p target in one step; empty when done, else the system's reason. */
QString renameOver(const QString& source, const QString& target);
