#include "CampaignFields.h"

using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace CampaignFields {
QLatin1String brandKey()
{
    return QLatin1String("brand");
}

QLatin1String keyOf(QString Campaign::*member)
{
    for (const CampaignField& field : campaignFields)
        if (field.text == member)
            return QLatin1String(field.key);
    Q_UNREACHABLE();
    return {};
}

QLatin1String keyOf(bool Campaign::*member)
{
    for (const CampaignField& field : campaignFields)
        if (field.flag == member)
            return QLatin1String(field.key);
    Q_UNREACHABLE();
    return {};
}

QList<const CampaignField*> ofKind(FieldKind kind)
{
    QList<const CampaignField*> fields;
    for (const CampaignField& field : campaignFields)
        if (field.kind == kind)
            fields << &field;
    return fields;
}

QList<const CampaignField*> in(FieldPlace place)
{
    QList<const CampaignField*> fields;
    for (const CampaignField& field : campaignFields)
        if (field.places & place)
            fields << &field;
    return fields;
}

bool isBrandField(const CampaignField& field)
{
    return field.brand != nullptr;
}

bool isPicture(const CampaignField& field)
{
    return field.kind == FieldKind::Image || field.kind == FieldKind::BrandImage;
}

QString* textIn(Campaign& campaign, const CampaignField& field)
{
    if (field.brand)
        return &(campaign.brand.*field.brand);
    return field.text ? &(campaign.*field.text) : nullptr;
}

const QString* textIn(const Campaign& campaign, const CampaignField& field)
{
    if (field.brand)
        return &(campaign.brand.*field.brand);
    return field.text ? &(campaign.*field.text) : nullptr;
}

QString textDefault(const CampaignField& field)
{
    return field.textDefault ? QString::fromUtf8(field.textDefault) : QString();
}

bool keepsDefault(const Campaign& campaign, const CampaignField& field)
{
    if (field.flag)
        return campaign.*field.flag == field.flagDefault;
    return *textIn(campaign, field) == textDefault(field);
}
} // namespace CampaignFields
} // namespace orvanta::campaign
