#include "PageBuilder.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "Designs.h"
#include "FileToolkit.h"
#include "HelperOps.h"
#include "ModUtf8.h"
#include "PageFill.h"
#include "PageLanguage.h"
#include "PageTr.h"
#include "PageWords.h"
#include "PictureCheck.h"
#include "QrCode.h"
#include "ReviewBlocks.h"
#include "SafeCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
// Images land in bin under their own names, beside files the program needs there; an image named like
// one of them would replace the template, the converter or the instructions, or mix into the page.
Result<void> placeInFolder(const QString& app, const QString& folder, const QString& source, const QString& name,
                           const QString& pageFile)
{
    const QString needed[] = {vFile::FileNameOf(AppFolder::templatePath(app)),
                              vFile::FileNameOf(AppFolder::converterPath(app)),
                              vFile::FileNameOf(AppFolder::builtInInstructionsPath(app)), pageFile};
    for (const QString& taken : needed) {
        if (name.compare(taken, Qt::CaseInsensitive) == 0)
            return fail(
                PageTr::tr("The image \"%1\" cannot be used: \"%2\" is a file of Orvanta. Please rename the image.")
                    .arg(source, inFolder(folder, name)));
    }
    // A missing file keeps the copy's own message; anything there must be a picture before it is read. An empty
    // file carries nothing: it is how the page preview shows a picture that is missing.
    const QFileInfo info(source);
    if (info.exists() && !(info.isFile() && info.size() == 0)) {
        const Result<void> picture = checkPicture(source);
        if (!picture)
            return picture;
    }
    return safeCopy(source, inFolder(folder, name));
}

struct BonusImage {
    QString source;
    QString name;
};

BonusImage bonusImageOf(const QString& app, const PageFields& fields)
{
    if (fields.ownBonus)
        return {fields.ownBonusImagePath, vFile::FileNameOf(fields.ownBonusImagePath)};
    const QString cleanId = Catalogue::cleanProductId(fields.rawProductId);
    return {Catalogue::salesPagePath(app, cleanId), QStringLiteral("salespage.gif")};
}

// Both copies land in one folder: a bonus image named like a different cover would replace the cover's copy
// and the page would show the bonus twice. Letter case counts as the same name, as it does on Windows.
QString bonusCopyName(const BonusImage& bonus, const QString& coverSource, const QString& coverName)
{
    if (bonus.name.compare(coverName, Qt::CaseInsensitive) != 0 || isSameFile(bonus.source, coverSource))
        return bonus.name;
    const QFileInfo name(bonus.name);
    const QString suffix = name.suffix();
    return name.completeBaseName() + QStringLiteral("-bonus") +
           (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

// The logo's copy has a name of its own, never one of the page's images.
QString logoCopyName(const QString& logoPath, const QStringList& taken)
{
    const QString suffix = QFileInfo(logoPath).suffix().toLower();
    QString name = QStringLiteral("brand-logo.") + suffix;
    for (int n = 2; taken.contains(name, Qt::CaseInsensitive); ++n)
        name = QStringLiteral("brand-logo-%1.").arg(n) + suffix;
    return name;
}

// The design's files go beside the images; one of an image's name would replace its copy.
Result<void> placeDesign(const Design& design, const QString& folder, BuiltPage& page)
{
    for (const QString& image : page.imageNames) {
        if (design.assets.contains(image, Qt::CaseInsensitive))
            return fail(
                PageTr::tr("The image \"%1\" has the name of a file of the design \"%2\". Please rename the image.")
                    .arg(image, design.name));
    }
    const Result<QStringList> placed = Designs::placeFiles(design, folder);
    if (!placed)
        return placed.failure();
    page.assetNames << placed.value();
    return {};
}

// The design's template as this page needs it: its direction, the brand, the language and the review's styles.
Result<QString> templateFor(const Design& design, const PageFields& fields, const PageWords& words,
                            const QString& logoImage)
{
    Result<QString> read = Designs::readTemplate(design);
    if (read && words.rightToLeft)
        read = Designs::withRtlStyle(design, std::move(read).value());
    if (!read)
        return read;
    QString text = Designs::applyBrand(design, std::move(read).value(), fields.brand, logoImage);
    text = PageLanguage::withLanguage(std::move(text), fields.language);
    text = PageLanguage::withDirection(std::move(text), words.rightToLeft);
    if (PageFill::showsBlock(text, PageFill::optionalValues(fields, words)))
        text = ReviewBlocks::withStyleSheet(text, design.look.with(fields.brand).accentColor, words.rightToLeft);
    return text;
}
} // namespace
} // namespace orvanta::page

PageTarget PageTarget::ofApp(const QString& app)
{
    return {AppFolder::binFolder(app), AppFolder::outputFolder(app)};
}

