#include "Campaign.h"

#include "Catalogue.h"
#include "PictureCheck.h"
#include "SizeText.h"
#include "TrackingTags.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {
const QString formatName = QStringLiteral("orvanta-campaign");

using TextMember = QString Campaign::*;
using FlagMember = bool Campaign::*;

// Keys of the file; renaming one breaks every campaign saved before.
const std::array<std::pair<const char*, TextMember>, 10> textKeys{{
    {"mainTitle", &Campaign::mainTitle},
    {"review", &Campaign::review},
    {"affiliateLink", &Campaign::ctaUrl},
    {"bonusHeadline", &Campaign::bonusHeadline},
    {"productId", &Campaign::productId},
    {"ctaTitle", &Campaign::ctaTitle},
    {"ctaText", &Campaign::ctaText},
    {"bonusInstructions", &Campaign::bonusInstructions},
    {"pdfFileName", &Campaign::pdfFileName},
    {"deliveryUrl", &Campaign::deliveryUrl},
}};
const std::array<std::pair<const char*, FlagMember>, 4> flagKeys{{
    {"ownBonus", &Campaign::ownBonus},
    {"fitToContent", &Campaign::fitToContent},
    {"saveWebPage", &Campaign::saveWebPage},
    {"optimiseImages", &Campaign::optimiseImages},
}};
// Written only when they differ from their default, so a campaign that keeps it is stored as before.
const std::array<const char*, 1> writtenWhenChanged{{"optimiseImages"}};

bool isWrittenOnlyWhenChanged(const char* key)
{
    return std::any_of(writtenWhenChanged.begin(), writtenWhenChanged.end(),
                       [key](const char* name) { return qstrcmp(name, key) == 0; });
}
// Named as the link parameters they become; written only when set, so an untagged campaign stays version 1.
const std::array<std::pair<const char*, TextMember>, 5> tagKeys{{
    {"utm_source", &Campaign::utmSource},
    {"utm_medium", &Campaign::utmMedium},
    {"utm_campaign", &Campaign::utmCampaign},
    {"utm_content", &Campaign::utmContent},
    {"utm_term", &Campaign::utmTerm},
}};
const std::array<std::pair<const char*, TextMember>, 2> imageKeys{{
    {"affiliateImage", &Campaign::affiliateImagePath},
    {"ownBonusImage", &Campaign::ownBonusImagePath},
}};

