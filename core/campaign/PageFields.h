#pragma once

#include "Brand.h"

#include <QString>

/** What the wizard's three pages hold when "Create" runs. Line breaks in review and instructions are CR LF. */
struct PageFields {
    QString mainTitle;
    QString affiliateImagePath;
    QString review;
    QString bonusHeadline;
    bool ownBonus = false;
    QString ownBonusImagePath;
    QString rawProductId;
    QString ctaTitle;
    QString ctaText;
    QString ctaUrl;
    /** The plain short link when ctaUrl is its button's channel; empty without a link base. */
    QString shortLink;
    QString bonusInstructions;
    QString pdfFileName;
    /** Show the affiliate link as a QR code beside the call to action. */
    bool qrCode = false;
    /** The design's name; empty for the application's own template. */
    QString design;
    Brand brand;
    QString affiliateImageAlt; ///< empty for the main title
    QString bonusImageAlt;     ///< empty for the bonus headline
    QString language;          ///< empty keeps the design's own
    /** The converter's name as the campaign holds it; the pipeline picks the engine by it. */
    QString engine;
    QString rating; ///< empty for none
    QString pros;   ///< one per line, CR LF
    QString cons;
    QString verdict;
    QString slug;  ///< as the campaign holds it; the short link is made only with a link base in the brand
    QString price; ///< shown only where a list compares products
    QString bestFor;
};
