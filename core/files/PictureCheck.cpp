#include "PictureCheck.h"

#include "FilesTr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

using namespace orvanta::files;

namespace orvanta::files {
namespace {
Result<void> refused(const QString& text, const QString& path)
{
    return fail(text.arg(QDir::toNativeSeparators(path)));
}
} // namespace

namespace {
// One type per entry, as the picker offers them; a JPEG is named either way.
const QList<QStringList>& pictureTypes()
{
    static const QList<QStringList> types = {
        {QStringLiteral("jpg"), QStringLiteral("jpeg")}, {QStringLiteral("gif")}, {QStringLiteral("png")}};
    return types;
}
} // namespace

const QStringList& pictureSuffixes()
{
    static const QStringList suffixes = [] {
        QStringList all;
        for (const QStringList& type : pictureTypes())
            all << type;
        return all;
    }();
    return suffixes;
}

QStringList picturePatterns()
{
    QStringList patterns;
    for (const QStringList& type : pictureTypes()) {
        QStringList globs;
        for (const QString& suffix : type)
            globs << QStringLiteral("*.") + suffix;
        for (const QString& suffix : type)
            globs << QStringLiteral("*.") + suffix.toUpper();
        patterns << globs.join(QLatin1Char(' '));
    }
    return patterns;
}

bool hasPictureSuffix(const QString& fileName)
{
    return pictureSuffixes().contains(QFileInfo(fileName).suffix(), Qt::CaseInsensitive);
}

// A campaign names its pictures by path and may come from someone else: without this, any file the user can
// read would be copied into the page and the folder that is uploaded.
Result<void> checkPicture(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refused(FilesTr::tr("The image \"%1\" was not found."), path);
    if (!info.isFile())
        return refused(FilesTr::tr("\"%1\" is not an ordinary file, so it cannot be used as an image."), path);
    if (!hasPictureSuffix(info.fileName()))
        return refused(FilesTr::tr("\"%1\" cannot be used as an image: only JPG, GIF and PNG files can."), path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(FilesTr::tr("Could not read the image \"%1\": %2.")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.canRead() ? reader.format() : QByteArray();
    if (format != "jpeg" && format != "gif" && format != "png")
        return refused(FilesTr::tr("\"%1\" cannot be used as an image: it holds no JPG, GIF or PNG picture."), path);
    return {};
}
} // namespace orvanta::files
