#include "Preflight.h"

#include "Background.h"
#include "Brand.h"
#include "PageFill.h"
#include "PictureWidths.h"
#include "PreflightPage.h"
#include "PreflightPdf.h"
#include "PreflightSight.h"
#include "PreflightText.h"
#include "PreflightTr.h"
#include "SizeText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <optional>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
// A count as a sentence says it: "1 check", "2 checks".
QString counted(qsizetype n, const char* one, const char* many)
{
    return n == 1 ? PreflightTr::tr(one) : PreflightTr::tr(many).arg(n);
}

/** A picture holding more than this many times the pixels it is shown with is far larger than shown. */
constexpr double FarLargerFactor = 3.0;
constexpr double CssPixelsPerPoint = 96.0 / 72.0;

// Both sides escaped as the page escapes a link: a quote the PDF holds as %27 is the link's own quote.
QString normalLink(const QString& link, QUrl::FormattingOptions also = QUrl::None)
{
    const QUrl url(PageFill::pageLink(link.trimmed()), QUrl::TolerantMode);
    return url.toString(QUrl::FullyEncoded | QUrl::StripTrailingSlash | QUrl::NormalizePathSegments | also);
}

/** Collects the findings, one per check, and counts the checks that ran. */
class Checks {
public:
    explicit Checks(PreflightReport& report)
        : m_report(report)
    {
    }

    void ran() { ++m_report.checksRun; }
    void fail(PreflightCheck check, const QString& line)
    {
        m_report.failures.append({check, preflightCheckName(check) + QStringLiteral(": ") + line});
    }

private:
    PreflightReport& m_report;
};

// The converter may spell an address a little differently (a closing slash, escapes); a link without its query
// is one whose tags were lost on the way. Only a link a reader can see and click counts.
std::optional<PdfLink> linkInPdf(const PdfFacts& facts, const QString& link, bool clickable = true)
{
    for (const PdfLink& found : facts.links)
        if (isClickable(found) == clickable && normalLink(found.uri) == normalLink(link))
            return found;
    return std::nullopt;
}

void checkLinks(const PreflightInput& input, const PdfFacts& facts, Checks& checks)
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
void checkShortLink(const PreflightInput& input, const PdfFacts& facts, Checks& checks)
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

void checkBuyLink(const PreflightInput& input, Checks& checks)
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

void checkDocument(const PreflightInput& input, const QString& pdfPath, const PdfFacts& facts, Checks& checks)
{
    checks.ran();
    if (!facts.unembeddedFonts.isEmpty())
        checks.fail(
            PreflightCheck::Fonts,
            PreflightTr::tr("%1 is not embedded, so readers without it see another font. Use one of the fonts Orvanta "
                            "installs: %2.")
                .arg(facts.unembeddedFonts.join(QStringLiteral(", ")), brandFonts().join(QStringLiteral(", "))));
    checks.ran();
    if (facts.title.isEmpty() || facts.language.isEmpty()) {
        const QString missing = facts.title.isEmpty() && facts.language.isEmpty()
                                    ? PreflightTr::tr("neither a title nor a language")
                                : facts.title.isEmpty() ? PreflightTr::tr("no title")
                                                        : PreflightTr::tr("no language");
        checks.fail(
            PreflightCheck::TitleAndLanguage,
            PreflightTr::tr("the PDF names %1, which viewers and screen readers show. Fill in the main title in Step 1 "
                            "and keep the language the design's page names.")
                .arg(missing));
    }
    checks.ran();
    const qint64 bytes = QFileInfo(pdfPath).size();
    if (bytes > input.budgetBytes)
        checks.fail(PreflightCheck::FileSize,
                    PreflightTr::tr("the PDF is %1, over its budget of %2. Tick \"Make the PDF smaller\" "
                                    "or use smaller pictures.")
                        .arg(sizeOverText(bytes, input.budgetBytes), megabytesText(input.budgetBytes)));
}

// Small pictures cost little whatever their density; only a picture wider than the sizer ever makes counts.
void checkPictures(const PdfFacts& facts, Checks& checks)
{
    checks.ran();
    QList<PdfPicture> far;
    for (const PdfPicture& picture : facts.pictures) {
        const double shownPx = picture.shownWidthPt * CssPixelsPerPoint;
        if (picture.pixels.width() > SizedPictureWidthPx && picture.pixels.width() > FarLargerFactor * shownPx)
            far << picture;
    }
    if (far.isEmpty())
        return;
    const PdfPicture& first = far.first();
    checks.fail(PreflightCheck::Pictures,
                counted(far.size(), QT_TRANSLATE_NOOP("Preflight", "1 picture holds"),
                        QT_TRANSLATE_NOOP("Preflight", "%1 pictures hold")) +
                    PreflightTr::tr(
                        " far more pixels than shown (%1 × %2 pixels shown %3 pixels wide), which only makes the PDF "
                        "larger. Tick \"Make the PDF smaller\" or use smaller pictures.")
                        .arg(first.pixels.width())
                        .arg(first.pixels.height())
                        .arg(qRound(first.shownWidthPt * CssPixelsPerPoint)));
}

