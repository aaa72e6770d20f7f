#pragma once

#include "Campaign.h"

#include <QList>
#include <QString>

#include <array>

/** What a campaign field holds; it decides how the campaign file, a sheet and the window take it. */
enum class FieldKind {
    Text,
    Flag,
    Image,          ///< a picture's path; the campaign file keeps it relative to itself and absolute
    CatalogueEntry, ///< the chosen catalogue entry's list name
    Tag,            ///< a tracking tag, named as the link parameter it becomes
    DesignName,
    BrandText,  ///< a brand colour or font, kept in the campaign file's brand object
    BrandImage, ///< the brand's logo, a picture's path like an image
    Number      ///< kept as its text, empty for none; the campaign file holds it as a JSON number
};

/** Where a field appears besides the campaign file; it is named there by its key. */
enum FieldPlace : unsigned {
    NoOtherPlace = 0,
    SheetColumn = 1,
    DefaultBrandKey = 2, ///< the brand kept for new campaigns
    DesignIniKey = 4,    ///< a design's own look in its design.ini
    LinkTag = 8,         ///< a parameter of the affiliate link
};

/** Whether the campaign file holds a field that keeps its default. */
enum class Stored { Always, WhenChanged };

struct CampaignField {
    const char* key; ///< as the campaign file names it; renaming one breaks every campaign saved before
    FieldKind kind;
    /** The campaign file version that brought it; a campaign that sets it is stored as this version at least. */
    int version;
    Stored stored;
    unsigned places;
    const char* textDefault; ///< the window's start-up text; nullptr for empty
    bool flagDefault;
    QString Campaign::*text = nullptr;
    bool Campaign::*flag = nullptr;
    QString Brand::*brand = nullptr;
};

