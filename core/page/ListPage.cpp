#include "ListPage.h"

#include "Designs.h"
#include "FileToolkit.h"
#include "HelperOps.h"
#include "PageEscaping.h"
#include "PageFill.h"
#include "PageLanguage.h"
#include "PageTr.h"
#include "PictureCheck.h"
#include "PlainText.h"
#include "ReviewBlocks.h"
#include "SafeCopy.h"
#include "ShareKit.h"

#include <QFileInfo>
#include <QJsonArray>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
QString withBreaks(const QString& text)
{
    return vParser::ReplaceText(escaped(text.trimmed()), QStringLiteral("\r\n"), QStringLiteral("<br>"));
}

QString methodBlock(const QString& howWeRanked, const ListWords& words)
{
    if (howWeRanked.trimmed().isEmpty())
        return {};
    return QStringLiteral("<div class=\"list-method\"><h2>%1</h2><p>%2</p></div>")
        .arg(escaped(words.howWeRanked), withBreaks(howWeRanked));
}

QString checkedOnBlock(const QDate& date, const ListWords& words)
{
    return date.isValid() ? QStringLiteral("<p class=\"list-checked\">%1</p>").arg(escaped(words.checkedOnText(date)))
                          : QString();
}

QString missing(const QString& text, const QStringList& placeholders)
{
    QStringList lacking;
    for (const QString& placeholder : placeholders)
        if (!text.contains(placeholder))
            lacking << placeholder;
    return lacking.join(QStringLiteral(", "));
}

// The design's own list page, or the built-in one; either takes the design's colours and fonts.
Result<QString> templateOf(const Design& design)
{
    const Result<QString> own = Designs::readListTemplate(design);
    if (!own || own->isEmpty())
        return own ? Result<QString>(ListPage::builtInTemplate()) : own;
    const QString lacking = missing(*own, ListPage::requiredPlaceholders());
    if (!lacking.isEmpty())
        return fail(PageTr::tr("The design \"%1\" cannot make a list: its list.html lacks the placeholder %2.")
                        .arg(design.name, lacking));
    return own;
}

QString withLook(QString text, const BrandLook& look)
{
    const QString values[] = {look.accentColor,         look.textColor,
                              look.backgroundColor,     fontStack(look.headingFont),
                              fontStack(look.bodyFont), QString()};
    const QStringList names = Designs::brandPlaceholders();
    for (qsizetype i = 0; i < names.size(); ++i)
        text = vParser::ReplaceText(std::move(text), names.at(i), values[i]);
    return text;
}

QString filledText(QString text, const ProductList& list, const QList<ListProduct>& products, const PageFields& fields,
                   const Design& design)
{
    const PageWords words = PageWordTables::of(fields.language, design.words);
    const ListWords listWords = ListWordTables::of(words.tag);
    const BrandLook look = design.look.with(fields.brand);
    text = PageLanguage::withDirection(PageLanguage::withLanguage(std::move(text), fields.language), words.rightToLeft);
    // Before the design's own rules, which win a tie.
    const qsizetype head = text.indexOf(QLatin1String("<head>"), 0, Qt::CaseInsensitive);
    text.insert(head < 0 ? 0 : head + 6, QLatin1Char('\n') + ListMarkup::styleSheet(look.accentColor) +
                                             (ReviewBlocks::styleSheet(look.accentColor, words.rightToLeft)));
    text = withLook(PageWordTables::withDisclosure(std::move(text), words), look);
    const QString values[] = {escaped(plainTitle(list.title)), withBreaks(list.introduction),
                              ListMarkup::products(list, products, words, listWords),
                              methodBlock(list.howWeRanked, listWords), checkedOnBlock(list.checkedOn, listWords)};
    const QStringList names = ListPage::placeholders();
    for (qsizetype i = 0; i < names.size(); ++i)
        text = vParser::ReplaceText(std::move(text), names.at(i), values[i]);
    return text;
}

ShareKit shareKitOf(const ProductList& list, const QList<ListProduct>& products)
{
    ShareKit kit;
    kit.title = plainTitle(list.title);
    kit.description = Sharing::description(QString(), list.introduction);
    kit.structuredData = ListPage::itemList(list, products);
    return kit;
}

QStringList linesOf(const QString& text)
{
    QStringList lines;
    for (const QString& line : QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}
} // namespace

