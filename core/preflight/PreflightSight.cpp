#include "PreflightSight.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
// A found stretch spans its letters' height; a run's baseline lies within it, or just below it. A hyphen, a dash
// or an apostrophe stands well above the baseline: its middle lies within the run's letters, from the baseline up.
bool onLineOf(const PdfTextRun& run, const TextArea& area)
{
    if (run.page != area.page)
        return false;
    const double slack = std::max(1.0, 0.25 * area.rect.height());
    const double middle = area.rect.center().y();
    return (run.origin.y() >= area.rect.top() - slack && run.origin.y() <= area.rect.bottom() + slack) ||
           (middle >= run.origin.y() - run.sizePt && middle <= run.origin.y() + slack);
}

// The runs that draw the stretch: the last one to start at its left edge or before, and any starting inside it.
// A run's end is not known, so the one before the edge is taken to reach into it.
bool isReadable(const QList<PdfTextRun>& runs, const TextArea& area)
{
    constexpr double edge = 1.0;
    const double left = area.rect.left() + edge;
    std::vector<const PdfTextRun*> line;
    double start = -HUGE_VAL;
    for (const PdfTextRun& run : runs) {
        if (!onLineOf(run, area) || run.origin.x() >= area.rect.right())
            continue;
        line.push_back(&run);
        if (run.origin.x() <= left)
            start = std::max(start, run.origin.x());
    }
    bool drawn = false;
    for (const PdfTextRun* run : line) {
        if (run->origin.x() <= left && run->origin.x() < start - 0.01)
            continue;
        drawn = true;
        if (!orvanta::preflight::isReadable(*run))
            return false;
    }
    return drawn;
}
} // namespace

bool isReadable(const PdfTextRun& run)
{
    return run.shown && run.sizePt >= MinReadablePt && run.contrast >= MinVisibleContrast;
}

bool isClickable(const PdfLink& link)
{
    return link.shown && link.area.width() >= MinReadablePt && link.area.height() >= MinReadablePt;
}

bool isReadable(const PdfFacts& facts, const FoundText& found)
{
    return !found.areas.isEmpty() && found.inked &&
           std::all_of(found.areas.cbegin(), found.areas.cend(),
                       [&facts](const TextArea& area) { return isReadable(facts.textRuns, area); });
}
} // namespace orvanta::preflight
