#pragma once

#include "Brand.h"
#include "Result.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

/**
 * One look a page can take: the application's own template ("Classic", bin/template.html) or a folder below
 * designs/ holding a template.html and the files it shows. A design that cannot be used says why and is never
 * used in part.
 */
struct Design {
    /** The folder's name; the classic name for the application's own template. */
    QString name;
    QString title;
    QString description;
    QString templatePath;
    /** The design's folder; empty for Classic. */
    QString folder;
    /** The design's own files the page shows, relative to its folder; they go beside the page. */
    QStringList assets;
    /** The picture shown until the user's own thumbnail is rendered; may be missing. */
    QString thumbnailPath;
    BrandLook look;
    /** The page's words the design says its own way, by their design.ini keys in lower case ("word.de.verdict"). */
    QHash<QString, QString> words;
    /** Rules laid after the template's own on a page written right to left; may be missing. */
    QString rtlStylePath;
    /** Why the design cannot be used; empty when it can. */
    QString problem;

    bool isClassic() const { return folder.isEmpty(); }
    bool usable() const { return problem.isEmpty(); }
};

namespace orvanta::page {
namespace Designs {
/** The name of the application's own template, the design of every page that names none. */
QString classicName();

/** The nine placeholders every design holds. */
QStringList placeholders();
/**
 * The placeholders a design may hold besides the nine, in the order they are filled: the pictures' descriptions
 * and the review's blocks. A design without them is whole and simply does not show them.
 */
QStringList optionalPlaceholders();

/** Where a design shows the link's QR code, beside its call to action; optional, like the brand's. */
QString qrCodePlaceholder();

/** A design's whole folder, template and files together, holds at most this. */
constexpr qint64 maxDesignBytes = 2 * 1024 * 1024;

/** Classic first, then every folder below designs/, by name; unusable ones too, with their reasons. */
QList<Design> list(const QString& app);

/** The design @p name (any letter case); empty names Classic. One that is not there says so in its problem. */
Design find(const QString& app, const QString& name);

/** The text of @p design's template, read afresh: the folder may have changed since it was listed. */
Result<QString> readTemplate(const Design& design);

/** The text of @p design's own list page (list.html), read afresh; empty when it has none. */
Result<QString> readListTemplate(const Design& design);

/** @p text with @p design's rules for a page written right to left before its head's end; none when it has none. */
Result<QString> withRtlStyle(const Design& design, QString text);
} // namespace Designs

namespace Designs {
/** The placeholders through which a design takes the brand; each is optional. */
QStringList brandPlaceholders();

/**
 * @p text of @p design's template with @p brand laid over it: a design of a folder takes the brand, or its own
 * look where the brand has no value, through its brand placeholders; Classic, which has none, takes a style
 * sheet of the brand's values only, so without a brand it stays exactly as it is. @p logoName is the logo's copy
 * beside the page, or empty.
 */
QString applyBrand(const Design& design, QString text, const Brand& brand, const QString& logoName);

/** Copies @p design's files beside the page in @p pageFolder; gives their names. */
Result<QStringList> placeFiles(const Design& design, const QString& pageFolder);
} // namespace Designs
} // namespace orvanta::page
