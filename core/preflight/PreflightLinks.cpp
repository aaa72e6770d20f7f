#include "PreflightLinks.h"

#include "PageFill.h"
#include "PreflightSight.h"

#include <QUrl>

#include <algorithm>

using namespace orvanta::page;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
// Both sides escaped as the page escapes a link: a quote the PDF holds as %27 is the link's own quote.
QString normalLink(const QString& link, QUrl::FormattingOptions also = QUrl::None)
{
    const QUrl url(PageFill::pageLink(link.trimmed()), QUrl::TolerantMode);
    return url.toString(QUrl::FullyEncoded | QUrl::StripTrailingSlash | QUrl::NormalizePathSegments | also);
}
} // namespace

// The converter may spell an address a little differently (a closing slash, escapes); a link without its query
// is one whose tags were lost on the way. Only a link a reader can see and click counts.
std::optional<PdfLink> linkInPdf(const PdfFacts& facts, const QString& link, bool clickable)
{
    for (const PdfLink& found : facts.links)
        if (isClickable(found) == clickable && normalLink(found.uri) == normalLink(link))
            return found;
    return std::nullopt;
}

void checkLinks(const PreflightInput& input, const PdfFacts& facts, PreflightChecks& checks)
{
    if (input.links.isEmpty())
        return;
    checks.ran();
    QStringList problems;
    for (const QString& link : input.links) {
        if (linkInPdf(facts, link))
            continue;
        const QString bare = normalLink(link, QUrl::RemoveQuery | QUrl::RemoveFragment);
        const auto stripped = std::find_if(facts.links.cbegin(), facts.links.cend(), [&bare](const PdfLink& found) {
            return isClickable(found) && normalLink(found.uri, QUrl::RemoveQuery | QUrl::RemoveFragment) == bare;
        });
        if (stripped != facts.links.cend())
            problems << PreflightTr::tr("%1 lost its tracking tags (the PDF opens %2)").arg(link, stripped->uri);
        else if (linkInPdf(facts, link, false))
            problems << PreflightTr::tr("%1 is a link only on a spot too small to see or click").arg(link);
        else
            problems << PreflightTr::tr("%1 is not a clickable link").arg(link);
    }
    if (!problems.isEmpty())
        checks.fail(PreflightCheck::Links,
                    PreflightTr::tr("%1. Check the affiliate link in Step 1 and create the PDF again.")
                        .arg(problems.join(QStringLiteral("; "))));
}

// A link the review spells out itself reaches the offer directly, so re-pointing the short link would miss it.
void checkShortLink(const PreflightInput& input, const PdfFacts& facts, PreflightChecks& checks)
{
    if (input.shortLink.isEmpty())
        return;
    checks.ran();
    const QString offer = normalLink(input.offerTarget, QUrl::RemoveQuery | QUrl::RemoveFragment);
    QStringList bypassing;
    for (const PdfLink& found : facts.links)
        if (isClickable(found) && normalLink(found.uri, QUrl::RemoveQuery | QUrl::RemoveFragment) == offer &&
            normalLink(found.uri) != normalLink(input.shortLink) && !bypassing.contains(found.uri))
            bypassing << found.uri;
    if (!bypassing.isEmpty())
        checks.fail(
            PreflightCheck::ShortLink,
            PreflightTr::tr("Offer links bypass the short link: %1%2. Link them to %3 instead, so that re-pointing it "
                            "reaches every reader.")
                .arg(bypassing.first(),
                     bypassing.size() > 1 ? counted(bypassing.size() - 1, ", and 1 more", ", and %1 more") : QString(),
                     input.shortLink));
}

void checkBuyLink(const PreflightInput& input, PreflightChecks& checks)
{
    if (input.links.isEmpty())
        return;
    checks.ran();
    const QString scheme = QUrl(input.links.first().trimmed(), QUrl::TolerantMode).scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        checks.fail(PreflightCheck::BuyLink,
                    PreflightTr::tr(
                        "its link \"%1\" is no web address, so a click does not open the offer. Write the affiliate "
                        "link in Step 1 with https:// in front.")
                        .arg(input.links.first()));
}
} // namespace orvanta::preflight
