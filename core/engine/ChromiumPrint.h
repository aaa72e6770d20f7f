#pragma once

#include <QJsonObject>

namespace orvanta::engine {
/** The paper Chromium prints a page on, matched to the classic converter's column, margins and type. */
namespace ChromiumPrint {
/** The converter draws a CSS pixel at about this much of Chromium's size; printed so, the page looks the same. */
constexpr double ConverterScale = 0.788;

/** The width the converter lays the page out at, in CSS pixels. */
double layoutWidthPx();
/** Page.printToPDF's settings for a page of @p contentHeightPx (0: not known). */
QJsonObject settings(double contentHeightPx);
/** Page.printToPDF's settings for a book: A4 pages unless its CSS sizes them, its margins and their texts its own. */
QJsonObject pagedSettings();
} // namespace ChromiumPrint
} // namespace orvanta::engine