namespace orvanta::page {
// Any letter case: on a case-insensitive file system "Template" names the template itself.
QString pageFileNameOf(const QString& pageName)
{
    const bool namesTemplate = pageName.compare(QLatin1String("template"), Qt::CaseInsensitive) == 0;
    return (namesTemplate ? QStringLiteral("e") : QString()) + pageName + QStringLiteral(".html");
}

// Room for the "e" that guards the template's name and the ".html" of the page, within the
// 255 bytes most file systems allow for a name.
int maxPageNameBytes()
{
    return 255 - 1 - 5;
}

QString pageNameOf(const QString& pdfFileName)
{
    return vParser::ReplaceText(pdfFileName, QStringLiteral(" "), QStringLiteral("-"));
}

const QStringList& pageTailScripts()
{
    static const QStringList scripts{
        QStringLiteral("assets/js/jquery.min.js"), QStringLiteral("assets/bootstrap/js/bootstrap.min.js"),
        QStringLiteral("https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js"),
        QStringLiteral("assets/js/stylish-portfolio.js")};
    return scripts;
}

QString pageTail()
{
    static const QString tail = [] {
        QString text;
        for (const QString& script : pageTailScripts())
            text += QStringLiteral("<script src= ") + script + QStringLiteral(" ></script>");
        return text + QStringLiteral("</body></html>");
    }();
    return tail;
}

QString bonusImageSource(const QString& app, const PageFields& fields)
{
    return bonusImageOf(app, fields).source;
}

Result<BuiltPage> BuildPage(const QString& app, const PageFields& fields)
{
    return BuildPage(app, fields, PageTarget::ofApp(app));
}

Result<BuiltPage> BuildPage(const QString& app, const PageFields& fields, const PageTarget& target)
{
    const Design design = Designs::find(app, fields.design);
    const QString refused = design.usable() ? brandProblem(fields.brand) : design.problem;
    if (!refused.isEmpty())
        return fail(refused, BuildFailure::FileError);
    BuiltPage page;
    page.pageName = pageNameOf(fields.pdfFileName);
    const QString pageFile = pageFileNameOf(page.pageName);
    const QString affiliateImage = vFile::FileNameOf(fields.affiliateImagePath);
    Result<void> placed = placeInFolder(app, target.pageFolder, fields.affiliateImagePath, affiliateImage, pageFile);
    if (!placed)
        return fail(placed.error(), BuildFailure::FileError);

    const BonusImage bonus = bonusImageOf(app, fields);
    if (!vTools::FileExists(bonus.source))
        return fail(bonus.source, BuildFailure::BonusImageMissing);
    const QString bonusImage = bonusCopyName(bonus, fields.affiliateImagePath, affiliateImage);
    placed = placeInFolder(app, target.pageFolder, bonus.source, bonusImage, pageFile);
    if (!placed)
        return fail(placed.error(), BuildFailure::FileError);

    page.imageNames = QStringList{affiliateImage, bonusImage};
    page.imageNames.removeDuplicates();
    QString logoImage;
    if (!fields.brand.logoPath.isEmpty()) {
        logoImage = logoCopyName(fields.brand.logoPath, page.imageNames);
        placed = placeInFolder(app, target.pageFolder, fields.brand.logoPath, logoImage, pageFile);
        if (!placed)
            return fail(placed.error(), BuildFailure::FileError);
        page.imageNames << logoImage;
    }
    placed = placeDesign(design, target.pageFolder, page);
    if (!placed)
        return fail(placed.error(), BuildFailure::FileError);
    const PageWords words = PageWordTables::of(fields.language, design.words);
    Result<QString> templateText = templateFor(design, fields, words, logoImage);
    if (!templateText)
        return fail(templateText.error(), BuildFailure::FileError);

    const Result<QString> qrCode = fields.qrCode
                                       ? QrCode::pageBlock(PageFill::pageLink(PageFill::qrLink(fields)), words)
                                       : Result<QString>(QString());
    if (!qrCode)
        return fail(qrCode.error(), BuildFailure::FileError);
    page.htmlPath = inFolder(target.pageFolder, pageFile);
    page.pdfPath = inFolder(target.pdfFolder, page.pageName + QStringLiteral(".pdf"));
    FilledText filled =
        PageFill::filled(std::move(templateText).value(), fields, {affiliateImage, bonusImage, qrCode.value()}, words);
    page.filledText = std::move(filled.text);
    page.headEnd = filled.headEnd;
    page.share = Sharing::of(fields);
    page.webLinks = PageFill::webLinks(fields);
    page.disclosure = words.disclosure;
    return page;
}

Result<void> WritePage(const BuiltPage& page)
{
    QString error;
    std::unique_ptr<QFile> file = modUTF8::OpenForAppend(page.htmlPath, &error);
    if (!file)
        return fail(error);
    const qint64 sizeBefore = file->size();
    if (!modUTF8::writeUtf8(*file, page.filledText + pageTail(), false, &error)) {
        file->close();
        if (sizeBefore == 0)
            QFile::remove(page.htmlPath);
        else
            QFile::resize(page.htmlPath, sizeBefore);
        return fail(error);
    }
    file->close();
    return {};
}
} // namespace orvanta::page
