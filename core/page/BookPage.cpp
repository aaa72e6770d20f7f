#include "BookPage.h"

#include "BookWords.h"
#include "Designs.h"
#include "FileToolkit.h"
#include "HelperOps.h"
#include "ListPage.h"
#include "PageBuilder.h"
#include "PageEscaping.h"
#include "PageFill.h"
#include "PageLanguage.h"
#include "PictureCheck.h"
#include "PlainText.h"
#include "QrCode.h"
#include "ReviewBlocks.h"
#include "SafeCopy.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
// Wide enough for any book's page number, so writing the numbers in moves nothing.
const QString unnumbered = QStringLiteral("&#8199;&#8199;&#8199;");

QString withBreaks(const QString& text)
{
    return vParser::ReplaceText(escaped(text.trimmed()), QStringLiteral("\r\n"), QStringLiteral("<br>"));
}

QString styleSheet(const BrandLook& look, const BookWords& words, const QStringList& chapters)
{
    QString css =
        QStringLiteral("@page { size: A4; margin: 22mm 20mm 20mm 20mm; @bottom-center { content: %1; font-size: 9pt; "
                       "color: #555; } }\n@page front { @bottom-center { content: none; } }\n"
                       ".front { page: front; }\n.book-part { break-before: page; }\n"
                       "body { margin: 0; color: %2; background: %3; font-family: %4; font-size: 12pt; "
                       "line-height: 1.5; }\nh1, h2 { font-family: %5; }\na { color: %6; }\n"
                       ".book-cover { text-align: center; padding-top: 60mm; }\n"
                       ".book-cover h1 { font-size: 30pt; margin: 0 0 8mm 0; }\n"
                       ".book-subtitle { font-size: 16pt; }\n.book-author { margin-top: 20mm; }\n"
                       ".brand-logo { max-height: 30mm; margin-bottom: 10mm; }\n"
                       ".book-contents { break-before: page; }\n.book-contents ol { list-style: none; padding: 0; }\n"
                       ".book-contents a { display: flex; text-decoration: none; color: inherit; }\n"
                       ".toc-title { flex: 1; }\n.toc-page { width: 3em; text-align: right; "
                       "font-variant-numeric: tabular-nums; }\n"
                       ".chapter-picture img { max-width: 100%; max-height: 90mm; }\n"
                       ".button { display: inline-block; padding: 8px 22px; background: %6; color: #fff; "
                       "text-decoration: none; border-radius: 4px; }\n")
            .arg(words.footerContent(), look.textColor, look.backgroundColor, fontStack(look.bodyFont),
                 fontStack(look.headingFont), look.accentColor);
    for (qsizetype i = 0; i < chapters.size(); ++i)
        css += QStringLiteral("@page chapter-%1 { @top-center { content: %2; font-size: 9pt; color: #555; } }\n"
                              ".chapter-%1 { page: chapter-%1; }\n")
                   .arg(i + 1)
                   .arg(cssString(plainTitle(chapters.at(i))));
    return css;
}

QString contentsOf(const QStringList& chapters, const BookWords& words)
{
    QString entries;
    for (qsizetype i = 0; i < chapters.size(); ++i)
        entries += QStringLiteral("<li><a href=\"#chapter-%1\"><span class=\"toc-title\">%2</span>"
                                  "<span class=\"toc-page\" id=\"toc-page-%1\">%3</span></a></li>\n")
                       .arg(i + 1)
                       .arg(escaped(plainTitle(chapters.at(i))), unnumbered);
    return QStringLiteral("<nav class=\"book-contents front\"><h2>%1</h2>\n<ol>\n%2</ol></nav>\n")
        .arg(escaped(words.contents), entries);
}

