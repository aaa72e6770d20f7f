#include "PreflightPage.h"

#include "Brand.h"
#include "PageFill.h"
#include "PageWords.h"
#include "PreflightTr.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::preflight;

namespace orvanta::preflight {
namespace {
// "#abc", "#aabbcc", "white" and "black" as "#rrggbb"; anything else (a gradient alone, "inherit") is no colour.
QString colourIn(const QString& value)
{
    static const QRegularExpression hex(QStringLiteral("#([0-9a-fA-F]{6}|[0-9a-fA-F]{3})\\b"));
    const QRegularExpressionMatch match = hex.match(value);
    if (match.hasMatch()) {
        QString digits = match.captured(1).toLower();
        if (digits.size() == 3)
            digits = QString(digits[0]) + digits[0] + digits[1] + digits[1] + digits[2] + digits[2];
        return QLatin1Char('#') + digits;
    }
    const QString word = value.trimmed().toLower();
    if (word == QLatin1String("white"))
        return QStringLiteral("#ffffff");
    if (word == QLatin1String("black"))
        return QStringLiteral("#000000");
    return {};
}

struct Colours {
    QString text;
    QString background;
};

QString styleSheets(const QString& pageText)
{
    static const QRegularExpression style(QStringLiteral("<style\\b[^>]*>(.*?)</style>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression comment(QStringLiteral("/\\*.*?\\*/"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString sheets;
    for (QRegularExpressionMatchIterator it = style.globalMatch(pageText); it.hasNext();)
        sheets += it.next().captured(1) + QLatin1Char('\n');
    return sheets.remove(comment);
}

void apply(const QString& declarations, Colours& colours)
{
    for (const QString& declaration : declarations.split(QLatin1Char(';'))) {
        const int colon = declaration.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString property = declaration.left(colon).trimmed().toLower();
        const QString value = colourIn(declaration.mid(colon + 1));
        if (property == QLatin1String("color") && !value.isEmpty())
            colours.text = value;
        else if ((property == QLatin1String("background") || property == QLatin1String("background-color")) &&
                 !value.isEmpty())
            colours.background = value;
    }
}

// Selectors in the order the sheet first names them, so the report reads like the sheet.
QList<std::pair<QString, Colours>> coloursBySelector(const QString& pageText)
{
    static const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^{}]*)\\}"));
    QList<std::pair<QString, Colours>> ordered;
    QHash<QString, int> index;
    const QString sheets = styleSheets(pageText);
    for (QRegularExpressionMatchIterator it = rule.globalMatch(sheets); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        for (const QString& name : match.captured(1).split(QLatin1Char(','))) {
            const QString selector = name.simplified();
            if (selector.isEmpty() || selector.startsWith(QLatin1Char('@')))
                continue;
            if (!index.contains(selector)) {
                index.insert(selector, int(ordered.size()));
                ordered.append({selector, {}});
            }
            apply(match.captured(2), ordered[index.value(selector)].second);
        }
    }
    return ordered;
}

QString attribute(const QString& tag, const QString& name)
{
    const QRegularExpression pattern(QStringLiteral("\\b%1\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(tag);
    if (!match.hasMatch())
        return {};
    for (int group : {2, 3, 4})
        if (match.capturedStart(group) >= 0)
            return match.captured(group);
    return {};
}

QStringList tagsNamed(const QString& html, const QString& name)
{
    const QRegularExpression pattern(QStringLiteral("<%1\\b[^>]*>").arg(name),
                                     QRegularExpression::CaseInsensitiveOption);
    QStringList tags;
    for (QRegularExpressionMatchIterator it = pattern.globalMatch(html); it.hasNext();)
        tags << it.next().captured(0);
    return tags;
}

QString attributeText(QString value)
{
    return value.replace(QLatin1String("&amp;"), QLatin1String("&")).trimmed();
}
} // namespace

QList<ColourPair> weakColourPairs(const QString& pageText)
{
    QList<std::pair<QString, Colours>> selectors = coloursBySelector(pageText);
    QString page;
    for (const auto& [selector, colours] : std::as_const(selectors))
        if ((selector == QLatin1String("html") || selector == QLatin1String("body")) && !colours.background.isEmpty())
            page = colours.background;
    QList<ColourPair> weak;
    for (auto& [selector, colours] : selectors) {
        // The body's text stands on the page's background, whichever of html and body sets it.
        if (selector == QLatin1String("body") && colours.background.isEmpty())
            colours.background = page;
        if (colours.text.isEmpty() || colours.background.isEmpty())
            continue;
        const double ratio = contrastRatio(colours.text, colours.background);
        if (ratio < minimumContrast)
            weak.append({selector, colours.text, colours.background, ratio});
    }
    return weak;
}

int picturesWithoutDescription(const QString& pageText)
{
    int count = 0;
    for (const QString& tag : tagsNamed(pageText, QStringLiteral("img")))
        count += attribute(tag, QStringLiteral("alt")).trimmed().isEmpty() ? 1 : 0;
    return count;
}

QStringList unmarkedLinks(const QString& html, const QStringList& links)
{
    const QStringList anchors = tagsNamed(html, QStringLiteral("a"));
    QStringList unmarked;
    for (const QString& link : links) {
        // A quote or a blank of the link stands percent-encoded in the page.
        const QString held = PageFill::pageLink(link);
        bool found = false;
        bool marked = true;
        for (const QString& anchor : anchors) {
            if (attributeText(attribute(anchor, QStringLiteral("href"))) != held)
                continue;
            found = true;
            const QStringList rel = attribute(anchor, QStringLiteral("rel"))
                                        .toLower()
                                        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            marked = marked && rel.contains(QLatin1String("nofollow")) && rel.contains(QLatin1String("sponsored"));
        }
        if (!found)
            unmarked << PreflightTr::tr("%1 is not on the page").arg(link);
        else if (!marked)
            unmarked << PreflightTr::tr("%1 lacks rel=\"nofollow sponsored\"").arg(link);
    }
    return unmarked;
}

const QStringList& disclosureWordings()
{
    // Every language a page's own disclosure line is written in.
    static const QStringList wordings = [] {
        QStringList all{QStringLiteral("disclosure"), QStringLiteral("earn a commission"),
                        QStringLiteral("affiliate link"), QStringLiteral("paid link"), QStringLiteral("sponsored")};
        all << PageWordTables::disclosureMarks();
        all.removeDuplicates();
        return all;
    }();
    return wordings;
}
} // namespace orvanta::preflight
