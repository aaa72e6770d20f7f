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

namespace {
// Images land in bin under their own names, beside files the program needs there; an image named like
// one of them would replace the template, the converter or the instructions, or mix into the page.
bool placeInFolder(const QString& app, const QString& folder, const QString& source, const QString& name,
                   const QString& pageFile, QString* error)
{
    const QString needed[] = {vFile::FileNameOf(AppFolder::templatePath(app)),
                              vFile::FileNameOf(AppFolder::converterPath(app)),
                              vFile::FileNameOf(AppFolder::builtInInstructionsPath(app)), pageFile};
    for (const QString& taken : needed) {
        if (name.compare(taken, Qt::CaseInsensitive) == 0) {
            *error =
                PageTr::tr("The image \"%1\" cannot be used: \"%2\" is a file of Orvanta. Please rename the image.")
                    .arg(source, inFolder(folder, name));
            return false;
        }
    }
    // A missing file keeps the copy's own message; anything there must be a picture before it is read. An empty
    // file carries nothing: it is how the page preview shows a picture that is missing.
    const QFileInfo info(source);
    if (info.exists() && !(info.isFile() && info.size() == 0)) {
        const PictureResult picture = checkPicture(source);
        if (!picture.ok) {
            *error = picture.error;
            return false;
        }
    }
    const CopyResult copied = safeCopy(source, inFolder(folder, name));
    if (!copied.ok)
        *error = copied.error;
    return copied.ok;
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
bool placeDesign(const Design& design, const QString& folder, BuiltPage& page, QString* error)
{
    for (const QString& image : page.imageNames) {
        if (design.assets.contains(image, Qt::CaseInsensitive)) {
            *error =
                PageTr::tr("The image \"%1\" has the name of a file of the design \"%2\". Please rename the image.")
                    .arg(image, design.name);
            return false;
        }
    }
    return Designs::placeFiles(design, folder, &page.assetNames, error);
}
} // namespace

PageTarget PageTarget::ofApp(const QString& app)
{
    return {AppFolder::binFolder(app), AppFolder::outputFolder(app)};
}

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

QString pageTail()
{
    static const QString tail = [] {
        QString text;
        for (const char* script : {"assets/js/jquery.min.js", "assets/bootstrap/js/bootstrap.min.js",
                                   "https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js",
                                   "assets/js/stylish-portfolio.js"})
            text += QStringLiteral("<script src= ") + QLatin1String(script) + QStringLiteral(" ></script>");
        return text + QStringLiteral("</body></html>");
    }();
    return tail;
}

BuildResult BuildPage(const QString& app, const PageFields& fields)
{
    return BuildPage(app, fields, PageTarget::ofApp(app));
}

BuildResult BuildPage(const QString& app, const PageFields& fields, const PageTarget& target)
{
    BuildResult result;
    const Design design = Designs::find(app, fields.design);
    result.error = design.usable() ? brandProblem(fields.brand) : design.problem;
    if (!result.error.isEmpty())
        return result;
    BuiltPage& page = result.page;
    page.pageName = pageNameOf(fields.pdfFileName);
    const QString pageFile = pageFileNameOf(page.pageName);
    const QString affiliateImage = vFile::FileNameOf(fields.affiliateImagePath);
    if (!placeInFolder(app, target.pageFolder, fields.affiliateImagePath, affiliateImage, pageFile, &result.error))
        return result;

    const BonusImage bonus = bonusImageOf(app, fields);
    if (!vTools::FileExists(bonus.source)) {
        result.status = BuildResult::Status::BonusImageMissing;
        result.error = bonus.source;
        return result;
    }
    const QString bonusImage = bonusCopyName(bonus, fields.affiliateImagePath, affiliateImage);
    if (!placeInFolder(app, target.pageFolder, bonus.source, bonusImage, pageFile, &result.error))
        return result;

    page.imageNames = QStringList{affiliateImage, bonusImage};
    page.imageNames.removeDuplicates();
    QString logoImage;
    if (!fields.brand.logoPath.isEmpty()) {
        logoImage = logoCopyName(fields.brand.logoPath, page.imageNames);
        if (!placeInFolder(app, target.pageFolder, fields.brand.logoPath, logoImage, pageFile, &result.error))
            return result;
        page.imageNames << logoImage;
    }
    QString templateText;
    if (!placeDesign(design, target.pageFolder, page, &result.error) ||
        !Designs::readTemplate(design, &templateText, &result.error))
        return result;
    const PageWords words = PageWordTables::of(fields.language, design.words);
    if (words.rightToLeft && !Designs::withRtlStyle(design, &templateText, &result.error))
        return result;
    templateText = Designs::applyBrand(design, std::move(templateText), fields.brand, logoImage);
    templateText = PageLanguage::withLanguage(std::move(templateText), fields.language);
    templateText = PageLanguage::withDirection(std::move(templateText), words.rightToLeft);
    if (PageFill::showsBlock(templateText, PageFill::optionalValues(fields, words)))
        templateText =
            ReviewBlocks::withStyleSheet(templateText, design.look.with(fields.brand).accentColor, words.rightToLeft);

    QrCodeResult qrCode;
    if (fields.qrCode && !(qrCode = QrCode::pageBlock(PageFill::pageLink(fields.ctaUrl), words)).ok()) {
        result.error = qrCode.error;
        return result;
    }
    page.htmlPath = inFolder(target.pageFolder, pageFile);
    page.pdfPath = inFolder(target.pdfFolder, page.pageName + QStringLiteral(".pdf"));
    FilledText filled =
        PageFill::filled(std::move(templateText), fields, {affiliateImage, bonusImage, qrCode.svg}, words);
    page.filledText = std::move(filled.text);
    page.headEnd = filled.headEnd;
    page.share = ShareKits::of(fields);
    result.status = BuildResult::Status::Built;
    return result;
}

WriteResult WritePage(const BuiltPage& page)
{
    WriteResult result;
    std::unique_ptr<QFile> file = modUTF8::OpenForAppend(page.htmlPath, &result.error);
    if (!file)
        return result;
    const qint64 sizeBefore = file->size();
    if (!modUTF8::writeUtf8(*file, page.filledText + pageTail(), false, &result.error)) {
        file->close();
        if (sizeBefore == 0)
            QFile::remove(page.htmlPath);
        else
            QFile::resize(page.htmlPath, sizeBefore);
        return result;
    }
    file->close();
    result.ok = true;
    return result;
}
