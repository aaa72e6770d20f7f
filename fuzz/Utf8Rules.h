#pragma once

#include <QByteArray>
#include <QString>

/**
 * A second, deliberately plain reading of UTF-8 (RFC 3629), independent of Qt's codecs,
 * to hold the program's encoding and decoding against.
 */
namespace Utf8Rules {
/** True for well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF. */
bool isValid(const QByteArray& bytes);

/** The UTF-8 of @p text, with every unpaired surrogate written as U+FFFD. */
QByteArray encode(const QString& text);
} // namespace Utf8Rules
