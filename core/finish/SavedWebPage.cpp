#include "SavedWebPage.h"

#include "AppFolder.h"
#include "FileToolkit.h"
#include "FinishTr.h"
#include "ModUtf8.h"
#include "SafeCopy.h"
#include "SharePicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

namespace {
// Whole or not at all: a half-written index.html would look like a finished page.
bool writeIndex(const QString& folder, const BuiltPage& page, const ShareKit& kit, QString* error)
{
    // The save would write into whatever file a link here points to.
    const CopyResult noLink = refuseLinks(folder, QStringLiteral("index.html"));
    if (!noLink.ok) {
        *error = noLink.error;
        return false;
    }
    QSaveFile file(inFolder(folder, QStringLiteral("index.html")));
    const QByteArray bytes =
        modUTF8::utf8Bytes(ShareKits::withKit(page.filledText, page.headEnd, kit) + pageTail(), false);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = FinishTr::tr("%1 could not be written: %2").arg(file.fileName(), file.errorString());
    return false;
}

// Copies, not links: the folder is meant to leave this machine.
bool copyAssets(const QString& from, const QString& to, QString* error)
{
    const CopyResult copied = copyFolder(from, to);
    if (!copied.ok)
        *error = copied.error;
    return copied.ok;
}

// A GIF too large for the page is sized as a PNG for the converter; under its .gif name it stays the original.
QString publishedCopy(const QString& pageFolder, const QString& picturesFolder, const QString& name)
{
    const QString own = inFolder(pageFolder, name);
    if (picturesFolder.isEmpty())
        return own;
    const QString sized = inFolder(picturesFolder, name);
    return QFileInfo(sized).isFile() && QImageReader(sized).format() == QImageReader(own).format() ? sized : own;
}

// Its own name, never one of the page's files.
QString pictureNameOf(const BuiltPage& page)
{
    const QStringList taken = page.imageNames + page.assetNames;
    QString name = QStringLiteral("share-preview.png");
    for (int n = 2; taken.contains(name, Qt::CaseInsensitive); ++n)
        name = QStringLiteral("share-preview-%1.png").arg(n);
    return name;
}

// The picture is drawn from the finished PDF; a page saved without one is shared without a picture.
bool savePicture(const BuiltPage& page, const QString& folder, ShareKit& kit, QString* error)
{
    const QString name = pictureNameOf(page);
    kit.imageName.clear();
    if (!QFileInfo(page.pdfPath).isFile())
        return true;
    const CopyResult noLink = refuseLinks(folder, name);
    if (!noLink.ok) {
        *error = noLink.error;
        return false;
    }
    const SharePictureResult saved = saveSharePicture(page.pdfPath, inFolder(folder, name));
    if (saved.status == SharePictureResult::Status::Failed)
        *error = saved.error;
    if (saved.status == SharePictureResult::Status::Saved)
        kit.imageName = name;
    return saved.status != SharePictureResult::Status::Failed;
}

bool copyImages(const BuiltPage& page, const QString& folder, const QString& picturesFolder, QString* error)
{
    const QString pageFolder = QFileInfo(page.htmlPath).absolutePath();
    // The design's files may lie in folders of their own.
    for (const QString& name : page.imageNames + page.assetNames) {
        CopyResult copied = refuseLinks(folder, name);
        if (copied.ok && !QDir().mkpath(QFileInfo(inFolder(folder, name)).absolutePath()))
            copied = {false, FinishTr::tr("The folder for %1 could not be created.").arg(inFolder(folder, name))};
        if (copied.ok)
            copied = safeCopy(publishedCopy(pageFolder, picturesFolder, name), inFolder(folder, name));
        if (!copied.ok) {
            *error = copied.error;
            return false;
        }
    }
    return true;
}
} // namespace

WebPageResult saveWebPage(const QString& app, const BuiltPage& page, const QString& outputFolder,
                          const QString& picturesFolder)
{
    WebPageResult result;
    result.folder = inFolder(outputFolder, page.pageName);
    // The folder is meant to be uploaded: a link in its place would send the page's files elsewhere.
    const CopyResult noLink = refuseLinks(result.folder, QString());
    if (!noLink.ok) {
        result.error = noLink.error;
        return result;
    }
    if (!QDir().mkpath(result.folder)) {
        result.error = FinishTr::tr("The web page folder %1 could not be created.").arg(result.folder);
        return result;
    }
    const QString assets = AppFolder::assetsFolder(app);
    ShareKit kit = page.share;
    if (!copyImages(page, result.folder, picturesFolder, &result.error) ||
        (QFileInfo(assets).isDir() &&
         !copyAssets(assets, inFolder(result.folder, QStringLiteral("assets")), &result.error)) ||
        !savePicture(page, result.folder, kit, &result.error) || !writeIndex(result.folder, page, kit, &result.error))
        return result;
    result.ok = true;
    return result;
}
