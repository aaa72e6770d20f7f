#include "WindowLayout.h"

namespace WindowLayout {
namespace {
constexpr int PageWidthMargin = 800;
constexpr int PageBottomMargin = 1700;
constexpr int PleaseWaitRightMargin = 800;

int acceptedLength(int proposed, int previous)
{
    return proposed < 0 ? previous : proposed;
}
} // namespace

Arrangement arrange(Size window, Size previousPage)
{
    Arrangement result;
    result.page.width = acceptedLength(window.width - PageWidthMargin, previousPage.width);
    result.page.height = acceptedLength(window.height - PageTop - PageBottomMargin, previousPage.height);
    result.pleaseWaitLeft = window.width - PleaseWaitWidth - PleaseWaitRightMargin;
    return result;
}

int toPixels(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / TwipsPerInch);
}

Size clientPixels(qreal dotsPerInch)
{
    return {toPixels(ClientWidth, dotsPerInch), toPixels(ClientHeight, dotsPerInch)};
}

int toTwips(int pixels, qreal dotsPerInch)
{
    return qRound(pixels * TwipsPerInch / dotsPerInch);
}
} // namespace WindowLayout
