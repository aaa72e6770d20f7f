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
    return image.save(png, "PNG")
               ? QString::fromUtf8(runTool("zbarimg", {"-q", "--raw", "-Sdisable", "-Sqrcode.enable", png})).trimmed()
               : QString();
}

SharedHead sharedHeadOf(const QString& page)
{
    SharedHead head;
    const QString text = page.left(page.indexOf("</head>", 0, Qt::CaseInsensitive));
    static const QRegularExpression meta(R"re(<meta (property|name)="((?:og|twitter):[^"]*)" content="([^"]*)">)re");
    for (auto match = meta.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        QString value = found.captured(3);
        if (value.contains(QRegularExpression("[<>]|&(?!(amp|quot|#39|#35|lt|gt);)")))
            head.problem += "unescaped: " + value + "; ";
        for (const auto& [entity, character] :
             {std::pair{"&quot;", "\""}, {"&#39;", "'"}, {"&#35;", "#"}, {"&lt;", "<"}, {"&gt;", ">"}})
            value.replace(entity, character);
        head.meta.insert(found.captured(2), value.replace("&amp;", "&"));
    }
    // The script's text runs to the first "</script", whatever the JSON inside meant.
    static const QRegularExpression script(R"re(<script type="application/ld\+json">(.*?)</script)re",
                                           QRegularExpression::DotMatchesEverythingOption |
                                               QRegularExpression::CaseInsensitiveOption);
    const QStringList scripts = [&] {
        QStringList found;
        for (auto match = script.globalMatch(text); match.hasNext();)
            found << match.next().captured(1);
        return found;
    }();
    head.review = scripts.size() == 1 ? QJsonDocument::fromJson(scripts.first().toUtf8()).object() : QJsonObject();
    const QJsonObject item = head.review.value("itemReviewed").toObject();
    if (scripts.size() != 1 || scripts.first().contains("<!--") ||
        head.review.value("@context") != "https://schema.org" || head.review.value("@type") != "Review" ||
        item.value("@type") != "Product" || item.value("name").toString().isEmpty())
        head.problem += "no whole JSON-LD Review of a named Product; ";
    const QJsonValue rating = head.review.value("reviewRating");
    if (!rating.isUndefined() && (rating["@type"] != "Rating" || !rating["ratingValue"].isDouble()))
        head.problem += "a rating that is no Rating; ";
    for (const char* needed : {"og:title", "og:type", "twitter:card"})
        if (head.meta.value(needed).isEmpty())
            head.problem += QString("no %1; ").arg(needed);
    // Nothing the head names sends a reader's browser to the network.
    if (head.meta.value("og:image").contains(QRegularExpression("^[a-zA-Z]+:|^//")))
        head.problem += "og:image is not relative; ";
    return head;
}
