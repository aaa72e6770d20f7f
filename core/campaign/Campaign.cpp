#include "Campaign.h"

#include "CampaignFields.h"
#include "CampaignPictures.h"
#include "CampaignTr.h"
#include "Catalogue.h"
#include "FileToolkit.h"
#include "PictureCheck.h"
#include "Rating.h"
#include "TrackingTags.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
const QString formatName = QStringLiteral("orvanta-campaign");

using CampaignFields::textIn;
using CampaignPictures::imageObject;
using CampaignPictures::resolvePictures;

/** Why @p document is no campaign this program reads, or an empty string. */
QString headerProblem(const QJsonObject& root, const QString& name)
{
    if (root.value(QStringLiteral("format")).toString() != formatName)
        return CampaignTr::tr("The file %1 is not an Orvanta campaign.").arg(name);
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble())
        return CampaignTr::tr("The campaign %1 has no valid format version.").arg(name);
    if (version.toDouble() > CampaignFile::formatVersion)
        return CampaignTr::tr("The campaign %1 was made by a newer Orvanta (format version %2); this Orvanta reads "
                              "version %3. Please update Orvanta to open it.")
            .arg(name)
            .arg(version.toDouble())
            .arg(CampaignFile::formatVersion);
    if (version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
        return CampaignTr::tr("The campaign %1 has no valid format version.").arg(name);
    return {};
}

QString wrongType(const QString& name, const char* key, const char* expected)
{
    return CampaignTr::tr("The campaign %1 is damaged: \"%2\" should be %3.")
        .arg(name, QLatin1String(key), CampaignTr::tr(expected));
}

/** Copies @p field's value from @p object into @p campaign when present; a key left out keeps its default. */
QString readField(const QJsonObject& object, const QString& name, const CampaignField& field, Campaign& campaign)
{
    const QJsonValue value = object.value(QLatin1String(field.key));
    if (field.flag) {
        if (!value.isUndefined() && !value.isBool())
            return wrongType(name, field.key, QT_TRANSLATE_NOOP("Campaign", "true or false"));
        campaign.*field.flag = value.toBool(campaign.*field.flag);
        return {};
    }
    QString& text = *textIn(campaign, field);
    // A number kept as text is what a sheet's cell gave; Create names what is wrong with it.
    if (field.kind == FieldKind::Number && value.isDouble()) {
        text = QString::number(value.toDouble());
        return {};
    }
    if (!value.isUndefined() && !value.isString())
        return wrongType(name, field.key,
                         field.kind == FieldKind::Number ? QT_TRANSLATE_NOOP("Campaign", "a number")
                                                         : QT_TRANSLATE_NOOP("Campaign", "a text"));
    text = value.toString(text);
    return {};
}

QString readFields(const QJsonObject& object, const QString& name, std::initializer_list<FieldKind> kinds,
                   Campaign& campaign)
{
    for (const FieldKind kind : kinds) {
        for (const CampaignField* field : CampaignFields::ofKind(kind)) {
            const QString problem = readField(object, name, *field, campaign);
            if (!problem.isEmpty())
                return problem;
        }
    }
    return {};
}

QJsonValue fileValue(const Campaign& campaign, const CampaignField& field, const QString& folder)
{
    if (field.flag)
        return campaign.*field.flag;
    const QString& text = *textIn(campaign, field);
    const std::optional<double> number =
        field.kind == FieldKind::Number ? ReviewBlocks::ratingValue(text) : std::nullopt;
    if (number)
        return *number;
    return CampaignFields::isPicture(field) ? QJsonValue(imageObject(text, folder)) : QJsonValue(text);
}

QString checkPathPairs(const QJsonObject& object, const QString& name, FieldKind kind)
{
    for (const CampaignField* field : CampaignFields::ofKind(kind)) {
        const QJsonValue value = object.value(QLatin1String(field->key));
        const QJsonObject image = value.toObject();
        if (!value.isUndefined() && (!value.isObject() || !image.value(QStringLiteral("relative")).isString() ||
                                     !image.value(QStringLiteral("absolute")).isString()))
            return wrongType(name, field->key, QT_TRANSLATE_NOOP("Campaign", "a pair of relative and absolute paths"));
    }
    return {};
}

