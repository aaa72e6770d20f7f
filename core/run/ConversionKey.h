#pragma once

#include "CreateOptions.h"
#include "PageBuilder.h"
#include "PdfEngine.h"

#include <QByteArray>
#include <QString>

namespace orvanta::run {
/**
 * The digest of everything a conversion of @p page depends on: the page's bytes as written, each picture's and
 * design file's name and bytes, the engine, its program and what it is told, and the options that change the PDF.
 * Empty when a file cannot be read.
 */
QByteArray conversionKey(const QString& app, const BuiltPage& page, const CreateOptions& options,
                         PdfEngine engine = PdfEngine::Converter);

/** The SHA-256 of the file at @p path, or an empty array when it cannot be read. */
QByteArray fileDigest(const QString& path);
} // namespace orvanta::run
