#include "ChromiumPrint.h"

#include <algorithm>

using namespace orvanta::engine;

namespace orvanta::engine {
namespace ChromiumPrint {
namespace {
constexpr double MmPerInch = 25.4;
// As wide as the converter's paper, with the margins and the scale it draws at, measured: the same column, the same
// type. Fitting trims the rest.
constexpr double PaperWidthMm = 210.0;
constexpr double PaperHeightMm = 5000.0;
constexpr double MarginMm = 3.5;
constexpr double CssPxPerInch = 96.0;
constexpr double SpillMarginPx = 40.0;
// The width the converter lays the page out at: its printed column at its scale.
constexpr double LayoutWidthPx = (PaperWidthMm - 2 * MarginMm) / MmPerInch * CssPxPerInch / ConverterScale;
} // namespace

double layoutWidthPx()
{
    return LayoutWidthPx;
}

// Chromium paints the page's background over the whole paper, so the paper is cut to the content's own height;
// a little over it, as Chromium rounds the paper down and lays lines out a shade taller in print, so no line spills
// onto a page of its own. A page taller than the converter's goes on to a second one.
QJsonObject settings(double contentHeightPx)
{
    const double margin = MarginMm / MmPerInch;
    const double content = (contentHeightPx + SpillMarginPx) * ConverterScale / CssPxPerInch;
    const double height =
        contentHeightPx > 0 ? std::min(content + 2 * margin, PaperHeightMm / MmPerInch) : PaperHeightMm / MmPerInch;
    return {{QStringLiteral("paperWidth"), PaperWidthMm / MmPerInch},
            {QStringLiteral("paperHeight"), height},
            {QStringLiteral("marginTop"), margin},
            {QStringLiteral("marginBottom"), margin},
            {QStringLiteral("marginLeft"), margin},
            {QStringLiteral("marginRight"), margin},
            {QStringLiteral("scale"), ConverterScale},
            {QStringLiteral("printBackground"), true},
            {QStringLiteral("preferCSSPageSize"), false},
            {QStringLiteral("generateTaggedPDF"), true},
            {QStringLiteral("generateDocumentOutline"), true}};
}

QJsonObject pagedSettings()
{
    return {{QStringLiteral("paperWidth"), PaperWidthMm / MmPerInch},
            {QStringLiteral("paperHeight"), 297.0 / MmPerInch},
            {QStringLiteral("printBackground"), true},
            {QStringLiteral("preferCSSPageSize"), true},
            {QStringLiteral("generateTaggedPDF"), true},
            {QStringLiteral("generateDocumentOutline"), true}};
}
} // namespace ChromiumPrint
} // namespace orvanta::engine
