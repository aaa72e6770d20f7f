#include "Designs.h"

#include "HelperOps.h"

#include <QUrl>

#include <utility>

using namespace orvanta::campaign;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
QString logoTag(const QString& logoName)
{
    return logoName.isEmpty() ? QString()
                              : QStringLiteral("<img class=\"brand-logo\" src=\"%1\" alt=\"Logo\">")
                                    .arg(QString::fromLatin1(QUrl::toPercentEncoding(logoName)));
}

// Classic has no brand placeholders: the brand's values come as rules after its own, the logo atop its band.
QString classicWithBrand(QString text, const Brand& brand, const QString& logoName)
{
    QString rules;
    const auto rule = [&rules](const QString& value, const QString& css) {
        if (!value.isEmpty())
            rules += css.arg(value) + QLatin1Char('\n');
    };
    rule(brand.backgroundColor, QStringLiteral("html, body { background: %1; }"));
    rule(brand.textColor, QStringLiteral("body, .review b, .cta h2, .bonus h2, .steps-box h3 { color: %1; }"));
    rule(brand.bodyFont.isEmpty() ? QString() : fontStack(brand.bodyFont), QStringLiteral("body { font-family: %1; }"));
    rule(brand.headingFont.isEmpty() ? QString() : fontStack(brand.headingFont),
         QStringLiteral("h1, h2, h3, .section-label { font-family: %1; }"));
    rule(brand.accentColor, QStringLiteral(".button, .band .kicker { background-color: %1; border-bottom-color: %1; }\n"
                                           ".section-label { border-bottom-color: %1; }"));
    if (!logoName.isEmpty())
        rules += QStringLiteral(".brand-logo { display: block; margin: 0 auto 12px auto; max-height: 64px; "
                                "max-width: 60%; width: auto; }\n");
    const QString style = QStringLiteral("<style>\n") + rules + QStringLiteral("</style>\n");
    const qsizetype head = text.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    text.insert(head < 0 ? 0 : head, style);
    if (!logoName.isEmpty()) {
        const QString band = QStringLiteral("<div class=\"band\">");
        qsizetype at = text.indexOf(band);
        if (at >= 0)
            at += band.size();
        else if ((at = text.indexOf(QLatin1String("<body>"), 0, Qt::CaseInsensitive)) >= 0)
            at += 6;
        text.insert(qMax<qsizetype>(at, 0), logoTag(logoName));
    }
    return text;
}
} // namespace

namespace Designs {
QStringList brandPlaceholders()
{
    return {QStringLiteral("#BRANDACCENT#"),     QStringLiteral("#BRANDTEXT#"),
            QStringLiteral("#BRANDBACKGROUND#"), QStringLiteral("#BRANDHEADINGFONT#"),
            QStringLiteral("#BRANDBODYFONT#"),   QStringLiteral("#BRANDLOGO#")};
}

QString applyBrand(const Design& design, QString text, const Brand& brand, const QString& logoName)
{
    if (design.isClassic())
        return brand.isEmpty() ? text : classicWithBrand(std::move(text), brand, logoName);
    const BrandLook look = design.look.with(brand);
    const QString values[] = {look.accentColor,         look.textColor,
                              look.backgroundColor,     fontStack(look.headingFont),
                              fontStack(look.bodyFont), logoTag(logoName)};
    const QStringList names = brandPlaceholders();
    for (int i = 0; i < names.size(); ++i)
        text = vParser::ReplaceText(std::move(text), names.at(i), values[i]);
    return text;
}
} // namespace Designs
} // namespace orvanta::page
