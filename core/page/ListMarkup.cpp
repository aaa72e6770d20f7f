#include "ListMarkup.h"

#include "PageEscaping.h"
#include "PageFill.h"
#include "PlainText.h"
#include "ReviewBlocks.h"
#include "ShareKit.h"

#include <QRegularExpression>
#include <QUrl>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
struct Row {
    QString heading;
    QStringList cells; ///< markup, one per product
};

QString plainEscaped(const QString& html)
{
    return escaped(plainTitle(html));
}

// "Verdict:" heads a sentence on a single page; a row's heading stands alone.
QString headingOf(const QString& word)
{
    static const QRegularExpression colon(QStringLiteral("[\\s\\x{00A0}]*:$"));
    return QString(word).remove(colon);
}

QString listOf(const QString& lines)
{
    QString items;
    for (const QString& line : QString(lines).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(u'\n'))
        if (!line.trimmed().isEmpty())
            items += QStringLiteral("<li>%1</li>").arg(escaped(line.trimmed()));
    return items.isEmpty() ? QString() : QStringLiteral("<ul>%1</ul>").arg(items);
}

QString cellOf(ListRow::Kind kind, const PageFields& fields, const PageWords& words)
{
    switch (kind) {
    case ListRow::Kind::Rating:
        return ReviewBlocks::ratingBlock(fields.rating, words);
    case ListRow::Kind::Price:
        return escaped(fields.price.trimmed());
    case ListRow::Kind::Pros:
        return listOf(fields.pros);
    case ListRow::Kind::Cons:
        return listOf(fields.cons);
    case ListRow::Kind::Verdict:
        return escaped(fields.verdict.trimmed());
    case ListRow::Kind::Own:
        break;
    }
    return {};
}

QString headingOf(ListRow::Kind kind, const PageWords& words, const ListWords& listWords)
{
    switch (kind) {
    case ListRow::Kind::Rating:
        return listWords.rating;
    case ListRow::Kind::Price:
        return listWords.price;
    case ListRow::Kind::Pros:
        return words.pros;
    case ListRow::Kind::Cons:
        return words.cons;
    case ListRow::Kind::Verdict:
        return headingOf(words.verdict);
    case ListRow::Kind::Own:
        break;
    }
    return {};
}

// The rating always, first; then the rows the list chose. A row no product fills is left out.
QList<Row> rowsOf(const ProductList& list, const QList<ListProduct>& products, const PageWords& words,
                  const ListWords& listWords)
{
    QList<ListRow> chosen{ListRow{ListRow::Kind::Rating, {}, {}}};
    for (const ListRow& row : list.rows)
        if (row.kind != ListRow::Kind::Rating)
            chosen << row;
    QList<Row> rows;
    for (const ListRow& row : chosen) {
        Row shown{row.kind == ListRow::Kind::Own ? escaped(row.label) : escaped(headingOf(row.kind, words, listWords)),
                  {}};
        bool filled = false;
        for (qsizetype i = 0; i < products.size(); ++i) {
            const QString cell = row.kind == ListRow::Kind::Own ? escaped(row.values.value(i).trimmed())
                                                                : cellOf(row.kind, products.at(i).fields, words);
            filled = filled || !cell.isEmpty();
            shown.cells << (cell.isEmpty() ? escaped(listWords.noValue) : cell);
        }
        if (filled)
            rows << shown;
    }
    return rows;
}

QString pictureOf(const ListProduct& product)
{
    if (product.pictureName.isEmpty())
        return {};
    const QString alt = product.fields.affiliateImageAlt.trimmed().isEmpty()
                            ? ListMarkup::productName(product)
                            : plainTitle(product.fields.affiliateImageAlt);
    return QStringLiteral("<img class=\"list-picture\" src=\"%1\" alt=\"%2\">")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(product.pictureName)), escaped(alt));
}

QString nameOf(qsizetype rank, const ListProduct& product)
{
    return QStringLiteral("<span class=\"list-name\"><span class=\"list-rank\">%1.</span> %2</span>")
        .arg(rank)
        .arg(escaped(ListMarkup::productName(product)));
}

// The pick is said in words, so it reads without its colour too.
QString extrasOf(const ListProduct& product, const ListWords& listWords)
{
    QString extras;
    if (!product.badge.trimmed().isEmpty())
        extras += QStringLiteral("<strong class=\"list-badge\">%1</strong>").arg(escaped(product.badge.trimmed()));
    if (!product.bestFor.trimmed().isEmpty())
        extras += QStringLiteral("<span class=\"list-bestfor\">%1: %2</span>")
                      .arg(escaped(listWords.bestFor), escaped(product.bestFor.trimmed()));
    return extras;
}

QString buyButton(const ListProduct& product, const ListWords& listWords)
{
    return QStringLiteral("<a class=\"list-buy\" href=\"%1\" rel=\"nofollow sponsored\">%2</a>")
        .arg(PageFill::pageLink(product.fields.ctaUrl), escaped(listWords.buy.arg(ListMarkup::productName(product))));
}

QString table(const ProductList& list, const QList<ListProduct>& products, const PageWords& words,
              const ListWords& listWords)
{
    QString head = QStringLiteral("<tr><td class=\"list-corner\">%1</td>").arg(escaped(listWords.product));
    for (qsizetype i = 0; i < products.size(); ++i)
        head +=
            QStringLiteral("<th scope=\"col\">%1</th>")
                .arg(pictureOf(products.at(i)) + nameOf(i + 1, products.at(i)) + extrasOf(products.at(i), listWords));
    QString body;
    for (const Row& row : rowsOf(list, products, words, listWords)) {
        body += QStringLiteral("<tr><th scope=\"row\">%1</th>").arg(row.heading);
        for (qsizetype i = 0; i < row.cells.size(); ++i)
            body += QStringLiteral("<td data-product=\"%1\">%2</td>")
                        .arg(escaped(ListMarkup::productName(products.at(i))), row.cells.at(i));
        body += QStringLiteral("</tr>\n");
    }
    body += QStringLiteral("<tr class=\"list-buyrow\"><td class=\"list-corner\"></td>");
    for (const ListProduct& product : products)
        body += QStringLiteral("<td>%1</td>").arg(buyButton(product, listWords));
    return QStringLiteral("<table class=\"list-table\">\n<caption>%1</caption>\n<thead>%2</tr></thead>\n<tbody>\n%3"
                          "</tr></tbody>\n</table>\n")
        .arg(plainEscaped(list.title), head, body);
}