// The parts a single page shows of its review, built by the same builders.
Result<QString> chapterOf(const ListProduct& product, qsizetype number, const QString& title, const PageWords& words)
{
    const PageFields& fields = product.fields;
    const QString link = PageFill::pageLink(fields.ctaUrl);
    const Result<QString> qrCode = fields.qrCode
                                       ? QrCode::pageBlock(PageFill::pageLink(PageFill::qrLink(fields)), words)
                                       : Result<QString>(QString());
    if (!qrCode)
        return qrCode.failure();
    return QStringLiteral("<section class=\"book-part chapter-%1\" id=\"chapter-%1\">\n<h1>%2</h1>%3%4\n"
                          "<div class=\"chapter-picture\"><img src=\"%5\" alt=\"%6\"></div>\n"
                          "<div class=\"review\">%7</div>%8\n<div class=\"cta\"><h2>%9</h2>\n"
                          "<a class=\"button\" href=\"%10\" rel=\"nofollow sponsored\">%11</a>%12</div>\n</section>\n")
        .arg(QString::number(number), escaped(plainTitle(title)), ReviewBlocks::ratingBlock(fields.rating, words),
             ReviewBlocks::verdictBlock(fields.verdict, words), product.pictureName,
             PageFill::optionalValues(fields, words).at(0),
             vParser::ReplaceText(fields.review, QStringLiteral("\r\n"), QStringLiteral("<br>")),
             ReviewBlocks::prosAndConsBlock(fields.pros, fields.cons, words), fields.ctaTitle)
        .arg(link, fields.ctaText, qrCode.value());
}

QString coverOf(const ProductList& list, const QString& logoName)
{
    const QString logo = logoName.isEmpty() ? QString()
                                            : QStringLiteral("<img class=\"brand-logo\" src=\"%1\" alt=\"\">\n")
                                                  .arg(QString::fromLatin1(QUrl::toPercentEncoding(logoName)));
    QString cover = QStringLiteral("<section class=\"book-cover front\">\n%1<h1>%2</h1>\n")
                        .arg(logo, escaped(plainTitle(list.title)));
    if (!list.subtitle.trimmed().isEmpty())
        cover += QStringLiteral("<p class=\"book-subtitle\">%1</p>\n").arg(withBreaks(list.subtitle));
    if (!list.author.trimmed().isEmpty())
        cover += QStringLiteral("<p class=\"book-author\">%1</p>\n").arg(withBreaks(list.author));
    return cover +
           QStringLiteral("<p class=\"disclosure\">%1</p>\n</section>\n").arg(PageWordTables::disclosurePlaceholder());
}

bool showsBonus(const PageFields& fields)
{
    return !fields.bonusHeadline.trimmed().isEmpty() || !fields.bonusInstructions.trimmed().isEmpty();
}

// The bonus is the first product's, as its buyers get it, with its picture as its own page shows it.
QString endOf(const ProductList& list, const QList<ListProduct>& products, const QString& bonusPicture,
              const PageWords& words)
{
    QString end;
    const PageFields& first = products.first().fields;
    if (showsBonus(first))
        end += QStringLiteral("<section class=\"book-part\" id=\"bonus\">\n<h1>%1</h1>\n"
                              "<div class=\"chapter-picture\"><img src=\"%2\" alt=\"%3\"></div>\n"
                              "<div class=\"steps\">%4</div>\n</section>\n")
                   .arg(first.bonusHeadline, bonusPicture, PageFill::optionalValues(first, words).at(1),
                        vParser::ReplaceText(first.bonusInstructions, QStringLiteral("\r\n"), QStringLiteral("<br>")));
    if (!list.closing.trimmed().isEmpty())
        end += QStringLiteral("<section class=\"book-part\" id=\"closing\">\n<p>%1</p>\n</section>\n")
                   .arg(withBreaks(list.closing));
    return end;
}

// Empty when the book shows no bonus; a missing picture is named as the single page names it.
Result<QString> bonusPictureOf(const QString& app, const PageFields& fields, const QString& folder)
{
    if (!showsBonus(fields))
        return QString();
    const QString source = bonusImageSource(app, fields);
    if (!QFileInfo::exists(source))
        return fail(source, BuildFailure::BonusImageMissing);
    const QString name = QStringLiteral("book-bonus.%1").arg(QFileInfo(source).suffix().toLower());
    Result<void> placed = checkPicture(source);
    if (placed)
        placed = safeCopy(source, inFolder(folder, name));
    if (!placed)
        return fail(placed.error(), BuildFailure::FileError);
    return name;
}

Result<QString> logoOf(const Brand& brand, const QString& folder)
{
    if (brand.logoPath.isEmpty())
        return QString();
    const QString name = QStringLiteral("book-logo.%1").arg(QFileInfo(brand.logoPath).suffix().toLower());
    const Result<void> copied = safeCopy(brand.logoPath, inFolder(folder, name));
    if (!copied)
        return copied.failure();
    return name;
}
} // namespace

