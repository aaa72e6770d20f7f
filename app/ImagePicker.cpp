#include "ImagePicker.h"

#include "HelperOps.h"
#include "PathLabel.h"
#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

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

void ImagePicker::useImage(PathLabel& pathLabel, const QString& path)
{
    const QString fileName = vFile::FileNameOf(path);
    pathLabel.setProperty("tag", fileName);
    pathLabel.setPath(path);
    // Only the trailing name goes: a folder whose name contains the file name must stay whole.
    m_lastPathBox.setText(path.left(path.size() - fileName.size()));
}

QString ImagePicker::pickImage() const
{
    // File names are case-sensitive here, so each pattern names both letter cases.
    const QStringList filters = {
        QCoreApplication::translate("ImagePicker", "Image Files (*.jpg *.JPG)"),
        QCoreApplication::translate("ImagePicker", "Image Files (*.gif *.GIF)"),
        QCoreApplication::translate("ImagePicker", "Image Files (*.png *.PNG)"),
    };
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
    const QStringList imageSuffixes = {QStringLiteral("jpg"), QStringLiteral("gif"), QStringLiteral("png")};
    // A folder named like an image is no image.
    if (file.isDir() || !imageSuffixes.contains(file.suffix(), Qt::CaseInsensitive))
        return QString();
    return QDir::toNativeSeparators(file.filePath());
}