/** The design and brand, when the file has them; the logo is resolved like the images. */
QString readLook(const QJsonObject& root, const QString& name, const QString& folder, Campaign& campaign,
                 QStringList* missing)
{
    const QString problem = readFields(root, name, {FieldKind::DesignName}, campaign);
    const QJsonValue brand = root.value(CampaignFields::brandKey());
    if (!problem.isEmpty() || brand.isUndefined())
        return problem;
    if (!brand.isObject())
        return wrongType(name, CampaignFields::brandKey().data(), QT_TRANSLATE_NOOP("Campaign", "an object"));
    const QJsonObject values = brand.toObject();
    const QString wrong = readFields(values, name, {FieldKind::BrandText}, campaign);
    if (!wrong.isEmpty())
        return wrong;
    // A value that is no colour or installed font would reach the page's style sheet.
    const QString bad = brandProblem(campaign.brand);
    if (!bad.isEmpty())
        return CampaignTr::tr("The campaign %1 is damaged: %2").arg(name, bad);
    const QString logo = checkPathPairs(values, name, FieldKind::BrandImage);
    if (logo.isEmpty())
        *missing << resolvePictures(values, folder, FieldKind::BrandImage, CampaignTr::tr("the logo"), campaign);
    return logo;
}

QString parseProblem(const QJsonParseError& error, qsizetype size, const QString& name)
{
    const bool cutOff = error.error == QJsonParseError::UnterminatedObject ||
                        error.error == QJsonParseError::UnterminatedArray ||
                        error.error == QJsonParseError::UnterminatedString || error.offset >= size - 1;
    if (size == 0)
        return CampaignTr::tr("The campaign %1 is empty.").arg(name);
    if (cutOff)
        return CampaignTr::tr("The campaign %1 is incomplete: it ends too early, perhaps cut off while it was copied.")
            .arg(name);
    return CampaignTr::tr("The file %1 is not a campaign: it is no valid JSON (%2 at byte %3).")
        .arg(name, error.errorString())
        .arg(error.offset);
}

// A pipe or a device would block the window or never end; a campaign is an ordinary file.
QString readProblem(const Failure& file, const QString& path)
{
    static const ReadTexts texts{
        QStringLiteral("%1 is a folder, not a campaign file."),
        QStringLiteral("The campaign %1 does not exist."),
        QStringLiteral("%1 is not an ordinary file, so it cannot be a campaign."),
        QStringLiteral("The file %1 is too large for a campaign (%2; a campaign holds at most %3)."),
        QStringLiteral("The file %1 is too large for a campaign."),
        QStringLiteral("The campaign %1 cannot be read: %2."),
    };
    return orvanta::files::readProblem(file, path, CampaignFile::maxFileSize, texts);
}

Failure refused(const QString& error)
{
    return fail(error);
}
} // namespace
} // namespace orvanta::campaign

Campaign::Campaign()
{
    for (const CampaignField& field : campaignFields) {
        if (field.flag)
            this->*field.flag = field.flagDefault;
        else
            *textIn(*this, field) = CampaignFields::textDefault(field);
    }
}

bool operator==(const Campaign& a, const Campaign& b)
{
    for (const CampaignField& field : campaignFields) {
        const bool same = field.flag ? a.*field.flag == b.*field.flag : *textIn(a, field) == *textIn(b, field);
        if (!same)
            return false;
    }
    return true;
}

namespace orvanta::campaign {
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
    fields.qrCode = campaign.qrCode;
    fields.design = campaign.design;
    fields.brand = campaign.brand;
    fields.affiliateImageAlt = campaign.affiliateImageAlt;
    fields.bonusImageAlt = campaign.bonusImageAlt;
    fields.language = campaign.language;
    fields.engine = campaign.engine;
    fields.rating = campaign.rating;
    fields.pros = campaign.pros;
    fields.cons = campaign.cons;
    fields.verdict = campaign.verdict;
    fields.slug = campaign.slug;
    fields.price = campaign.price;
    fields.bestFor = campaign.bestFor;
    return fields;
}

