#pragma once

#include "Brand.h"
#include "Campaign.h"
#include "Result.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/** One product of a list, in rank order; its texts and links are its campaign's, read when the list is made. */
struct ListItem {
    /** Absolute, as resolved against the list file's folder. */
    QString campaignPath;
    QString badge;        ///< the pick's words, such as "Best overall"; empty for none
    QString bestFor;      ///< empty takes the campaign's own
    QString chapterTitle; ///< a book's heading for this product; empty takes the product's name
    /** A sheet's row that fills the list: the product itself, never saved; campaignPath names the row then. */
    std::optional<Campaign> campaign;
    QString problem; ///< why the row cannot be made, as the sheet said it
};

/** A row the comparison shows for every product: one of the campaign's blocks, or the list's own values. */
struct ListRow {
    enum class Kind { Rating, Price, Pros, Cons, Verdict, Own };
    Kind kind = Kind::Own;
    QString label;      ///< an own row's heading
    QStringList values; ///< an own row's values, one per item
};

/** Many offers on one page: a comparison table or a top list made from campaigns the user already has. */
struct ProductList {
    enum class Kind { Comparison, Top, Book };

    QString title;
    QString introduction;
    Kind kind = Kind::Comparison;
    QList<ListItem> items;
    QList<ListRow> rows;
    QString howWeRanked;
    QDate checkedOn; ///< null for none
    QString design;  ///< empty for Classic
    Brand brand;     ///< colours and fonts laid over the design
    QString language;
    QString engine;
    QString pdfFileName; ///< empty takes the list file's own name
    bool saveWebPage = false;
    /** A book's own texts; the introduction above opens it. */
    QString subtitle;
    QString author;
    QString closing; ///< the closing call to action
};

namespace orvanta::campaign {
/** List files: UTF-8 JSON with a format name and version, read and written like campaign files. */
namespace ListFile {
/** Books came with version 2; a list without book texts is still written as version 1, which older readers take. */
constexpr int formatVersion = 2;
/** Far above any real list; a bigger file is refused before it is read. */
constexpr qint64 maxFileSize = 4 * 1024 * 1024;
/** Fewer is no comparison; more is no page anyone reads to its end. */
constexpr int minItems = 2;
constexpr int maxItems = 30;

/** "orvantalist", without the dot. */
QString extension();
/** True when @p path names a list file by its extension. */
bool isListPath(const QString& path);

Result<ProductList> read(const QString& path);
/** Writes atomically: a failed write leaves any earlier file at @p path whole. */
Result<void> write(const QString& path, const ProductList& list);

/** The file's bytes; each campaign is stored relative to @p folder where it can be. */
QByteArray toJson(const ProductList& list, const QString& folder);
/** Parses bytes read from @p fileName (named in messages) lying in @p folder; nothing is read from disk. */
Result<ProductList> fromJson(const QByteArray& bytes, const QString& folder, const QString& fileName);

/**
 * Why @p list, read from @p fileName, cannot be made into a page: too few or too many items, a campaign named
 * twice, an own row without one value per item. Empty when it can.
 */
QString problem(const ProductList& list, const QString& fileName);
/** The PDF name of @p list read from @p path: its own, else the file's base name. */
QString pdfFileNameOf(const ProductList& list, const QString& path);
} // namespace ListFile
} // namespace orvanta::campaign
