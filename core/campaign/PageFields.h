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
    QString bonusInstructions;
    QString pdfFileName;
    /** Show the affiliate link as a QR code beside the call to action. */
    bool qrCode = false;
    /** The design's name; empty for the application's own template. */
    QString design;
    Brand brand;
};