QList<std::pair<QString, QString>> trackingTagsOf(const Campaign& campaign)
{
    QList<std::pair<QString, QString>> tags;
    for (const CampaignField* field : CampaignFields::in(LinkTag))
        if (!textIn(campaign, *field)->isEmpty())
            tags.append({QLatin1String(field->key), *textIn(campaign, *field)});
    return tags;
}

QString taggedAffiliateLink(const Campaign& campaign)
{
    return taggedLink(campaign.ctaUrl, trackingTagsOf(campaign));
}

int requiredFormatVersion(const Campaign& campaign)
{
    // An older Orvanta would drop a design, a brand or a tag without a word; their version makes it refuse the file.
    int version = 1;
    for (const CampaignField& field : campaignFields)
        if (!CampaignFields::keepsDefault(campaign, field))
            version = std::max(version, field.version);
    return version;
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
    QJsonObject brand;
    // A field kept out while unchanged leaves a campaign that does not use it as every earlier Orvanta wrote it.
    for (const CampaignField& field : campaignFields) {
        if (field.stored == Stored::WhenChanged && CampaignFields::keepsDefault(campaign, field))
            continue;
        QJsonObject& holder = CampaignFields::isBrandField(field) ? brand : root;
        holder.insert(QLatin1String(field.key), fileValue(campaign, field, folder));
    }
    if (!brand.isEmpty())
        root.insert(CampaignFields::brandKey(), brand);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Result<OpenedCampaign> fromJson(const QByteArray& bytes, const QString& folder, const QString& fileName)
{
    const QString name = quotedPath(fileName);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(parseProblem(error, bytes.size(), name));
    if (!document.isObject())
        return refused(CampaignTr::tr("The file %1 is not an Orvanta campaign.").arg(name));
    const QJsonObject root = document.object();
    QString problem = headerProblem(root, name);
    Campaign campaign;
    if (problem.isEmpty())
        problem = readFields(
            root, name,
            {FieldKind::Text, FieldKind::Tag, FieldKind::Flag, FieldKind::CatalogueEntry, FieldKind::Number}, campaign);
    if (problem.isEmpty())
        problem = checkPathPairs(root, name, FieldKind::Image);
    if (!problem.isEmpty())
        return refused(problem);
    OpenedCampaign opened;
    opened.missing = resolvePictures(root, folder, FieldKind::Image, CampaignTr::tr("the image"), campaign);
    problem = readLook(root, name, folder, campaign, &opened.missing);
    if (!problem.isEmpty())
        return refused(problem);
    opened.campaign = campaign;
    return opened;
}

QString missingEntry(const QString& entry)
{
    return CampaignTr::tr("the cloud bonus \"%1\" of the catalogue").arg(entry);
}

Result<OpenedCampaign> read(const QString& path, const QString& app)
{
    const Result<QByteArray> file = readBounded(path, maxFileSize);
    if (!file)
        return refused(readProblem(file.failure(), path));
    Result<OpenedCampaign> result = fromJson(file.value(), QFileInfo(path).absolutePath(), path);
    if (!result)
        return result;
    OpenedCampaign& opened = result.value();
    const QString& entry = opened.campaign.catalogueEntry;
    if (!app.isEmpty() && !entry.isEmpty() && !QFileInfo(Catalogue::productFilePath(app, entry)).isFile())
        opened.missing << missingEntry(entry);
    return result;
}

Result<void> write(const QString& path, const Campaign& campaign)
{
    const QString name = quotedPath(path);
    if (QFileInfo(path).isDir())
        return fail(CampaignTr::tr("The campaign cannot be saved as %1: that is a folder.").arg(name));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(CampaignTr::tr("The campaign cannot be saved as %1: %2.").arg(name, file.errorString()));
    const QByteArray bytes = toJson(campaign, QFileInfo(path).absolutePath());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(CampaignTr::tr("The campaign cannot be saved as %1: %2. Any earlier file there is unchanged.")
                        .arg(name, file.errorString()));
    return {};
}
} // namespace CampaignFile
} // namespace orvanta::campaign
