#pragma once

#include "PageFields.h"
#include "Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

/**
 * Everything the wizard holds, as one value a campaign file stores. Its fields, their keys and their defaults (the
 * window's own start-up texts) are listed in CampaignFields.h. Review and instructions keep CR LF line breaks,
 * like PageFields.
 */
struct Campaign {
    Campaign();

    QString mainTitle;
    QString review;
    QString affiliateImagePath;
    QString ctaUrl; ///< the affiliate link
    QString bonusHeadline;
    QString catalogueEntry; ///< the chosen catalogue entry's list name; empty when none was chosen
    QString productId;      ///< its raw identifier, as the product file held it
    bool ownBonus;
    QString ownBonusImagePath;
    QString ctaTitle;
    QString ctaText;
    QString bonusInstructions;
    QString pdfFileName;
    QString deliveryUrl; ///< the delivery URL box as shown
    bool fitToContent;
    bool saveWebPage;
    bool optimiseImages;
    bool qrCode;    ///< the affiliate link as a QR code beside the call to action
    QString design; ///< the design's name; empty for the application's own template
    Brand brand;
    /// Tracking tags added to the affiliate link on the page; named in files and sheets as their parameters.
    QString utmSource, utmMedium, utmCampaign, utmContent, utmTerm;
    QString affiliateImageAlt; ///< the product picture's description; empty for the main title
    QString bonusImageAlt;     ///< the bonus picture's description; empty for the bonus headline
    QString language;          ///< a BCP 47 tag; empty keeps the design's own
    QString engine;            ///< the converter that makes the PDF, by its name
    QString rating;            ///< 0 to 5 in halves, as text; empty for none
    QString pros;              ///< one per line, CR LF like the review
    QString cons;
    QString verdict;
    QString slug;    ///< the short link's name below the brand's link base; empty makes it from the PDF name
    QString price;   ///< as the seller writes it ("$29"); shown where lists compare products
    QString bestFor; ///< whom the product suits best, as a list's comparison says it

    friend bool operator==(const Campaign& a, const Campaign& b);
    friend bool operator!=(const Campaign& a, const Campaign& b) { return !(a == b); }
};

namespace orvanta::campaign {
/** What "Create" would read from a window holding @p campaign; the affiliate link carries its tracking tags. */
PageFields pageFieldsOf(const Campaign& campaign);

/** The campaign's tracking tags as (parameter, value) in their fixed order, empty ones left out. */
QList<std::pair<QString, QString>> trackingTagsOf(const Campaign& campaign);
/** The affiliate link as the page holds it. */
QString taggedAffiliateLink(const Campaign& campaign);

/**
 * The oldest file format that keeps everything @p campaign holds: 1 while it uses nothing newer, so an older
 * Orvanta refuses a campaign it would otherwise make into a different page.
 */
int requiredFormatVersion(const Campaign& campaign);

/** Campaign files: UTF-8 JSON with a format name and version, written atomically. */
namespace CampaignFile {
/** The newest version this Orvanta reads; it reads every one from 1. */
constexpr int formatVersion = 5;
/** Far above any real campaign; a bigger file is refused before it is read. */
constexpr qint64 maxFileSize = 16 * 1024 * 1024;

/** "orvanta", without the dot. */
QString extension();

/** A campaign file as read; a refused file is a failure naming it. */
struct OpenedCampaign {
    Campaign campaign;
    QStringList missing; ///< images and the catalogue entry that no longer exist; the rest is whole
};

/**
 * Reads a campaign file. Image paths are tried relative to the file's folder first, then as saved.
 * With @p app given, a catalogue entry that has no product file there is listed as missing.
 */
Result<OpenedCampaign> read(const QString& path, const QString& app = QString());

/** How a missing catalogue entry is listed among a campaign's missing parts. */
QString missingEntry(const QString& entry);
/** Writes atomically: a failed write leaves any earlier file at @p path whole. */
Result<void> write(const QString& path, const Campaign& campaign);

/** The file's bytes; image paths are stored both relative to @p folder and absolute. */
QByteArray toJson(const Campaign& campaign, const QString& folder);
/** Parses bytes read from @p fileName (used in messages) lying in @p folder; nothing is checked on disk but images. */
Result<OpenedCampaign> fromJson(const QByteArray& bytes, const QString& folder, const QString& fileName);
} // namespace CampaignFile
} // namespace orvanta::campaign
