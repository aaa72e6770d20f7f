#include "CampaignPictures.h"

#include "CampaignFields.h"
#include "CampaignTr.h"
#include "FileToolkit.h"
#include "PictureCheck.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {

/**
 * The relative path when it leads to a file, else the absolute one; false when neither does. Something there that
 * is no file, a pipe say, is what the campaign names, to be refused as such rather than as missing. @p shown is the
 * path as the campaign names it: a relative one as written, so a "../" stays visible.
 */
bool resolveImage(const QJsonObject& image, const QString& folder, QString* path, QString* shown)
{
    const QString relative = image.value(QStringLiteral("relative")).toString();
    const QString absolute = image.value(QStringLiteral("absolute")).toString();
    const QString candidate = relative.isEmpty() ? QString() : resolvedBelow(folder, relative);
    const std::pair<QString, QString> found[] = {{candidate, QDir::toNativeSeparators(relative)}, {absolute, absolute}};
    for (const bool fileOnly : {true, false}) {
        for (const auto& [place, written] : found) {
            const QFileInfo info(place);
            if (!place.isEmpty() && (fileOnly ? info.isFile() : info.exists())) {
                *path = place;
                *shown = written;
                return true;
            }
        }
    }
    *path = absolute.isEmpty() ? QDir::toNativeSeparators(relative) : absolute;
    *shown = *path;
    return path->isEmpty();
}

/** Why the picture found at @p path, named @p shown, cannot be used; empty when it can. */
QString refusedPicture(const QString& what, const QString& path, const QString& shown)
{
    if (path.isEmpty() || checkPicture(path).ok())
        return {};
    return QFileInfo(path).isFile()
               ? CampaignTr::tr("%1 %2, which is not a JPG, GIF or PNG picture").arg(what, quotedPath(shown))
               : CampaignTr::tr("%1 %2, which is not an ordinary file").arg(what, quotedPath(shown));
}
} // namespace

namespace CampaignPictures {
QJsonObject imageObject(const QString& path, const QString& folder)
{
    if (path.isEmpty())
        return {{QStringLiteral("relative"), QString()}, {QStringLiteral("absolute"), QString()}};
    const QString absolute = QFileInfo(path).absoluteFilePath();
    return {{QStringLiteral("relative"), QDir(folder).relativeFilePath(absolute)},
            {QStringLiteral("absolute"), QDir::toNativeSeparators(absolute)}};
}

QStringList resolvePictures(const QJsonObject& object, const QString& folder, FieldKind kind, const QString& what,
                            Campaign& campaign)
{
    QStringList missing;
    for (const CampaignField* field : CampaignFields::ofKind(kind)) {
        const QLatin1String key(field->key);
        if (!object.contains(key))
            continue;
        QString& path = *CampaignFields::textIn(campaign, *field);
        QString shown;
        const bool found = resolveImage(object.value(key).toObject(), folder, &path, &shown);
        // Named by someone else, it may be any file; Create refuses it too, this says so on opening.
        const QString refused = refusedPicture(what, path, shown);
        if (!found || !refused.isEmpty())
            missing << (found ? refused : QStringLiteral("%1 %2").arg(what, quotedPath(shown)));
    }
    return missing;
}
} // namespace CampaignPictures
} // namespace orvanta::campaign
