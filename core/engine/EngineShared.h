#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvanta::engine {
/** The proxy both engines are given: a loopback port that refuses every connection, so a page reaches no network. */
QString refusingProxy();

/** Program and arguments of a command line, split as a shell would (double quotes group). */
QStringList splitCommandLine(const QString& commandLine);

/** Makes @p folder where it is missing; a failure says it could not be made. */
Result<void> makeOutputFolder(const QString& folder);

/** True when @p bytes are a whole PDF: "%PDF-" first and "%%EOF" last (trailing line ends allowed). */
bool isWholePdf(const QByteArray& bytes);
} // namespace orvanta::engine