// Text drawn too small, too faint or off the page is there for a search, never for a reader.
std::optional<FoundText> firstReadable(const PdfFacts& facts, const QList<FoundText>& found)
{
    for (const FoundText& each : found)
        if (isReadable(facts, each))
            return each;
    return std::nullopt;
}

const char* const UnseenText = QT_TRANSLATE_NOOP("Preflight", "too small, too faint, covered or off the page");

void checkMainTitle(const PreflightInput& input, const PdfFacts& facts, const PdfTextFacts& text, Checks& checks)
{
    if (input.mainTitle.isEmpty())
        return;
    checks.ran();
    if (text.titles.isEmpty())
        checks.fail(PreflightCheck::MainTitle,
                    PreflightTr::tr(
                        "\"%1\" cannot be found in the PDF's text, so searches and screen readers miss it. Keep the "
                        "title as text in the design and create the PDF again.")
                        .arg(input.mainTitle));
    else if (!firstReadable(facts, text.titles))
        checks.fail(
            PreflightCheck::MainTitle,
            PreflightTr::tr("\"%1\" stands in the PDF only where a reader cannot see it (%2). Show the title as the "
                            "design sets it and create the PDF again.")
                .arg(input.mainTitle, PreflightTr::tr(UnseenText)));
}

void checkDisclosure(const PreflightInput& input, const PdfFacts& facts, const PdfTextFacts& text, Checks& checks)
{
    checks.ran();
    const std::optional<FoundText> wording = firstReadable(facts, text.wordings);
    if (!wording && !text.wordings.isEmpty()) {
        checks.fail(PreflightCheck::Disclosure,
                    PreflightTr::tr(
                        "the PDF's disclosure line is %1, so a reader does not see it. Show it as plain text above the "
                        "buy button.")
                        .arg(PreflightTr::tr(UnseenText)));
        return;
    }
    if (!wording) {
        checks.fail(PreflightCheck::Disclosure,
                    PreflightTr::tr(
                        "the PDF holds no disclosure line (like \"we may earn a commission\"). Use a design with one, "
                        "or add one to the review above the buy button."));
        return;
    }
    std::optional<PagePlace> firstLink;
    for (const QString& link : input.links)
        if (const std::optional<PdfLink> found = linkInPdf(facts, link))
            if (!firstLink || found->place.isBefore(*firstLink))
                firstLink = found->place;
    if (firstLink && firstLink->isBefore(wording->place()))
        checks.fail(PreflightCheck::Disclosure,
                    PreflightTr::tr("the disclosure stands after the buy button, but a reader must "
                                    "see it first. Move it above the button."));
}

void checkSavedPage(const PreflightInput& input, Checks& checks)
{
    if (input.webPageFolder.isEmpty() || input.links.isEmpty())
        return;
    checks.ran();
    QFile file(QDir(input.webPageFolder).filePath(QStringLiteral("index.html")));
    if (!file.open(QIODevice::ReadOnly)) {
        checks.fail(PreflightCheck::SponsoredLinks,
                    PreflightTr::tr("the saved web page %1 could not be read: %2.")
                        .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return;
    }
    const QStringList unmarked = unmarkedLinks(QString::fromUtf8(file.readAll()), input.links);
    if (!unmarked.isEmpty())
        checks.fail(PreflightCheck::SponsoredLinks,
                    PreflightTr::tr(
                        "in the saved web page %1. Search engines ask for rel=\"nofollow sponsored\" on paid links; "
                        "use a design that sets it.")
                        .arg(unmarked.join(QStringLiteral("; "))));
}

void checkPage(const PreflightInput& input, const PdfFacts& facts, Checks& checks)
{
    if (input.pageText.isEmpty())
        return;
    checks.ran();
    const QList<ColourPair> weak = weakColourPairs(input.pageText);
    if (!weak.isEmpty()) {
        const ColourPair& first = weak.first();
        QString line = PreflightTr::tr("%1 on %2 (%3) reads at %4 : 1, below the %5 : 1 text needs")
                           .arg(first.foreground, first.background, first.selector)
                           .arg(QString::number(first.ratio, 'f', 1))
                           .arg(minimumContrast);
        if (weak.size() > 1)
            line += counted(weak.size() - 1, QT_TRANSLATE_NOOP("Preflight", ", and 1 more pair"),
                            QT_TRANSLATE_NOOP("Preflight", ", and %1 more pairs"));
        checks.fail(PreflightCheck::Contrast, line + PreflightTr::tr(". Choose darker text or a lighter background."));
    }
    checks.ran();
    // The converter writes no descriptions into the PDF; where an engine does, the PDF's own count is the truth.
    const int undescribed = facts.tagged ? facts.figuresWithoutDescription : picturesWithoutDescription(input.pageText);
    if (undescribed > 0)
        checks.fail(
            PreflightCheck::PictureDescriptions,
            counted(
                undescribed,
                QT_TRANSLATE_NOOP("Preflight", "1 picture has no description, so screen readers pass over it."),
                QT_TRANSLATE_NOOP("Preflight", "%1 pictures have no description, so screen readers pass over them.")) +
                PreflightTr::tr(" Give each picture of the review an alt text."));
}
} // namespace

