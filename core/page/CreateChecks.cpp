#include "CreateChecks.h"

#include "AppFolder.h"
#include "EngineNames.h"
#include "FileToolkit.h"
#include "PageLanguage.h"
#include "PageTr.h"
#include "PdfName.h"
#include "ReviewBlocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
bool callToActionIncomplete(const PageFields& fields)
{
    return fields.ctaUrl == QLatin1String("http://") || fields.ctaText.isEmpty() || fields.ctaUrl.isEmpty() ||
           fields.ctaTitle.isEmpty();
}

// Only a web address may become the Buy button: a "javascript:", "data:" or "file:" link would run or open
// something in the converter and in every saved web page.
bool isWebLink(const QString& link)
{
    return link.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           link.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}
} // namespace

QString missingInfo(const PageFields& fields, bool catalogueEntryChosen)
{
    if (fields.pdfFileName.isEmpty())
        return PageTr::tr("Please enter a name for the pdf.");
    const QString nameProblem = pdfNameProblem(fields.pdfFileName);
    if (!nameProblem.isEmpty())
        return nameProblem;
    if (fields.affiliateImagePath.isEmpty())
        return PageTr::tr(
            "Please select an image of the affiliate product that you want to promote (like a product cover "
            "etc). You can do this from the first tab. ");
    if (!catalogueEntryChosen && !fields.ownBonus)
        return PageTr::tr("Please select a bonus from the list or enable the option to use your own bonus.");
    if (callToActionIncomplete(fields))
        return PageTr::tr("Please complete all the required fields.");
    if (!isWebLink(fields.ctaUrl))
        return PageTr::tr("Your Affiliate Link must be a web address that begins with http:// or https://.");
    if (fields.ownBonus && fields.ownBonusImagePath.isEmpty())
        return PageTr::tr("If you want to use your own bonus, please provide an image for it to use as description.");
    for (const QString& problem :
         {PageLanguage::problem(fields.language), orvanta::campaign::ReviewBlocks::ratingProblem(fields.rating),
          EngineNames::problem(fields.engine)})
        if (!problem.isEmpty())
            return problem;
    return QString();
}

QString targetFileNotFound(const QString& what)
{
    return PageTr::tr("Target file not found.") + QLatin1Char('\n') + what;
}

QString builtInInstructionsQuestion()
{
    return PageTr::tr("You are not including bonus download instructions. If you are promoting a JVZoo / W+ product is "
                      "recommended to add them. Would you like to add built-in 'Bonus Delivery' instructions for these "
                      "platforms?");
}

// Hidden pages too (a PDF name with a leading dot). A case-insensitive file system may list the template as
// "Template.html".
Result<void> removeOldPages(const QString& pageFolder)
{
    for (const QString& name : AppFolder::listFolder(pageFolder, QStringLiteral("*.html"), true)) {
        if (name.compare(QLatin1String("template.html"), Qt::CaseInsensitive) == 0)
            continue;
        QFile page(inFolder(pageFolder, name));
        if (!page.remove() && page.exists())
            return fail(
                PageTr::tr("The old page %1 could not be deleted: %2").arg(page.fileName(), page.errorString()));
    }
    return {};
}
} // namespace orvanta::page
