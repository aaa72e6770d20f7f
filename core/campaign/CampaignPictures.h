#pragma once

#include "CampaignFields.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace orvanta::campaign {
/** How a campaign file keeps its pictures: each path both relative to the file and absolute. */
namespace CampaignPictures {
/** The pair of paths the file keeps for @p path, the relative one from @p folder. */
QJsonObject imageObject(const QString& path, const QString& folder);

/** Resolves the pictures of @p kind that @p object names; those missing or unusable are told as @p what. */
QStringList resolvePictures(const QJsonObject& object, const QString& folder, FieldKind kind, const QString& what,
                            Campaign& campaign);
} // namespace CampaignPictures
} // namespace orvanta::campaign
