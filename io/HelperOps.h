#pragma once

#include <QString>

/** File and text operations that the windows and the page builder share. */
namespace vTools {
bool FileExists(const QString& path);
}

namespace vFile {
/** The part of a path after its last separator ('/', and on Windows '\\' too), extension kept. */
QString FileNameOf(const QString& path);

/**
 * Reads a whole text file. A UTF-8 byte order mark is skipped; bytes that are not valid UTF-8
 * are read as Windows-1252, which is how files written on Windows usually arrive.
 * Returns false and names the file in @p error when it cannot be read.
 */
bool readTextFile(const QString& path, QString* text, QString* error = nullptr);

/** Like readTextFile, but a missing or unreadable file gives an empty text. */
QString LoadTextFile(const QString& path);

/** Decodes file bytes by the rules of readTextFile. */
QString decodeText(const QByteArray& bytes);
} // namespace vFile

namespace vParser {
/** The text with every occurrence of @p find replaced; an empty @p find changes nothing. */
QString ReplaceText(QString text, const QString& find, const QString& replacement);
} // namespace vParser