QString quoted(const QString& path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QJsonObject imageObject(const QString& path, const QString& folder)
{
    if (path.isEmpty())
        return {{QStringLiteral("relative"), QString()}, {QStringLiteral("absolute"), QString()}};
    const QString absolute = QFileInfo(path).absoluteFilePath();
    return {{QStringLiteral("relative"), QDir(folder).relativeFilePath(absolute)},
            {QStringLiteral("absolute"), QDir::toNativeSeparators(absolute)}};
}

// cleanPath keeps the ".." that climb above the root, whose parent is the root itself.
QString joined(const QString& folder, const QString& relative)
{
    QString path = QDir::cleanPath(QDir(folder).filePath(relative));
    while (path.startsWith(QLatin1String("/../")))
        path.remove(0, 3);
    return QDir::toNativeSeparators(path);
}

/**
 * The relative path when it leads to a file, else the absolute one; false when neither does. Something there that
 * is no file, a pipe say, is what the campaign names, to be refused as such rather than as missing. @p shown is the
 * path as the campaign names it: a relative one as written, so a "../" stays visible.
 */
bool resolveImage(const QJsonObject& image, const QString& folder, QString* path, QString* shown)
{
    const QString relative = image.value(QStringLiteral("relative")).toString();
    const QString absolute = image.value(QStringLiteral("absolute")).toString();
    const QString candidate = relative.isEmpty() ? QString() : joined(folder, relative);
    const std::pair<QString, QString> found[] = {{candidate, QDir::toNativeSeparators(relative)}, {absolute, absolute}};
    for (const bool fileOnly : {true, false}) {
        for (const auto& [place, written] : found) {
            const QFileInfo info(place);
            if (!place.isEmpty() && (fileOnly ? info.isFile() : info.exists())) {
                *path = place;
                *shown = written;
                return true;
            }
        }
    }
    *path = absolute.isEmpty() ? QDir::toNativeSeparators(relative) : absolute;
    *shown = *path;
    return path->isEmpty();
}

/** Why the picture found at @p path, named @p shown, cannot be used; empty when it can. */
QString refusedPicture(const QString& what, const QString& path, const QString& shown)
{
    if (path.isEmpty() || checkPicture(path).ok)
        return {};
    return QFileInfo(path).isFile()
               ? QStringLiteral("%1 %2, which is not a JPG, GIF or PNG picture").arg(what, quoted(shown))
               : QStringLiteral("%1 %2, which is not an ordinary file").arg(what, quoted(shown));
}

/** Why @p document is no campaign this program reads, or an empty string. */
QString headerProblem(const QJsonObject& root, const QString& name)
{
    if (root.value(QStringLiteral("format")).toString() != formatName)
        return QStringLiteral("The file %1 is not an Orvanta campaign.").arg(name);
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble())
        return QStringLiteral("The campaign %1 has no valid format version.").arg(name);
    if (version.toDouble() > CampaignFile::formatVersion)
        return QStringLiteral("The campaign %1 was made by a newer Orvanta (format version %2); this Orvanta reads "
                              "version %3. Please update Orvanta to open it.")
            .arg(name)
            .arg(version.toDouble())
            .arg(CampaignFile::formatVersion);
    if (version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
        return QStringLiteral("The campaign %1 has no valid format version.").arg(name);
    return {};
}

QString wrongType(const QString& name, const char* key, const char* expected)
{
    return QStringLiteral("The campaign %1 is damaged: \"%2\" should be %3.")
        .arg(name, QLatin1String(key), QLatin1String(expected));
}

/** Copies the values present in @p root into @p campaign; a key left out keeps its default. */
QString readValues(const QJsonObject& root, const QString& name, Campaign& campaign)
{
    for (const auto& [key, member] : textKeys) {
        const QJsonValue value = root.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isString())
            return wrongType(name, key, "a text");
        campaign.*member = value.toString(campaign.*member);
    }
    for (const auto& [key, member] : tagKeys) {
        const QJsonValue value = root.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isString())
            return wrongType(name, key, "a text");
        campaign.*member = value.toString();
    }
    for (const auto& [key, member] : flagKeys) {
        const QJsonValue value = root.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isBool())
            return wrongType(name, key, "true or false");
        campaign.*member = value.toBool(campaign.*member);
    }
    const QJsonValue entry = root.value(QStringLiteral("catalogueEntry"));
    if (!entry.isUndefined() && !entry.isString())
        return wrongType(name, "catalogueEntry", "a text");
    campaign.catalogueEntry = entry.toString();
    return {};
}

const std::array<std::pair<const char*, QString Brand::*>, 5> brandKeys{{
    {"accentColor", &Brand::accentColor},
    {"textColor", &Brand::textColor},
    {"backgroundColor", &Brand::backgroundColor},
    {"headingFont", &Brand::headingFont},
    {"bodyFont", &Brand::bodyFont},
}};

QJsonObject brandObject(const Brand& brand, const QString& folder)
{
    QJsonObject object;
    for (const auto& [key, member] : brandKeys)
        if (!(brand.*member).isEmpty())
            object.insert(QLatin1String(key), brand.*member);
    if (!brand.logoPath.isEmpty())
        object.insert(QStringLiteral("logo"), imageObject(brand.logoPath, folder));
    return object;
}

/** The design and brand, when the file has them; the logo is resolved like the images. */
QString readLook(const QJsonObject& root, const QString& name, const QString& folder, Campaign& campaign,
                 QStringList* missing)
{
    const QJsonValue design = root.value(QStringLiteral("design"));
    if (!design.isUndefined() && !design.isString())
        return wrongType(name, "design", "a text");
    campaign.design = design.toString();
    const QJsonValue brand = root.value(QStringLiteral("brand"));
    if (brand.isUndefined())
        return {};
    if (!brand.isObject())
        return wrongType(name, "brand", "an object");
    const QJsonObject values = brand.toObject();
    for (const auto& [key, member] : brandKeys) {
        const QJsonValue value = values.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isString())
            return wrongType(name, key, "a text");
        campaign.brand.*member = value.toString();
    }
    // A value that is no colour or installed font would reach the page's style sheet.
    const QString problem = brandProblem(campaign.brand);
    if (!problem.isEmpty())
        return QStringLiteral("The campaign %1 is damaged: %2").arg(name, problem);
    const QJsonValue logo = values.value(QStringLiteral("logo"));
    if (logo.isUndefined())
        return {};
    const QJsonObject image = logo.toObject();
    if (!logo.isObject() || !image.value(QStringLiteral("relative")).isString() ||
        !image.value(QStringLiteral("absolute")).isString())
        return wrongType(name, "logo", "a pair of relative and absolute paths");
    QString shown;
    const bool found = resolveImage(image, folder, &campaign.brand.logoPath, &shown);
    const QString refused = refusedPicture(QStringLiteral("the logo"), campaign.brand.logoPath, shown);
    if (!found || !refused.isEmpty())
        *missing << (found ? refused : QStringLiteral("the logo %1").arg(quoted(shown)));
    return {};
}

