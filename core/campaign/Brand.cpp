#include "Brand.h"

#include "CampaignFields.h"
#include "CampaignTr.h"
#include "FileToolkit.h"
#include "LinkRules.h"
#include "PictureCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include <cmath>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QString& color)
{
    const uint rgb = color.mid(1).toUInt(nullptr, 16);
    return 0.2126 * channel(int(rgb >> 16) & 0xff) + 0.7152 * channel(int(rgb >> 8) & 0xff) +
           0.0722 * channel(int(rgb) & 0xff);
}

QString ratioText(double ratio)
{
    return QString::number(std::floor(ratio * 100) / 100, 'f', 2);
}
} // namespace
} // namespace orvanta::campaign

bool Brand::isEmpty() const
{
    return *this == Brand();
}

bool operator==(const Brand& a, const Brand& b)
{
    for (const CampaignField& field : campaignFields)
        if (field.brand && a.*field.brand != b.*field.brand)
            return false;
    return true;
}

BrandLook BrandLook::with(const Brand& brand) const
{
    BrandLook look = *this;
    for (auto [mine, theirs] : {std::pair{&look.accentColor, &brand.accentColor},
                                {&look.textColor, &brand.textColor},
                                {&look.backgroundColor, &brand.backgroundColor},
                                {&look.headingFont, &brand.headingFont},
                                {&look.bodyFont, &brand.bodyFont}})
        if (!theirs->isEmpty())
            *mine = *theirs;
    return look;
}

namespace orvanta::campaign {
QStringList brandFonts()
{
    return {QStringLiteral("DejaVu Sans"),      QStringLiteral("DejaVu Serif"),
            QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Liberation Serif"), QStringLiteral("WenQuanYi Micro Hei")};
}

QString fontStack(const QString& family)
{
    QString stack = QLatin1Char('"') + family + QStringLiteral("\", ");
    if (family != QLatin1String("WenQuanYi Micro Hei"))
        stack += QStringLiteral("\"WenQuanYi Micro Hei\", ");
    const bool serif = family.contains(QLatin1String("Serif"));
    return stack + QStringLiteral("\"Symbola\", ") + (serif ? QStringLiteral("serif") : QStringLiteral("sans-serif"));
}

bool isBrandColor(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return pattern.match(text).hasMatch();
}

double contrastRatio(const QString& foreground, const QString& background)
{
    const double a = luminance(foreground);
    const double b = luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Values reach the page's style sheet: anything but a colour or a listed font could end the rule and add others.
QString brandProblem(const Brand& brand)
{
    const std::pair<const QString*, const char*> colors[] = {
        {&brand.accentColor, QT_TRANSLATE_NOOP("Campaign", "accent colour")},
        {&brand.textColor, QT_TRANSLATE_NOOP("Campaign", "text colour")},
        {&brand.backgroundColor, QT_TRANSLATE_NOOP("Campaign", "background colour")}};
    for (const auto& [value, name] : colors)
        if (!value->isEmpty() && !isBrandColor(*value))
            return CampaignTr::tr("The brand's %1 \"%2\" is no colour: write it as #RRGGBB, like #1a73e8.")
                .arg(CampaignTr::tr(name), *value);
    const std::pair<const QString*, const char*> fonts[] = {
        {&brand.headingFont, QT_TRANSLATE_NOOP("Campaign", "heading font")},
        {&brand.bodyFont, QT_TRANSLATE_NOOP("Campaign", "body font")}};
    for (const auto& [value, name] : fonts)
        if (!value->isEmpty() && !brandFonts().contains(*value))
            return CampaignTr::tr("The brand's %1 \"%2\" is not installed with Orvanta; choose one of: %3.")
                .arg(CampaignTr::tr(name), *value, brandFonts().join(QStringLiteral(", ")));
    if (!brand.logoPath.isEmpty()) {
        const Result<void> picture = checkPicture(brand.logoPath);
        if (!picture.ok())
            return CampaignTr::tr("The brand's logo cannot be used: %1").arg(picture.error());
    }
    return LinkRules::linkBaseProblem(brand.linkBase);
}

QStringList contrastWarnings(const Brand& brand, const BrandLook& look)
{
    const BrandLook used = look.with(brand);
    struct Pair {
        const char* what;
        QString foreground;
        QString background;
        bool chosen;
    };
    // The designs write their buttons' and bands' labels in white on the accent colour.
    const Pair pairs[] = {
        {QT_TRANSLATE_NOOP("Campaign", "The text colour %1 on the background colour %2"), used.textColor,
         used.backgroundColor, !brand.textColor.isEmpty() || !brand.backgroundColor.isEmpty()},
        {QT_TRANSLATE_NOOP("Campaign", "White button text %1 on the accent colour %2"), QStringLiteral("#ffffff"),
         used.accentColor, !brand.accentColor.isEmpty()},
    };
    QStringList warnings;
    for (const Pair& pair : pairs) {
        if (!pair.chosen || !isBrandColor(pair.foreground) || !isBrandColor(pair.background))
            continue;
        const double ratio = contrastRatio(pair.foreground, pair.background);
        if (ratio < minimumContrast)
            warnings << CampaignTr::tr("%1 has a contrast of %2 : 1, below the %3 : 1 that text needs to read well.")
                            .arg(CampaignTr::tr(pair.what).arg(pair.foreground, pair.background), ratioText(ratio),
                                 QString::number(minimumContrast));
    }
    return warnings;
}

Brand readDefaultBrand(const QString& path)
{
    const Result<QByteArray> file = readBounded(path, 64 * 1024);
    if (!file)
        return {};
    const QJsonObject root = QJsonDocument::fromJson(file.value()).object();
    Brand brand;
    for (const CampaignField* field : CampaignFields::in(DefaultBrandKey))
        brand.*field->brand = root.value(QLatin1String(field->key)).toString();
    // A damaged file must not put a broken value into every new campaign.
    return brandProblem(brand).isEmpty() ? brand : Brand();
}

Result<void> writeDefaultBrand(const QString& path, const Brand& brand)
{
    QJsonObject root;
    for (const CampaignField* field : CampaignFields::in(DefaultBrandKey))
        root.insert(QLatin1String(field->key), brand.*field->brand);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return fail(CampaignTr::tr("The default brand could not be saved as \"%1\": %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString()));
}
} // namespace orvanta::campaign