// One row per field, in the order a template sheet lists its columns. A field added here is read, written,
// compared and taken from sheets with no other change; the page that shows it reads and writes it.
inline constexpr std::array<CampaignField, 42> campaignFields{{
    {"mainTitle", FieldKind::Text, 1, Stored::Always, SheetColumn, "Product XYZ Review", false, &Campaign::mainTitle},
    {"review", FieldKind::Text, 1, Stored::Always, SheetColumn, nullptr, false, &Campaign::review},
    {"affiliateImage", FieldKind::Image, 1, Stored::Always, SheetColumn, nullptr, false, &Campaign::affiliateImagePath},
    {"affiliateLink", FieldKind::Text, 1, Stored::Always, SheetColumn, "http://", false, &Campaign::ctaUrl},
    {"utm_source", FieldKind::Tag, 2, Stored::WhenChanged, SheetColumn | LinkTag, nullptr, false, &Campaign::utmSource},
    {"utm_medium", FieldKind::Tag, 2, Stored::WhenChanged, SheetColumn | LinkTag, nullptr, false, &Campaign::utmMedium},
    {"utm_campaign", FieldKind::Tag, 2, Stored::WhenChanged, SheetColumn | LinkTag, nullptr, false,
     &Campaign::utmCampaign},
    {"utm_content", FieldKind::Tag, 2, Stored::WhenChanged, SheetColumn | LinkTag, nullptr, false,
     &Campaign::utmContent},
    {"utm_term", FieldKind::Tag, 2, Stored::WhenChanged, SheetColumn | LinkTag, nullptr, false, &Campaign::utmTerm},
    {"bonusHeadline", FieldKind::Text, 1, Stored::Always, SheetColumn,
     " Get Your Copy with Our Private Bonus! Take a Look:", false, &Campaign::bonusHeadline},
    {"catalogueEntry", FieldKind::CatalogueEntry, 1, Stored::Always, SheetColumn, nullptr, false,
     &Campaign::catalogueEntry},
    {"productId", FieldKind::Text, 1, Stored::Always, SheetColumn, nullptr, false, &Campaign::productId},
    {"ownBonus", FieldKind::Flag, 1, Stored::Always, SheetColumn, nullptr, false, nullptr, &Campaign::ownBonus},
    {"ownBonusImage", FieldKind::Image, 1, Stored::Always, SheetColumn, nullptr, false, &Campaign::ownBonusImagePath},
    {"ctaTitle", FieldKind::Text, 1, Stored::Always, SheetColumn,
     "Yes, Get Your Copy with Our Private Bonus when Buying XYZ Through Our Link:", false, &Campaign::ctaTitle},
    {"ctaText", FieldKind::Text, 1, Stored::Always, SheetColumn, "Click Here to Buy the XYZ (Includes Our Bonus)",
     false, &Campaign::ctaText},
    {"bonusInstructions", FieldKind::Text, 1, Stored::Always, SheetColumn, nullptr, false,
     &Campaign::bonusInstructions},
    {"pdfFileName", FieldKind::Text, 1, Stored::Always, SheetColumn, nullptr, false, &Campaign::pdfFileName},
    {"deliveryUrl", FieldKind::Text, 1, Stored::Always, SheetColumn, "http://", false, &Campaign::deliveryUrl},
    {"fitToContent", FieldKind::Flag, 1, Stored::Always, SheetColumn, nullptr, true, nullptr, &Campaign::fitToContent},
    {"saveWebPage", FieldKind::Flag, 1, Stored::Always, SheetColumn, nullptr, false, nullptr, &Campaign::saveWebPage},
    // Came after version 1 files, yet an older Orvanta that ignores it makes the same page; kept out of files
    // that keep its default so they stay as before.
    {"optimiseImages", FieldKind::Flag, 1, Stored::WhenChanged, NoOtherPlace, nullptr, true, nullptr,
     &Campaign::optimiseImages},
    {"design", FieldKind::DesignName, 2, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::design},
    {"accentColor", FieldKind::BrandText, 2, Stored::WhenChanged, SheetColumn | DefaultBrandKey | DesignIniKey, nullptr,
     false, nullptr, nullptr, &Brand::accentColor},
    {"textColor", FieldKind::BrandText, 2, Stored::WhenChanged, SheetColumn | DefaultBrandKey | DesignIniKey, nullptr,
     false, nullptr, nullptr, &Brand::textColor},
    {"backgroundColor", FieldKind::BrandText, 2, Stored::WhenChanged, SheetColumn | DefaultBrandKey | DesignIniKey,
     nullptr, false, nullptr, nullptr, &Brand::backgroundColor},
    {"headingFont", FieldKind::BrandText, 2, Stored::WhenChanged, SheetColumn | DefaultBrandKey | DesignIniKey, nullptr,
     false, nullptr, nullptr, &Brand::headingFont},
    {"bodyFont", FieldKind::BrandText, 2, Stored::WhenChanged, SheetColumn | DefaultBrandKey | DesignIniKey, nullptr,
     false, nullptr, nullptr, &Brand::bodyFont},
    {"logo", FieldKind::BrandImage, 2, Stored::WhenChanged, SheetColumn | DefaultBrandKey, nullptr, false, nullptr,
     nullptr, &Brand::logoPath},
    {"qrCode", FieldKind::Flag, 3, Stored::WhenChanged, SheetColumn, nullptr, false, nullptr, &Campaign::qrCode},
    // Empty descriptions fall back to the main title and the bonus headline; empty language keeps the design's own.
    {"affiliateImageAlt", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, nullptr, false,
     &Campaign::affiliateImageAlt},
    {"bonusImageAlt", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::bonusImageAlt},
    {"language", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::language},
    {"engine", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, "wkhtmltopdf", false, &Campaign::engine},
    {"rating", FieldKind::Number, 3, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::rating},
    {"pros", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::pros},
    {"cons", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::cons},
    {"verdict", FieldKind::Text, 3, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::verdict},
    // Empty makes the short link's name from the PDF name; without a link base neither changes the page.
    {"slug", FieldKind::Text, 4, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::slug},
    {"linkBase", FieldKind::BrandText, 4, Stored::WhenChanged, SheetColumn | DefaultBrandKey, nullptr, false, nullptr,
     nullptr, &Brand::linkBase},
    // Only a list of products shows them; an older Orvanta would drop them when it saves the campaign again.
    {"price", FieldKind::Text, 5, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::price},
    {"bestFor", FieldKind::Text, 5, Stored::WhenChanged, SheetColumn, nullptr, false, &Campaign::bestFor},
}};

namespace orvanta::campaign {
namespace CampaignFields {
/** The campaign file's key of the object that holds the brand's fields. */
QLatin1String brandKey();

/** The key of the field that @p member holds; files that name a campaign's value take its key. */
QLatin1String keyOf(QString Campaign::*member);
QLatin1String keyOf(bool Campaign::*member);
/** The fields of @p kind, in the table's order. */
QList<const CampaignField*> ofKind(FieldKind kind);
/** The fields that appear in @p place, in the table's order. */
QList<const CampaignField*> in(FieldPlace place);
bool isBrandField(const CampaignField& field);
/** True for a picture's path: an image or the logo. */
bool isPicture(const CampaignField& field);

/** The text @p field names in @p campaign; nullptr for a flag. */
QString* textIn(Campaign& campaign, const CampaignField& field);
const QString* textIn(const Campaign& campaign, const CampaignField& field);
QString textDefault(const CampaignField& field);
/** True when @p campaign holds @p field's default. */
bool keepsDefault(const Campaign& campaign, const CampaignField& field);
} // namespace CampaignFields
} // namespace orvanta::campaign
