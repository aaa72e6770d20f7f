#include "PageRenderings.h"

#include <QPainter>
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>

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

const QImage& PageRenderings::page(int index)
{
    auto [at, added] = m_pages.try_emplace(index);
    if (added)
        at->second = rendered(index);
    return at->second;
}

// Where nothing is painted the page is white; contrast is a matter of lightness alone. Only the part looked at is
// made grey: each pixel comes out as it would in the whole page's.
QImage PageRenderings::greyPart(const QImage& drawn, const QRect& part)
{
    QImage page(part.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(QPoint(0, 0), drawn, part);
    return page.convertToFormat(QImage::Format_Grayscale8);
}

// The top of the page at the full page's scale, as the share picture draws it: a part that starts at the page's top
// lands where the whole page's rendering has it, while one that starts lower lands a little off in some versions of
// Qt's PDF module.
QImage PageRenderings::rendered(int index) const
{
    const QSize whole = (m_document.pagePointSize(index) * Scale).toSize();
    const auto depth = m_depths.find(index);
    const int height = depth == m_depths.end() ? whole.height() : int(std::ceil(depth->second * Scale));
    if (height >= whole.height())
        return m_document.render(index, whole);
    QPdfDocumentRenderOptions options;
    options.setScaledSize(whole);
    options.setScaledClipRect(QRect(0, 0, whole.width(), std::max(1, height)));
    return m_document.render(index, QSize(whole.width(), std::max(1, height)), options);
}

void PageRenderings::reach(const QList<FoundText>& found)
{
    for (const FoundText& text : found)
        for (const TextArea& area : text.areas) {
            // Beyond the margin that showsInk() looks around a stretch.
            const double bottom = area.rect.bottom() + std::max(8.0, area.rect.height());
            double& depth = m_depths.try_emplace(area.page, 0.0).first->second;
            depth = std::max(depth, bottom);
        }
}

bool PageRenderings::showsInk(const FoundText& found)
{
    for (const TextArea& area : found.areas) {
        if (area.rect.isEmpty())
            continue;
        const QImage& image = page(area.page);
        const QRect pixels = pixelsAround(area.rect) & image.rect();
        const double letters = std::max(1.0, area.rect.width() * area.rect.height() * Scale * Scale);
        if (pixels.isEmpty())
            return false;
        const QImage grey = greyPart(image, pixels);
        if (!::showsInk(grey, grey.rect(), letters))
            return false;
    }
    return true;
}
