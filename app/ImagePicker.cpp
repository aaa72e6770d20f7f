#include "ImagePicker.h"

#include "HelperOps.h"
#include "PathLabel.h"
#include "PictureCheck.h"
#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

using namespace orvanta::files;

ImagePicker::ImagePicker(Platform& platform, QWidget& dialogParent, QLineEdit& lastPathBox)
    : m_platform(platform)
    , m_dialogParent(dialogParent)
    , m_lastPathBox(lastPathBox)
{
}

void ImagePicker::chooseFor(PathLabel& pathLabel)
{
    const QString path = pickImage();
    if (!path.isEmpty())
        useImage(pathLabel, path);
}

bool ImagePicker::useImage(PathLabel& pathLabel, const QString& path)
{
    // A missing file is reported by Create, as for a campaign's; a file that is there must be a picture.
    if (QFileInfo::exists(path)) {
        const Result<void> picture = checkPicture(path);
        if (!picture.ok()) {
            m_platform.showMessage(&m_dialogParent, picture.error(),
                                   QCoreApplication::translate("ImagePicker", "Error"), MessageIcon::Exclamation);
            return false;
        }
    }
    const QString fileName = vFile::FileNameOf(path);
    pathLabel.setProperty("tag", fileName);
    pathLabel.setPath(path);
    // Only the trailing name goes: a folder whose name contains the file name must stay whole.
    m_lastPathBox.setText(path.left(path.size() - fileName.size()));
    return true;
}

QString ImagePicker::pickImage() const
{
    QStringList filters;
    for (const QString& patterns : picturePatterns())
        filters << QCoreApplication::translate("ImagePicker", "Image Files (%1)").arg(patterns);
    const QString lastFolder = m_lastPathBox.text();
    const QString initialFolder = lastFolder.isEmpty() ? QDir::homePath() : lastFolder;
    return m_platform.pickFile(&m_dialogParent, QCoreApplication::translate("ImagePicker", "Select File"),
                               initialFolder, filters);
}

QString ImagePicker::droppedImagePath(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QFileInfo file(urls.first().toLocalFile());
    // A folder or a pipe named like an image is no image; the content is read only when it is dropped.
    if ((file.exists() && !file.isFile()) || !hasPictureSuffix(file.fileName()))
        return QString();
    return QDir::toNativeSeparators(file.filePath());
}
