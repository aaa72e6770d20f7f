#pragma once

#include <QString>

namespace orvanta::files {
/** @p bytes, a whole number of megabytes, as a limit reads: "16 MB". */
QString megabytesText(qint64 bytes);

/**
 * The size of a file of @p bytes that is over @p limit, as a message shows it beside the limit: in megabytes with
 * one decimal where that already reads larger, else in bytes, so a file one byte over never reads as the limit.
 */
QString sizeOverText(qint64 bytes, qint64 limit);
} // namespace orvanta::files