QString blocks(const ProductList& list, const QList<ListProduct>& products, const PageWords& words,
               const ListWords& listWords)
{
    const QList<Row> rows = rowsOf(list, products, words, listWords);
    QString text = QStringLiteral("<ol class=\"list-blocks\">\n");
    for (qsizetype i = 0; i < products.size(); ++i) {
        QString facts;
        for (const Row& row : rows)
            facts += QStringLiteral("<dt>%1</dt><dd>%2</dd>").arg(row.heading, row.cells.at(i));
        text += QStringLiteral("<li class=\"list-block\"><h2 class=\"list-head\">%1</h2>%2<dl>%3</dl>%4</li>\n")
                    .arg(nameOf(i + 1, products.at(i)), pictureOf(products.at(i)) + extrasOf(products.at(i), listWords),
                         facts, buyButton(products.at(i), listWords));
    }
    return text + QStringLiteral("</ol>\n");
}
} // namespace

namespace ListMarkup {
bool isTable(const ProductList& list, qsizetype count)
{
    return list.kind == ProductList::Kind::Comparison && count >= ListFile::minItems && count <= mostInTable;
}

// By the words of the campaign's own language: its title says "Review" or "im Test" whatever the list's language.
QString productName(const ListProduct& product)
{
    return Sharing::productNameOf(product.fields.mainTitle, PageWordTables::of(product.fields.language));
}

QString products(const ProductList& list, const QList<ListProduct>& products, const PageWords& words,
                 const ListWords& listWords)
{
    return isTable(list, products.size()) ? table(list, products, words, listWords)
                                          : blocks(list, products, words, listWords);
}

// Block layout for the old WebKit; the header repeats on every printed page and no row is cut in two. On a
// narrow screen each row becomes a card of its own, the markup and so its table semantics unchanged. The classic
// converter lays a page out at a width of 0, which a "min-width" keeps from taking it for a phone.
QString styleSheet(const QString& accent)
{
    return QStringLiteral(
               "<style>\n"
               ".list-table { width: 100%; border-collapse: collapse; margin: 18px 0; table-layout: fixed; }\n"
               ".list-table caption { text-align: left; font-weight: bold; padding: 0 0 8px 0; }\n"
               ".list-table thead { display: table-header-group; }\n"
               ".list-table tr { break-inside: avoid; page-break-inside: avoid; }\n"
               ".list-table th, .list-table td { border: 1px solid #c9ced8; padding: 8px; vertical-align: top; "
               "text-align: left; word-wrap: break-word; }\n"
               ".list-table thead th { text-align: center; }\n"
               ".list-table tbody th { width: 18%; }\n"
               ".list-table ul { margin: 0; padding-left: 1.2em; }\n"
               ".list-picture { display: block; max-width: 100%; max-height: 160px; margin: 0 auto 8px auto; }\n"
               ".list-name { display: block; font-weight: bold; }\n"
               ".list-badge { display: inline-block; margin: 6px 0 0 0; padding: 2px 8px; color: #ffffff; "
               "background: %1; }\n"
               ".list-bestfor { display: block; margin: 6px 0 0 0; font-size: 0.9em; }\n"
               ".list-buy { display: inline-block; padding: 8px 12px; color: #ffffff; background: %1; "
               "font-weight: bold; text-decoration: none; }\n"
               ".list-blocks { margin: 18px 0; padding: 0; list-style: none; }\n"
               ".list-block { margin: 0 0 18px 0; padding: 12px; border: 1px solid #c9ced8; "
               "break-inside: avoid; page-break-inside: avoid; }\n"
               ".list-block .list-picture { float: right; max-width: 30%; margin: 0 0 8px 12px; }\n"
               ".list-block dt { font-weight: bold; margin: 8px 0 0 0; }\n"
               ".list-block dd { margin: 0; }\n"
               ".list-block .list-buy { margin: 10px 0 0 0; clear: both; }\n"
               ".list-method { margin: 18px 0; }\n"
               ".list-checked { font-size: 0.9em; }\n"
               "[dir=rtl] .list-table caption, [dir=rtl] .list-table th, [dir=rtl] .list-table td { text-align: right; "
               "}\n"
               "[dir=rtl] .list-table ul { padding-left: 0; padding-right: 1.2em; }\n"
               "[dir=rtl] .list-block .list-picture { float: left; margin: 0 12px 8px 0; }\n"
               "@media (min-width: 1px) and (max-width: 520px) {\n"
               "  .list-table, .list-table tbody, .list-table tr { display: block; width: 100%; }\n"
               "  .list-table thead tr { position: absolute; top: -9999px; left: -9999px; }\n"
               "  .list-table tr { margin: 0 0 12px 0; border: 1px solid #c9ced8; }\n"
               "  .list-table th, .list-table td { display: block; width: auto; border: 0; }\n"
               "  .list-table td[data-product]:before { content: attr(data-product) \": \"; font-weight: bold; }\n"
               "}\n"
               "</style>\n")
        .arg(accent);
}
} // namespace ListMarkup
} // namespace orvanta::page
