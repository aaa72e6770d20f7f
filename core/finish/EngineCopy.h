#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct BuiltPage;

/**
 * The page as either engine reads it: a private folder below the process's engine copies folder (the engine may
 * read only there) holding the page's very bytes, its pictures sized for the page and its design's files as they are,
 * so the page and its copies in the page's folder stay as they were made. The folder goes with the object; its name
 * tells a later start whether its owner still lives.
 */
class EngineCopy final {
public:
    EngineCopy(const QString& app, const BuiltPage& page);

    bool isValid() const { return m_valid; }
    QString folder() const;
    QString htmlPath() const;
    /** The pictures the engine reads, by path. */
    QStringList pictures() const { return m_pictures; }

    /**
     * Removes the process's folder of copies, as the program's end does; for an end that comes before it, and no
     * copy is made after it.
     */
    static void removeFolders();

private:
    QTemporaryDir m_dir;
    QString m_htmlName;
    QStringList m_pictures;
    bool m_valid = false;
};
