#include "Preflight.h"

#include "Background.h"
#include "Brand.h"
#include "PageFill.h"
#include "PictureWidths.h"
#include "PreflightChecks.h"
#include "PreflightLinks.h"
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

#include <algorithm>
#include <optional>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
/** A picture holding more than this many times the pixels it is shown with is far larger than shown. */
constexpr double FarLargerFactor = 3.0;
constexpr double CssPixelsPerPoint = 96.0 / 72.0;

void checkDocument(const PreflightInput& input, const QString& pdfPath, const PdfFacts& facts, PreflightChecks& checks)
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
void checkPictures(const PdfFacts& facts, PreflightChecks& checks)
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

void checkMainTitle(const PreflightInput& input, const PdfFacts& facts, const PdfTextFacts& text,
                    PreflightChecks& checks)
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

void checkDisclosure(const PreflightInput& input, const PdfFacts& facts, const PdfTextFacts& text,
                     PreflightChecks& checks)
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

void checkSavedPage(const PreflightInput& input, PreflightChecks& checks)
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

void checkPage(const PreflightInput& input, const PdfFacts& facts, PreflightChecks& checks)
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
    PreflightChecks checks(report);
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
