#include "ShareKit.h"

#include "PageBuilder.h"
#include "PageEscaping.h"
#include "PlainText.h"
#include "Rating.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace orvanta::page;

namespace orvanta::page {
namespace {
constexpr int longestDescription = 300;

// Inside a <script> only "</script" or "<!--" ends or bends it; with no '<' at all neither can appear. The other
// escapes keep the JSON the same value for any parser.
QString scriptSafeJson(const QJsonObject& object)
{
    QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    const std::pair<QChar, const char*> escapes[] = {{QLatin1Char('<'), "\\u003c"},
                                                     {QLatin1Char('>'), "\\u003e"},
                                                     {QLatin1Char('&'), "\\u0026"},
                                                     {QChar(0x2028), "\\u2028"},
                                                     {QChar(0x2029), "\\u2029"}};
    for (const auto& [character, escape] : escapes)
        json.replace(character, QLatin1String(escape));
    return json;
}

// The review's paragraphs as plain text, one a line: the editor's CR LF or a typed <br>.
QStringList paragraphsOf(const QString& review)
{
    static const QRegularExpression breaks(QStringLiteral("\\r\\n|\\r|\\n|<br\\s*/?>"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList paragraphs;
    for (const QString& line : review.split(breaks)) {
        const QString plain = plainTitle(line);
        if (!plain.isEmpty())
            paragraphs << plain;
    }
    return paragraphs;
}

QString shortened(const QString& text)
{
    if (text.size() <= longestDescription)
        return text;
    const qsizetype blank = text.lastIndexOf(QLatin1Char(' '), longestDescription - 1);
    return text.left(blank > 0 ? blank : longestDescription - 1) + QChar(0x2026);
}

QJsonObject ratingOf(const ShareKit& kit)
{
    return QJsonObject{{QStringLiteral("@type"), QStringLiteral("Rating")},
                       {QStringLiteral("ratingValue"), *kit.rating},
                       {QStringLiteral("bestRating"), kit.bestRating}};
}

QJsonObject reviewObject(const ShareKit& kit)
{
    QJsonObject review{
        {QStringLiteral("@context"), QStringLiteral("https://schema.org")},
        {QStringLiteral("@type"), QStringLiteral("Review")},
        {QStringLiteral("name"), kit.title},
        {QStringLiteral("itemReviewed"),
         QJsonObject{{QStringLiteral("@type"), QStringLiteral("Product")}, {QStringLiteral("name"), kit.productName}}},
        {QStringLiteral("reviewBody"), kit.reviewBody}};
    if (!kit.author.isEmpty())
        review.insert(QStringLiteral("author"), QJsonObject{{QStringLiteral("@type"), QStringLiteral("Person")},
                                                            {QStringLiteral("name"), kit.author}});
    if (kit.rating)
        review.insert(QStringLiteral("reviewRating"), ratingOf(kit));
    if (!kit.imageName.isEmpty())
        review.insert(QStringLiteral("image"), kit.imageName);
    return review;
}

QJsonObject notesOf(const QStringList& notes)
{
    QJsonArray items;
    for (const QString& note : notes)
        items << QJsonObject{{QStringLiteral("@type"), QStringLiteral("ListItem")},
                             {QStringLiteral("position"), items.size() + 1},
                             {QStringLiteral("name"), note}};
    return QJsonObject{{QStringLiteral("@type"), QStringLiteral("ItemList")},
                       {QStringLiteral("itemListElement"), items}};
}
} // namespace

namespace Sharing {
QString description(const QString& verdict, const QString& review)
{
    const QString plainVerdict = plainTitle(verdict);
    if (!plainVerdict.isEmpty())
        return shortened(plainVerdict);
    const QStringList paragraphs = paragraphsOf(review);
    if (paragraphs.isEmpty())
        return {};
    static const QRegularExpression sentenceEnd(QStringLiteral("[.!?…](?=\\s)"));
    const QString& first = paragraphs.first();
    const QRegularExpressionMatch end = sentenceEnd.match(first);
    return shortened(end.hasMatch() ? first.left(end.capturedEnd()) : first);
}

QString productNameOf(const QString& mainTitle, const PageWords& words)
{
    const auto alternatives = [](const QStringList& all) {
        QStringList escaped;
        for (const QString& each : all)
            escaped << QRegularExpression::escape(each).replace(QLatin1String("\\ "), QLatin1String("\\s+"));
        return escaped.join(QLatin1Char('|'));
    };
    const QString word = alternatives(words.review);
    const QString joined =
        words.reviewOf.isEmpty() ? QString() : QStringLiteral("(?:%1)\\b|").arg(alternatives(words.reviewOf));
    // Word boundaries of any script's letters, but English as it always was.
    const QRegularExpression reviewWord(
        QStringLiteral("^\\s*(?:%1)\\b\\s*(%2[:\\-–—|])?\\s*|\\s*[:\\-–—|]?\\s*\\b(?:%1)\\s*$").arg(word, joined),
        QRegularExpression::CaseInsensitiveOption |
            (words.tag == QLatin1String("en") ? QRegularExpression::NoPatternOption
                                              : QRegularExpression::UseUnicodePropertiesOption));
    const QString title = plainTitle(mainTitle);
    const QString name = QString(title).remove(reviewWord).simplified();
    return name.isEmpty() ? title : name;
}

ShareKit of(const PageFields& fields)
{
    ShareKit kit;
    kit.title = plainTitle(fields.mainTitle);
    kit.description = description(fields.verdict, fields.review);
    kit.productName = productNameOf(fields.mainTitle, PageWordTables::of(fields.language));
    kit.reviewBody = paragraphsOf(fields.review).join(QLatin1Char('\n'));
    kit.rating = orvanta::campaign::ReviewBlocks::ratingValue(fields.rating);
    kit.bestRating = orvanta::campaign::ReviewBlocks::bestRating;
    return kit;
}

QJsonObject productWithReview(const ShareKit& kit, const QStringList& pros, const QStringList& cons)
{
    const QString type = QStringLiteral("Review");
    QJsonObject review{{QStringLiteral("@type"), type}, {QStringLiteral("name"), kit.title}};
    if (!kit.reviewBody.isEmpty())
        review.insert(QStringLiteral("reviewBody"), kit.reviewBody);
    if (kit.rating)
        review.insert(QStringLiteral("reviewRating"), ratingOf(kit));
    if (!pros.isEmpty())
        review.insert(QStringLiteral("positiveNotes"), notesOf(pros));
    if (!cons.isEmpty())
        review.insert(QStringLiteral("negativeNotes"), notesOf(cons));
    QJsonObject product{{QStringLiteral("@type"), QStringLiteral("Product")},
                        {QStringLiteral("name"), kit.productName},
                        // The property is named for its type, in lower case; a campaign has a key of that name.
                        {type.toLower(), review}};
    if (!kit.imageName.isEmpty())
        product.insert(QStringLiteral("image"), kit.imageName);
    return product;
}

QString headTags(const ShareKit& kit)
{
    QString tags;
    const auto meta = [&tags](const char* kind, const char* name, const QString& value) {
        tags += QStringLiteral("<meta %1=\"%2\" content=\"%3\">\n")
                    .arg(QLatin1String(kind), QLatin1String(name), escaped(value));
    };
    meta("property", "og:type", QStringLiteral("article"));
    meta("property", "og:title", kit.title);
    meta("property", "og:description", kit.description);
    if (!kit.imageName.isEmpty()) {
        meta("property", "og:image", kit.imageName);
        meta("property", "og:image:width", QString::number(pictureWidth));
        meta("property", "og:image:height", QString::number(pictureHeight));
    }
    meta("name", "twitter:card",
         kit.imageName.isEmpty() ? QStringLiteral("summary") : QStringLiteral("summary_large_image"));
    return tags + QStringLiteral("<script type=\"application/ld+json\">") +
           scriptSafeJson(kit.structuredData.isEmpty() ? reviewObject(kit) : kit.structuredData) +
           QStringLiteral("</script>\n");
}

// Never at a "</head>" the page's text holds: a title may hold one, and the tags would land inside its title.
QString withKit(QString pageText, qsizetype headEnd, const ShareKit& kit)
{
    return pageText.insert(qBound<qsizetype>(0, headEnd, pageText.size()), headTags(kit));
}
} // namespace Sharing
} // namespace orvanta::page
