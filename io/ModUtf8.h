#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

/** Appending UTF-8 text output: exactly the text's bytes, no byte order mark. */
namespace modUTF8 {
/** The UTF-8 bytes of @p text, CR LF appended when asked; a lone surrogate becomes U+FFFD. */
QByteArray utf8Bytes(const QString& text, bool lineBreak);

/**
 * Opens @p path for writing behind its last byte, creating it when missing and never truncating.
 * Returns null and fills @p error on failure.
 */
std::unique_ptr<QFile> OpenForAppend(const QString& path, QString* error = nullptr);

/** Writes @p text at the file's current position; false and @p error when not all bytes were written. */
bool writeUtf8(QFile& file, const QString& text, bool lineBreak, QString* error = nullptr);
} // namespace modUTF8