QString preflightCheckName(PreflightCheck check)
{
    switch (check) {
    case PreflightCheck::Readable:
        return PreflightTr::tr("PDF");
    case PreflightCheck::Links:
        return PreflightTr::tr("Links");
    case PreflightCheck::BuyLink:
        return PreflightTr::tr("Buy button");
    case PreflightCheck::MainTitle:
        return PreflightTr::tr("Main title");
    case PreflightCheck::Fonts:
        return PreflightTr::tr("Fonts");
    case PreflightCheck::TitleAndLanguage:
        return PreflightTr::tr("Title and language");
    case PreflightCheck::FileSize:
        return PreflightTr::tr("Size");
    case PreflightCheck::Pictures:
        return PreflightTr::tr("Pictures");
    case PreflightCheck::Disclosure:
        return PreflightTr::tr("Disclosure");
    case PreflightCheck::SponsoredLinks:
        return PreflightTr::tr("Sponsored links");
    case PreflightCheck::Contrast:
        return PreflightTr::tr("Contrast");
    case PreflightCheck::PictureDescriptions:
        return PreflightTr::tr("Picture descriptions");
    case PreflightCheck::ShortLink:
        return PreflightTr::tr("Short link");
    }
    return {};
}
} // namespace orvanta::preflight

QStringList PreflightReport::lines() const
{
    QStringList all;
    for (const PreflightFinding& finding : failures)
        all << finding.line;
    return all;
}

QString PreflightReport::summary() const
{
    if (!ran)
        return {};
    if (passed())
        return counted(checksRun, QT_TRANSLATE_NOOP("Preflight", "Preflight: the 1 check passed."),
                       QT_TRANSLATE_NOOP("Preflight", "Preflight: all %1 checks passed."));
    return counted(failures.size(),
                   QT_TRANSLATE_NOOP("Preflight", "Preflight: 1 check failed; the PDF is kept as made."),
                   QT_TRANSLATE_NOOP("Preflight", "Preflight: %1 checks failed; the PDF is kept as made.")) +
           QLatin1Char('\n') + lines().join(QLatin1Char('\n'));
}

namespace orvanta::preflight {
QFuture<PdfTextFacts> startReadingPreflightText(const QString& pdfPath, const PreflightInput& input)
{
    QFile file(pdfPath);
    const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QStringList wordings = disclosureWordings();
    if (!input.disclosure.trimmed().isEmpty())
        wordings << input.disclosure;
    return QtConcurrent::run(&Background::pool(), readPdfText, pdf, pdfPath, input.mainTitle, wordings);
}

PreflightReport preflight(const QString& pdfPath, const PreflightInput& input)
{
    return orvanta::preflight::preflight(pdfPath, input, startReadingPreflightText(pdfPath, input));
}

// The two readers share nothing: side by side, the preflight costs the slower of them.
PreflightReport preflight(const QString& pdfPath, const PreflightInput& input, QFuture<PdfTextFacts> reading)
{
    PreflightReport report;
    report.ran = true;
    Checks checks(report);
    checks.ran();
    const PdfFacts facts = readPdfFacts(pdfPath);
    const PdfTextFacts text = reading.result();
    const QString error = facts.error.isEmpty() ? text.error : facts.error;
    if (!error.isEmpty()) {
        checks.fail(PreflightCheck::Readable,
                    PreflightTr::tr("it could not be read: %1. Create it again; if this stays, the "
                                    "converter did not write a whole PDF.")
                        .arg(error));
        return report;
    }
    checkLinks(input, facts, checks);
    checkBuyLink(input, checks);
    checkShortLink(input, facts, checks);
    checkMainTitle(input, facts, text, checks);
    checkDocument(input, pdfPath, facts, checks);
    checkPictures(facts, checks);
    checkDisclosure(input, facts, text, checks);
    checkSavedPage(input, checks);
    checkPage(input, facts, checks);
    return report;
}
} // namespace orvanta::preflight
