#pragma once

#include <QMetaType>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

extern const QString SampleLink;
extern const QString SampleTitle;
extern const QString SampleFontFile;

/** A one-page PDF as the converter would write it for a clean campaign; each field plants one fault. */
struct Sample {
    QString drawnTitle = SampleTitle;
    double titleSize = 24;
    /** Operators before the title's text, inside its text object (a colour, a render mode). */
    QString titleStyle;
    double titleX = 72;
    /** Each letter of the title placed on its own, as the converter draws text. */
    bool titleByLetter = false;
    /** Operators drawn before the title, outside any text object (a band under it, a clip). */
    QString underTitle;
    QStringList disclosure{QStringLiteral("Disclosure: we may earn a commission if you buy through this link.")};
    double disclosureY = 600; ///< the buy button stands at 550 to 585
    double disclosureSize = 10;
    QString disclosureStyle;
    /** Operators drawn after the disclosure (a box over it). */
    QString overDisclosure;
    /** Below 1: the disclosure is drawn in a transparency group painted at this alpha, opaque within it. */
    double disclosureGroupAlpha = 1;
    QString linkUri = SampleLink;
    bool linkAction = true;
    QRectF linkRect{72, 550, 148, 35};
    /** Where the page's box starts, as a fitted last page's does above 0. */
    double boxBottom = 0;
    enum class FontFile { None, TrueType, Cff } font = FontFile::TrueType;
    QString infoTitle = SampleTitle;
    QString language = QStringLiteral("en");
    QSize picture{600, 400};
    double pictureWidthPt = 300;
    bool pictureInForm = false;
    /** An inline picture drawn first, whose bytes read as operators that would shrink everything after it. */
    bool inlinePictureFirst = false;
    int paddingBytes = 0;
    enum class Tags { None, Described, Undescribed } tags = Tags::None;
};
Q_DECLARE_METATYPE(Sample)

/** Writes @p sample as a PDF at @p path with qpdf. */
void writeSample(const Sample& sample, const QString& path);
