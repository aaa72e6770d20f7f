#pragma once

#include "Result.h"

#include <QString>
#include <QStringList>

/**
 * A marketer's own look, laid over whichever design a page uses. An empty value keeps the design's own; only
 * values that pass brandProblem() reach a page.
 */
struct Brand {
    QString accentColor;     ///< "#RRGGBB"
    QString textColor;       ///< "#RRGGBB"
    QString backgroundColor; ///< "#RRGGBB"
    QString headingFont;     ///< one of brandFonts()
    QString bodyFont;        ///< one of brandFonts()
    QString logoPath;        ///< a JPG, GIF or PNG picture
    QString linkBase;        ///< where short links live on the marketer's own site; empty for none

    bool isEmpty() const;
    friend bool operator==(const Brand& a, const Brand& b);
    friend bool operator!=(const Brand& a, const Brand& b) { return !(a == b); }
};

/** A design's own colours and fonts: what a brand's empty values leave in place. */
struct BrandLook {
    QString accentColor = QStringLiteral("#c25400");
    QString textColor = QStringLiteral("#1d2433");
    QString backgroundColor = QStringLiteral("#eef1f6");
    QString headingFont = QStringLiteral("DejaVu Sans");
    QString bodyFont = QStringLiteral("DejaVu Sans");

    /** @p brand's values where it has them, else these. */
    BrandLook with(const Brand& brand) const;
};

namespace orvanta::campaign {
/** The font families the package installs, and the PDF therefore embeds. */
QStringList brandFonts();

/** @p family first, then the installed fonts that cover every other script and symbol, as a CSS font list. */
QString fontStack(const QString& family);

/** True for "#RRGGBB" (either letter case). */
bool isBrandColor(const QString& text);

/** The WCAG contrast ratio of two "#RRGGBB" colours, from 1 to 21. */
double contrastRatio(const QString& foreground, const QString& background);
} // namespace orvanta::campaign

/** The least contrast text needs to read well (the WCAG AA rule for body text). */
constexpr double minimumContrast = 4.5;

namespace orvanta::campaign {
/** Why @p brand cannot be used (a colour, font or logo that is none), naming the value; empty when it can. */
QString brandProblem(const Brand& brand);

/**
 * Every pair of colours the brand sets that reads badly in @p look, each named with its ratio; pairs made of the
 * design's own colours alone are the design's choice and not named.
 */
QStringList contrastWarnings(const Brand& brand, const BrandLook& look);

/** The brand kept for new campaigns, in @p path; an empty brand when there is none or it cannot be read. */
Brand readDefaultBrand(const QString& path);
/** Keeps @p brand in @p path for new campaigns; a failure names the file. */
Result<void> writeDefaultBrand(const QString& path, const Brand& brand);
} // namespace orvanta::campaign
