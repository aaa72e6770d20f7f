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
#include <QRegularExpression>
#include <QSaveFile>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
// The site's log tells the web page's readers from the PDF's by the link's channel. Only the whole link is swapped:
// one that goes on ("/p" of "/pro") is another address.
QString withWebLinks(QString text, const QList<std::pair<QString, QString>>& links)
{
    for (const auto& [pdfLink, webLink] : links) {
        const QRegularExpression whole(QRegularExpression::escape(pdfLink) + QStringLiteral("(?![\\w\\-.~/%])"));
        text.replace(whole, webLink);
    }
    return text;
}

// Whole or not at all: a half-written index.html would look like a finished page.
Result<void> writeIndex(const QString& folder, const BuiltPage& page, const ShareKit& kit)
{
    // The save would write into whatever file a link here points to.
    const Result<void> noLink = refuseLinks(folder, QStringLiteral("index.html"));
    if (!noLink.ok())
        return noLink;
    QSaveFile file(inFolder(folder, QStringLiteral("index.html")));
    const QByteArray bytes = modUTF8::utf8Bytes(
        withWebLinks(Sharing::withKit(page.filledText, page.headEnd, kit), page.webLinks) + pageTail(), false);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return fail(FinishTr::tr("%1 could not be written: %2").arg(file.fileName(), file.errorString()));
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
Result<void> savePicture(const BuiltPage& page, const QString& folder, ShareKit& kit)
{
    const QString name = pictureNameOf(page);
    kit.imageName.clear();
    if (!QFileInfo(page.pdfPath).isFile())
        return {};
    const Result<void> noLink = refuseLinks(folder, name);
    if (!noLink.ok())
        return noLink;
    const Result<bool> saved = saveSharePicture(page.pdfPath, inFolder(folder, name));
    if (!saved)
        return saved.failure();
    if (saved.value())
        kit.imageName = name;
    return {};
}

Result<void> copyImages(const BuiltPage& page, const QString& folder, const QString& picturesFolder)
{
    const QString pageFolder = QFileInfo(page.htmlPath).absolutePath();
    // The design's files may lie in folders of their own.
    for (const QString& name : page.imageNames + page.assetNames) {
        Result<void> copied = refuseLinks(folder, name);
        if (copied.ok() && !QDir().mkpath(QFileInfo(inFolder(folder, name)).absolutePath()))
            copied = fail(FinishTr::tr("The folder for %1 could not be created.").arg(inFolder(folder, name)));
        if (copied.ok())
            copied = safeCopy(publishedCopy(pageFolder, picturesFolder, name), inFolder(folder, name));
        if (!copied.ok())
            return copied;
    }
    return {};
}
} // namespace

Result<QString> saveWebPage(const QString& app, const BuiltPage& page, const QString& outputFolder,
                            const QString& picturesFolder)
{
    const QString folder = inFolder(outputFolder, page.pageName);
    // The folder is meant to be uploaded: a link in its place would send the page's files elsewhere.
    Result<void> saved = refuseLinks(folder, QString());
    if (!saved)
        return saved.failure();
    if (!QDir().mkpath(folder))
        return fail(FinishTr::tr("The web page folder %1 could not be created.").arg(folder));
    const QString assets = AppFolder::assetsFolder(app);
    ShareKit kit = page.share;
    saved = copyImages(page, folder, picturesFolder);
    // Copies, not links: the folder is meant to leave this machine.
    if (saved && QFileInfo(assets).isDir())
        saved = copyFolder(assets, inFolder(folder, QStringLiteral("assets")));
    if (saved)
        saved = savePicture(page, folder, kit);
    if (saved)
        saved = writeIndex(folder, page, kit);
    if (!saved)
        return saved.failure();
    return folder;
}
} // namespace orvanta::finish
