#pragma once

#include "PageBuilder.h"
#include "TestAppFolder.h"

/** Runs the installed converter on @p html, as the pipeline would; whether it made the PDF. */
bool render(const QString& app, const QString& html, const QString& pdf);

/** A page of @p app named "fit check" with @p review, built, written and converted; empty where a step failed. */
BuiltPage convertedPage(const TestAppFolder& app, const QString& review);

/** The tools that judge converted PDFs, and the converter; the first one missing, or empty. */
QString missingPdfTool();
