#pragma once

#include <QtGlobal>

/**
 * The main window's geometry in twips (1440 per inch): the resize arithmetic that stretches the
 * pages and keeps "Please Wait" at the right edge, and the conversion to and from pixels.
 */
namespace WindowLayout {
constexpr int TwipsPerInch = 1440;

constexpr int ClientWidth = 19530;
constexpr int ClientHeight = 9720;
constexpr int PageLeft = 315;
constexpr int PageTop = 1890;
constexpr int PleaseWaitTop = 315;
constexpr int PleaseWaitWidth = 5955;
constexpr int PleaseWaitHeight = 330;

// The header band and the step bar fill the space above the pages.
constexpr int HeaderHeight = 990;
constexpr int StepBarTop = 1095;

struct Size {
    int width = 0;
    int height = 0;
};

struct Arrangement {
    Size page;
    int pleaseWaitLeft = 0;
};

/**
 * Page size and "Please Wait" position for a window of outer size @p window. A negative page
 * width or height is refused and that side of @p previousPage is kept.
 */
Arrangement arrange(Size window, Size previousPage);

int toPixels(int twips, qreal dotsPerInch);
/** The window's size at start-up, in pixels. */
Size clientPixels(qreal dotsPerInch);
int toTwips(int pixels, qreal dotsPerInch);
} // namespace WindowLayout
