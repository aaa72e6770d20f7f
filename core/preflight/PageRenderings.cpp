#include "PageRenderings.h"

#include <QPainter>
#include <QPdfDocument>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Pixels per point: a 6 pt letter's strokes still cover whole pixels.
constexpr double Scale = 2;
/** The share of a stretch's pixels that must stand out: more than a stray edge of a cover leaves. */
constexpr double MinInkShare = 0.02;

// A grey level's relative luminance.
double luminance(int grey)
{
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> values{};
        for (size_t i = 0; i < values.size(); ++i) {
            const double c = double(i) / 255.0;
            values[i] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return linear[size_t(grey)];
}

double contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Around a stretch is what it stands on: the letters' box itself may be mostly ink.
QRect pixelsAround(const QRectF& rect)
{
    const double margin = std::max(1.0, 0.25 * rect.height());
    const QRectF around = rect.adjusted(-margin, -margin, margin, margin);
    return QRectF(around.topLeft() * Scale, around.size() * Scale).toAlignedRect();
}

// The most frequent grey there is the background; the letters are the pixels that stand out from it.
bool showsInk(const QImage& image, const QRect& area, double letterPixels)
{
    std::array<qsizetype, 256> counts{};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[line[x]];
    }
    const double under = luminance(int(std::max_element(counts.cbegin(), counts.cend()) - counts.cbegin()));
    double ink = 0;
    for (size_t grey = 0; grey < counts.size(); ++grey)
        if (counts[grey] > 0 && contrast(luminance(int(grey)), under) >= MinRenderedContrast)
            ink += double(counts[grey]);
    return ink > 0 && ink >= MinInkShare * letterPixels;
}
} // namespace

PageRenderings::PageRenderings(QPdfDocument& document)
    : m_document(document)
{
}

// The whole page: a rendering of a part of it lands a little off in some versions of Qt's PDF module.
const QImage& PageRenderings::page(int index)
{
    auto [at, added] = m_pages.try_emplace(index);
    if (added) {
        const QImage drawn = m_document.render(index, (m_document.pagePointSize(index) * Scale).toSize());
        // Where nothing is painted the page is white; contrast is a matter of lightness alone.
        QImage page(drawn.size(), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter(&page).drawImage(0, 0, drawn);
        at->second = page.convertToFormat(QImage::Format_Grayscale8);
    }
    return at->second;
}

bool PageRenderings::showsInk(const FoundText& found)
{
    for (const TextArea& area : found.areas) {
        if (area.rect.isEmpty())
            continue;
        const QImage& image = page(area.page);
        const QRect pixels = pixelsAround(area.rect) & image.rect();
        const double letters = std::max(1.0, area.rect.width() * area.rect.height() * Scale * Scale);
        if (pixels.isEmpty() || !::showsInk(image, pixels, letters))
            return false;
    }
    return true;
}
