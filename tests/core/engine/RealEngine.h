#pragma once

#include "ChromiumRun.h"
#include "PageBuilder.h"
#include "PdfEngine.h"
#include "TestAppFolder.h"

#include <QTest>

/** Runs @p engine as the pipeline would, on a page already written. */
RenderResult convert(const TestAppFolder& app, const BuiltPage& page, PdfEngine engine, QString* sandboxNote = nullptr);

/** The engines installed here: wkhtmltopdf, Chromium or both. */
QList<PdfEngine> installedEngines();

/** A table's "engine" column, to begin with. */
void engineColumn();

/** One row per engine installed here, named by its key and @p what. */
QTestData& engineRow(PdfEngine engine, const char* what = "");

/** The "engine" column and one row per installed engine. */
void everyEngine();

/** The PDF's objects as qpdf lays them open, streams left out. */
QString pdfObjects(const QString& pdf);

/** A page with the two sales-page pictures of the catalogue: the first entry's as the cover. */
PageFields twoPictures(const TestAppFolder& app);

/** A written page of @p app whose review is @p review. */
BuiltPage writtenPage(const TestAppFolder& app, const QString& review, const QString& pdfName = "faults");

/** Whether the PDF draws an image as large as the GIF picture; pdfimages lists one line per image drawn. */
bool showsPicture(const QString& pdf, const QString& gif);

/** Skips the test case where a tool the tables read PDFs with, or every engine, is missing. */
bool enginesAndToolsInstalled(QString* missing);

Q_DECLARE_METATYPE(PdfEngine)
