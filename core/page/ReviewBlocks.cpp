#include "ReviewBlocks.h"

#include "PageEscaping.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
QString listBlock(const char* cssClass, const QString& heading, const QString& lines)
{
    QString items;
    for (const QString& line : QString(lines).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(u'\n')) {
        if (!line.trimmed().isEmpty())
            items += QStringLiteral("<li>%1</li>").arg(escaped(line.trimmed()));
    }
    if (items.isEmpty())
        return {};
    return QStringLiteral("<div class=\"%1\"><h3>%2</h3><ul>%3</ul></div>")
        .arg(QLatin1String(cssClass), escaped(heading), items);
}
} // namespace

namespace ReviewBlocks {
QString ratingBlock(const QString& rating, const PageWords& words)
{
    const std::optional<double> value = orvanta::campaign::ReviewBlocks::ratingValue(rating);
    if (rating.trimmed().isEmpty() || !value)
        return {};
    const int whole = int(*value);
    const bool half = *value > whole;
    const QString stars =
        QString(whole, QChar(0x2605)) + (half ? QStringLiteral("\u00BD") : QString()) +
        QString(int(orvanta::campaign::ReviewBlocks::bestRating) - whole - (half ? 1 : 0), QChar(0x2606));
    const QString number = words.number(*value);
    return QStringLiteral("<div class=\"review-rating\"><span class=\"review-stars\" role=\"img\" aria-label=\"%1\">%2"
                          "</span> <span class=\"review-score\">%3</span></div>")
        .arg(escaped(words.stars.arg(number)), stars, escaped(words.rating.arg(number)));
}

QString verdictBlock(const QString& verdict, const PageWords& words)
{
    if (verdict.trimmed().isEmpty())
        return {};
    return QStringLiteral("<p class=\"review-verdict\"><strong>%1</strong> %2</p>")
        .arg(escaped(words.verdict), escaped(verdict.trimmed()));
}

QString prosBlock(const QString& pros, const PageWords& words)
{
    return listBlock("review-pros", words.pros, pros);
}

QString consBlock(const QString& cons, const PageWords& words)
{
    return listBlock("review-cons", words.cons, cons);
}

QString prosAndConsBlock(const QString& pros, const QString& cons, const PageWords& words)
{
    const QString both = prosBlock(pros, words) + consBlock(cons, words);
    if (both.isEmpty())
        return {};
    const bool sideBySide = !prosBlock(pros, words).isEmpty() && !consBlock(cons, words).isEmpty();
    return QStringLiteral("<div class=\"review-proscons%1\">%2</div>")
        .arg(sideBySide ? QStringLiteral(" review-pair") : QString(), both);
}

// Block layout only: the classic converter is an old WebKit. The pair's halves touch, so no space wraps them.
QString styleSheet(const QString& accent, bool rightToLeft)
{
    // Mirrored: the verdict's bar, the pair's gap and the lists' indent stand on the right.
    const QString mirrored =
        !rightToLeft ? QString()
                     : QStringLiteral("[dir=rtl] .review-verdict { border-left: 0; border-right: 4px solid %1; }\n"
                                      "[dir=rtl] .review-pair .review-pros { margin-right: 0; margin-left: 4%; }\n"
                                      "[dir=rtl] .review-pros ul, [dir=rtl] .review-cons ul { padding-left: 0; "
                                      "padding-right: 1.3em; }\n")
                           .arg(accent);
    return QStringLiteral(
               "<style>\n"
               ".review-rating { margin: 0 0 12px 0; font-weight: bold; }\n"
               ".review-stars { color: %1; font-size: 1.3em; letter-spacing: 2px; }\n"
               ".review-verdict { margin: 0 0 16px 0; padding: 8px 12px; border-left: 4px solid %1; }\n"
               ".review-proscons { margin: 16px 0 0 0; }\n"
               ".review-pair .review-pros, .review-pair .review-cons { display: inline-block; vertical-align: top; "
               "width: 48%; }\n"
               ".review-pair .review-pros { margin-right: 4%; }\n"
               ".review-pros, .review-cons { margin: 12px 0 0 0; }\n"
               ".review-pros h3, .review-cons h3 { margin: 0 0 6px 0; font-size: 1.05em; }\n"
               ".review-pros ul, .review-cons ul { margin: 0; padding-left: 1.3em; }\n"
               "%2</style>\n")
        .arg(accent, mirrored);
}

// Before the design's rules, which win a tie; a page without a head takes it at the top of its body, never
// ahead of its doctype.
QString withStyleSheet(QString text, const QString& accent, bool rightToLeft)
{
    static const QRegularExpression opening(QStringLiteral("<(head|body)\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = opening.match(text);
    text.insert(found.hasMatch() ? found.capturedEnd() : 0, QLatin1Char('\n') + styleSheet(accent, rightToLeft));
    return text;
}
} // namespace ReviewBlocks
} // namespace orvanta::page
