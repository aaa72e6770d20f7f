#include "ShareChecks.h"

#include "TestAppFolder.h"

#include <QImage>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>

QString decodedCodes(const QImage& image)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("code.png");
    if (!image.save(png, "PNG"))
        return {};
    return QString::fromUtf8(runTool("zbarimg", {"--quiet", "--raw", "-Sdisable", "-Sqrcode.enable", png})).trimmed();
}

namespace {
QString readReferences(QString text)
{
    for (const auto& [entity, character] : {std::pair{"&quot;", "\""}, {"&#39;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}})
        text.replace(QLatin1String(entity), QLatin1String(character));
    return text.replace("&amp;", "&");
}

// A value in double quotes may hold no bare quote, '<' or '>' ; a bare '&' must not start a reference.
QString attributeProblem(const QString& raw)
{
    if (raw.contains(QRegularExpression("[<>\"]")))
        return "a bare '<', '>' or quote in " + raw;
    if (raw.contains(QRegularExpression("&(?!(amp|quot|#39|lt|gt);)")))
        return "a bare '&' in " + raw;
    return {};
}
} // namespace

SharedHead sharedHeadOf(const QString& page)
{
    SharedHead head;
    const qsizetype end = page.indexOf("</head>", 0, Qt::CaseInsensitive);
    if (end < 0) {
        head.problem = "the page has no head";
        return head;
    }
    const QString text = page.left(end);
    static const QRegularExpression meta(R"re(<meta\s+(property|name)="([^"]*)"\s+content="([^"]*)"\s*/?>)re");
    for (auto match = meta.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        const QString name = found.captured(2);
        if (!name.startsWith("og:") && !name.startsWith("twitter:"))
            continue;
        if (head.meta.contains(name))
            head.problem += "twice: " + name + "; ";
        head.problem += attributeProblem(found.captured(3));
        head.meta.insert(name, readReferences(found.captured(3)));
    }
    // The script's text runs to the first "</script", whatever the JSON inside meant.
    static const QRegularExpression script(R"re(<script type="application/ld\+json">(.*?)</script)re",
                                           QRegularExpression::DotMatchesEverythingOption |
                                               QRegularExpression::CaseInsensitiveOption);
    const auto scripts = script.globalMatch(text);
    int count = 0;
    for (auto match = scripts; match.hasNext(); ++count) {
        const QString json = match.next().captured(1);
        if (json.contains("<!--"))
            head.problem += "the script opens a comment; ";
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
        if (!document.isObject())
            head.problem += "the JSON-LD is no object: " + error.errorString() + "; ";
        head.review = document.object();
    }
    if (count != 1)
        head.problem += QString("%1 JSON-LD scripts; ").arg(count);
    for (const char* needed : {"og:title", "og:description", "og:type", "og:image", "twitter:card"})
        if (head.meta.value(needed).isEmpty())
            head.problem += QString("no %1; ").arg(needed);
    // Nothing the head names may send a reader's browser to the network: every address is relative.
    if (head.meta.value("og:image")
            .contains(QRegularExpression("^[a-z]+:|^//", QRegularExpression::CaseInsensitiveOption)))
        head.problem += "og:image is not relative; ";
    const QJsonObject item = head.review.value("itemReviewed").toObject();
    if (head.review.value("@context").toString() != "https://schema.org" || head.review.value("@type") != "Review" ||
        item.value("@type") != "Product" || item.value("name").toString().isEmpty() ||
        head.review.value("reviewBody").toString().isEmpty())
        head.problem += "the review lacks its type, product or body; ";
    const QJsonValue rating = head.review.value("reviewRating");
    if (!rating.isUndefined() && (rating["@type"] != "Rating" || !rating["ratingValue"].isDouble() ||
                                  rating["ratingValue"].toDouble() > rating["bestRating"].toDouble(5)))
        head.problem += "the rating is no Rating within its best; ";
    return head;
}