QString checkImageObjects(const QJsonObject& root, const QString& name)
{
    for (const auto& [key, member] : imageKeys) {
        Q_UNUSED(member)
        const QJsonValue value = root.value(QLatin1String(key));
        if (value.isUndefined())
            continue;
        const QJsonObject image = value.toObject();
        if (!value.isObject() || !image.value(QStringLiteral("relative")).isString() ||
            !image.value(QStringLiteral("absolute")).isString())
            return wrongType(name, key, "a pair of relative and absolute paths");
    }
    return {};
}

QStringList resolveImages(const QJsonObject& root, const QString& folder, Campaign& campaign)
{
    QStringList missing;
    for (const auto& [key, member] : imageKeys) {
        if (!root.contains(QLatin1String(key)))
            continue;
        QString& path = campaign.*member;
        QString shown;
        const bool found = resolveImage(root.value(QLatin1String(key)).toObject(), folder, &path, &shown);
        // Named by someone else, it may be any file; Create refuses it too, this says so on opening.
        const QString refused = refusedPicture(QStringLiteral("the image"), path, shown);
        if (!found || !refused.isEmpty())
            missing << (found ? refused : QStringLiteral("the image %1").arg(quoted(shown)));
    }
    return missing;
}

QString parseProblem(const QJsonParseError& error, qsizetype size, const QString& name)
{
    const bool cutOff = error.error == QJsonParseError::UnterminatedObject ||
                        error.error == QJsonParseError::UnterminatedArray ||
                        error.error == QJsonParseError::UnterminatedString || error.offset >= size - 1;
    if (size == 0)
        return QStringLiteral("The campaign %1 is empty.").arg(name);
    if (cutOff)
        return QStringLiteral("The campaign %1 is incomplete: it ends too early, perhaps cut off while it was copied.")
            .arg(name);
    return QStringLiteral("The file %1 is not a campaign: it is no valid JSON (%2 at byte %3).")
        .arg(name, error.errorString())
        .arg(error.offset);
}

CampaignFile::ReadResult refused(const QString& error)
{
    CampaignFile::ReadResult result;
    result.error = error;
    return result;
}
} // namespace

bool operator==(const Campaign& a, const Campaign& b)
{
    for (const auto& [key, member] : textKeys)
        if (a.*member != b.*member)
            return false;
    for (const auto& [key, member] : flagKeys)
        if (a.*member != b.*member)
            return false;
    for (const auto& [key, member] : tagKeys)
        if (a.*member != b.*member)
            return false;
    return a.affiliateImagePath == b.affiliateImagePath && a.ownBonusImagePath == b.ownBonusImagePath &&
           a.catalogueEntry == b.catalogueEntry && a.design == b.design && a.brand == b.brand;
}

PageFields pageFieldsOf(const Campaign& campaign)
{
    PageFields fields;
    fields.mainTitle = campaign.mainTitle;
    fields.affiliateImagePath = campaign.affiliateImagePath;
    fields.review = campaign.review;
    fields.bonusHeadline = campaign.bonusHeadline;
    fields.ownBonus = campaign.ownBonus;
    fields.ownBonusImagePath = campaign.ownBonusImagePath;
    fields.rawProductId = campaign.productId;
    fields.ctaTitle = campaign.ctaTitle;
    fields.ctaText = campaign.ctaText;
    fields.ctaUrl = taggedAffiliateLink(campaign);
    fields.bonusInstructions = campaign.bonusInstructions;
    fields.pdfFileName = campaign.pdfFileName;
    fields.design = campaign.design;
    fields.brand = campaign.brand;
    return fields;
}

QList<std::pair<QString, QString>> trackingTagsOf(const Campaign& campaign)
{
    QList<std::pair<QString, QString>> tags;
    for (const auto& [key, member] : tagKeys)
        if (!(campaign.*member).isEmpty())
            tags.append({QLatin1String(key), campaign.*member});
    return tags;
}

QString taggedAffiliateLink(const Campaign& campaign)
{
    return taggedLink(campaign.ctaUrl, trackingTagsOf(campaign));
}

