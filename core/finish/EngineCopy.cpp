#include "EngineCopy.h"

#include "AppFolder.h"
#include "FileToolkit.h"
#include "Leftovers.h"
#include "PageBuilder.h"
#include "PictureSizing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::finish;

EngineCopy::EngineCopy(const QString& app, const BuiltPage& page)
    : m_dir(Leftovers::privateTemplate(QFileInfo(page.htmlPath).absolutePath(), QStringLiteral("orvanta")))
    , m_htmlName(QFileInfo(page.htmlPath).fileName())
{
    if (!m_dir.isValid())
        return;
    const QString pageFolder = QFileInfo(page.htmlPath).absolutePath();
    const QString assets = AppFolder::assetsFolder(app);
    if (QFileInfo(assets).isDir() && !QFile::link(assets, m_dir.filePath(QStringLiteral("assets"))))
        return;
    if (passOnUnchanged(page.htmlPath, htmlPath(), QString()).outcome == SizedPicture::Outcome::Failed)
        return;
    for (const QString& name : page.imageNames) {
        const QString picture = m_dir.filePath(name);
        if (sizePicture(inFolder(pageFolder, name), picture).outcome == SizedPicture::Outcome::Failed)
            return;
        m_pictures << picture;
    }
    // The engine reads nothing outside this folder: without them an own design comes out bare.
    for (const QString& relative : page.assetNames) {
        const QString file = m_dir.filePath(relative);
        if (!QDir().mkpath(QFileInfo(file).absolutePath()) ||
            passOnUnchanged(pageFolder + QLatin1Char('/') + relative, file, QString()).outcome ==
                SizedPicture::Outcome::Failed)
            return;
    }
    m_valid = true;
}

QString EngineCopy::folder() const
{
    return QDir::toNativeSeparators(m_dir.path());
}

QString EngineCopy::htmlPath() const
{
    return QDir::toNativeSeparators(m_dir.filePath(m_htmlName));
}