namespace ListPage {
// A picture's copy is named by its rank: two campaigns' covers may share a name.
Result<QString> placePicture(const QString& source, qsizetype rank, const Design& design, const QString& folder)
{
    const Result<void> picture = checkPicture(source);
    if (!picture)
        return picture.failure();
    const QString name = QStringLiteral("list-product-%1.%2").arg(rank).arg(QFileInfo(source).suffix().toLower());
    if (design.assets.contains(name, Qt::CaseInsensitive))
        return fail(PageTr::tr("The design \"%1\" holds a file named %2, which a list's picture needs. Please "
                               "rename it.")
                        .arg(design.name, name));
    const Result<void> copied = safeCopy(source, inFolder(folder, name));
    if (!copied)
        return copied.failure();
    return name;
}

QStringList placeholders()
{
    return {QStringLiteral("#LISTTITLE#"), QStringLiteral("#LISTINTRODUCTION#"), QStringLiteral("#LISTPRODUCTS#"),
            QStringLiteral("#LISTMETHOD#"), QStringLiteral("#LISTCHECKEDON#")};
}

QStringList requiredPlaceholders()
{
    return {placeholders().at(0), placeholders().at(2), placeholders().at(3), PageWordTables::disclosurePlaceholder()};
}

PageFields fieldsOf(const ProductList& list, const QString& pdfFileName)
{
    PageFields fields;
    fields.mainTitle = list.title;
    fields.design = list.design;
    fields.brand = list.brand;
    fields.language = list.language;
    fields.engine = list.engine;
    fields.pdfFileName = pdfFileName;
    return fields;
}

// Positions follow the page: the first product shown is the first item.
QJsonObject itemList(const ProductList& list, const QList<ListProduct>& products)
{
    QJsonArray items;
    for (const ListProduct& product : products) {
        ShareKit kit = Sharing::of(product.fields);
        kit.title = plainTitle(product.fields.mainTitle);
        kit.imageName = product.pictureName;
        items << QJsonObject{{QStringLiteral("@type"), QStringLiteral("ListItem")},
                             {QStringLiteral("position"), items.size() + 1},
                             {QStringLiteral("item"), Sharing::productWithReview(kit, linesOf(product.fields.pros),
                                                                                 linesOf(product.fields.cons))}};
    }
    return QJsonObject{{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
                       {QStringLiteral("@type"), QStringLiteral("ItemList")},
                       {QStringLiteral("name"), plainTitle(list.title)},
                       {QStringLiteral("itemListOrder"), QStringLiteral("https://schema.org/ItemListOrderAscending")},
                       {QStringLiteral("numberOfItems"), items.size()},
                       {QStringLiteral("itemListElement"), items}};
}

Result<BuiltPage> build(const QString& app, const ProductList& list, QList<ListProduct> products,
                        const PageFields& fields, const PageTarget& target)
{
    const Design design = Designs::find(app, fields.design);
    const QString refused = design.usable() ? brandProblem(fields.brand) : design.problem;
    if (!refused.isEmpty())
        return fail(refused, BuildFailure::FileError);
    const Result<QString> templateText = templateOf(design);
    if (!templateText)
        return fail(templateText.error(), BuildFailure::FileError);
    BuiltPage page;
    page.pageName = pageNameOf(fields.pdfFileName);
    const Result<QStringList> placed = Designs::placeFiles(design, target.pageFolder);
    if (!placed)
        return fail(placed.error(), BuildFailure::FileError);
    page.assetNames = placed.value();
    for (qsizetype i = 0; i < products.size(); ++i) {
        const Result<QString> picture =
            ListPage::placePicture(products.at(i).fields.affiliateImagePath, i + 1, design, target.pageFolder);
        if (!picture)
            return fail(picture.error(), BuildFailure::FileError);
        products[i].pictureName = picture.value();
        page.imageNames << picture.value();
        page.webLinks << PageFill::webLinks(products.at(i).fields);
    }
    page.htmlPath = inFolder(target.pageFolder, pageFileNameOf(page.pageName));
    page.pdfPath = inFolder(target.pdfFolder, page.pageName + QStringLiteral(".pdf"));
    page.filledText = filledText(templateText.value(), list, products, fields, design);
    page.headEnd = qMax<qsizetype>(0, page.filledText.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive));
    page.share = shareKitOf(list, products);
    return page;
}

// Block layout only: the classic converter is an old WebKit.
QString builtInTemplate()
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<title>#LISTTITLE#</title>\n<style>\n"
                          "html { margin: 0; padding: 0; background: #BRANDBACKGROUND#; }\n"
                          "body { margin: 0; padding: 0; zoom: 1.3; background: #BRANDBACKGROUND#; color: #BRANDTEXT#; "
                          "font-family: #BRANDBODYFONT#; font-size: 15px; line-height: 1.5; }\n"
                          "h1, h2, h3, caption { font-family: #BRANDHEADINGFONT#; }\n"
                          "a { color: #BRANDACCENT#; }\n"
                          ".wrap { width: 92%; max-width: 760px; margin: 0 auto; padding: 24px 0 30px 0; }\n"
                          ".list-title { margin: 0 0 10px 0; font-size: 28px; line-height: 1.2; }\n"
                          ".disclosure { font-size: 12px; line-height: 1.5; margin: 0 0 14px 0; }\n"
                          ".list-introduction { margin: 0 0 12px 0; }\n"
                          "</style>\n</head>\n<body>\n<div class=\"wrap\">\n"
                          "#BRANDLOGO#<h1 class=\"list-title\">#LISTTITLE#</h1>\n"
                          "<p class=\"disclosure\">#DISCLOSURE#</p>\n"
                          "<div class=\"list-introduction\">#LISTINTRODUCTION#</div>\n"
                          "#LISTPRODUCTS##LISTMETHOD##LISTCHECKEDON#</div>\n");
}
} // namespace ListPage
} // namespace orvanta::page