int requiredFormatVersion(const Campaign& campaign)
{
    // An older Orvanta would drop a design, a brand or a tag without a word; version 2 makes it refuse the file.
    const bool usesNewer =
        !campaign.design.isEmpty() || !campaign.brand.isEmpty() || !trackingTagsOf(campaign).isEmpty();
    return usesNewer ? 2 : 1;
}

namespace CampaignFile {
QString extension()
{
    return QStringLiteral("orvanta");
}

QByteArray toJson(const Campaign& campaign, const QString& folder)
{
    QJsonObject root{{QStringLiteral("format"), formatName},
                     {QStringLiteral("version"), requiredFormatVersion(campaign)}};
    for (const auto& [key, member] : textKeys)
        root.insert(QLatin1String(key), campaign.*member);
    const Campaign defaults;
    for (const auto& [key, member] : flagKeys) {
        if (!isWrittenOnlyWhenChanged(key) || campaign.*member != defaults.*member)
            root.insert(QLatin1String(key), campaign.*member);
    }
    for (const auto& [key, member] : imageKeys)
        root.insert(QLatin1String(key), imageObject(campaign.*member, folder));
    root.insert(QStringLiteral("catalogueEntry"), campaign.catalogueEntry);
    // Written only when used, so a campaign without them stays as every earlier Orvanta wrote it.
    if (!campaign.design.isEmpty())
        root.insert(QStringLiteral("design"), campaign.design);
    if (!campaign.brand.isEmpty())
        root.insert(QStringLiteral("brand"), brandObject(campaign.brand, folder));
    for (const auto& [key, value] : trackingTagsOf(campaign))
        root.insert(key, value);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ReadResult fromJson(const QByteArray& bytes, const QString& folder, const QString& fileName)
{
    const QString name = quoted(fileName);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(parseProblem(error, bytes.size(), name));
    if (!document.isObject())
        return refused(QStringLiteral("The file %1 is not an Orvanta campaign.").arg(name));
    const QJsonObject root = document.object();
    QString problem = headerProblem(root, name);
    Campaign campaign;
    if (problem.isEmpty())
        problem = readValues(root, name, campaign);
    if (problem.isEmpty())
        problem = checkImageObjects(root, name);
    if (!problem.isEmpty())
        return refused(problem);
    ReadResult result;
    result.missing = resolveImages(root, folder, campaign);
    problem = readLook(root, name, folder, campaign, &result.missing);
    if (!problem.isEmpty())
        return refused(problem);
    result.campaign = campaign;
    return result;
}

ReadResult read(const QString& path, const QString& app)
{
    const QString name = quoted(path);
    const QFileInfo info(path);
    if (info.isDir())
        return refused(QStringLiteral("%1 is a folder, not a campaign file.").arg(name));
    if (!info.exists())
        return refused(QStringLiteral("The campaign %1 does not exist.").arg(name));
    // A pipe or a device would block the window or never end; a campaign is an ordinary file.
    if (!info.isFile())
        return refused(QStringLiteral("%1 is not an ordinary file, so it cannot be a campaign.").arg(name));
    if (info.size() > maxFileSize)
        return refused(QStringLiteral("The file %1 is too large for a campaign (%2; a campaign holds at most %3).")
                           .arg(name, sizeOverText(info.size(), maxFileSize), megabytesText(maxFileSize)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("The campaign %1 cannot be read: %2.").arg(name, file.errorString()));
    // The size may have grown since it was checked; never read more than the limit.
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return refused(QStringLiteral("The file %1 is too large for a campaign.").arg(name));
    ReadResult result = fromJson(bytes, info.absolutePath(), path);
    if (result.campaign && !app.isEmpty() && !result.campaign->catalogueEntry.isEmpty() &&
        !QFileInfo(Catalogue::productFilePath(app, result.campaign->catalogueEntry)).isFile())
        result.missing
            << QStringLiteral("the cloud bonus \"%1\" of the catalogue").arg(result.campaign->catalogueEntry);
    return result;
}

SaveResult write(const QString& path, const Campaign& campaign)
{
    const QString name = quoted(path);
    if (QFileInfo(path).isDir())
        return {false, QStringLiteral("The campaign cannot be saved as %1: that is a folder.").arg(name)};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, QStringLiteral("The campaign cannot be saved as %1: %2.").arg(name, file.errorString())};
    const QByteArray bytes = toJson(campaign, QFileInfo(path).absolutePath());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {false, QStringLiteral("The campaign cannot be saved as %1: %2. Any earlier file there is unchanged.")
                           .arg(name, file.errorString())};
    return {true, QString()};
}
} // namespace CampaignFile