namespace BookPage {
QStringList chapterTitles(const ProductList& list, const QList<ListProduct>& products)
{
    QStringList titles;
    for (qsizetype i = 0; i < products.size(); ++i) {
        const QString own = i < list.items.size() ? list.items.at(i).chapterTitle.trimmed() : QString();
        titles << (own.isEmpty() ? ListMarkup::productName(products.at(i)) : own);
    }
    return titles;
}

BookHeadings headingsOf(const ProductList& list, const QList<ListProduct>& products, const QString& language)
{
    const BookWords words = BookWordTables::of(PageWordTables::of(language).tag);
    BookHeadings headings;
    headings.contents = words.contents;
    if (!list.introduction.trimmed().isEmpty())
        headings.introduction = words.introduction;
    for (const QString& title : chapterTitles(list, products))
        headings.chapters << plainTitle(title).simplified();
    return headings;
}

QString withNumbers(QString html, const QList<int>& pages)
{
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QRegularExpression span(
            QStringLiteral("(<span class=\"toc-page\" id=\"toc-page-%1\">)[^<]*(</span>)").arg(i + 1));
        html.replace(span, QStringLiteral("\\1%1\\2").arg(pages.at(i)));
    }
    return html;
}

Result<BuiltPage> build(const QString& app, const ProductList& list, QList<ListProduct> products,
                        const PageFields& fields, const PageTarget& target)
{
    const Design design = Designs::find(app, fields.design);
    const QString refused = design.usable() ? brandProblem(fields.brand) : design.problem;
    if (!refused.isEmpty())
        return fail(refused, BuildFailure::FileError);
    const PageWords words = PageWordTables::of(fields.language, design.words);
    const BookWords bookWords = BookWordTables::of(words.tag);
    const BrandLook look = design.look.with(fields.brand);
    BuiltPage page;
    page.pageName = pageNameOf(fields.pdfFileName);
    const Result<QString> logo = logoOf(list.brand, target.pageFolder);
    if (!logo)
        return fail(logo.error(), BuildFailure::FileError);
    if (!logo->isEmpty())
        page.imageNames << logo.value();
    const QStringList chapters = chapterTitles(list, products);
    QString body = coverOf(list, logo.value()) + contentsOf(chapters, bookWords);
    if (!list.introduction.trimmed().isEmpty())
        body +=
            QStringLiteral("<section class=\"book-part\" id=\"introduction\">\n<h1>%1</h1>\n<p>%2</p>\n</section>\n")
                .arg(escaped(bookWords.introduction), withBreaks(list.introduction));
    for (qsizetype i = 0; i < products.size(); ++i) {
        const Result<QString> picture =
            ListPage::placePicture(products.at(i).fields.affiliateImagePath, i + 1, design, target.pageFolder);
        if (!picture)
            return fail(picture.error(), BuildFailure::FileError);
        products[i].pictureName = picture.value();
        page.imageNames << picture.value();
        page.webLinks << PageFill::webLinks(products.at(i).fields);
        const Result<QString> chapter = chapterOf(products.at(i), i + 1, chapters.at(i), words);
        if (!chapter)
            return fail(chapter.error(), BuildFailure::FileError);
        body += chapter.value();
    }
    const Result<QString> bonus = bonusPictureOf(app, products.first().fields, target.pageFolder);
    if (!bonus)
        return bonus.failure();
    if (!bonus->isEmpty())
        page.imageNames << bonus.value();
    body += endOf(list, products, bonus.value(), words);
    QString text =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                       "<style>\n%2</style>\n%3</head>\n<body>\n%4")
            .arg(escaped(plainTitle(list.title)), styleSheet(look, bookWords, chapters),
                 ReviewBlocks::styleSheet(look.accentColor, words.rightToLeft), body);
    text = PageLanguage::withDirection(PageLanguage::withLanguage(std::move(text), fields.language), words.rightToLeft);
    page.filledText = PageWordTables::withDisclosure(std::move(text), words);
    page.disclosure = words.disclosure;
    page.headEnd = qMax<qsizetype>(0, page.filledText.indexOf(QLatin1String("</head>")));
    page.htmlPath = inFolder(target.pageFolder, pageFileNameOf(page.pageName));
    page.pdfPath = inFolder(target.pdfFolder, page.pageName + QStringLiteral(".pdf"));
    page.share.title = plainTitle(list.title);
    page.share.description = Sharing::description(QString(), list.introduction);
    return page;
}
} // namespace BookPage
} // namespace orvanta::page
