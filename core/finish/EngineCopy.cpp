#include "EngineCopy.h"

#include "AppFolder.h"
#include "FileToolkit.h"
#include "Leftovers.h"
#include "PageBuilder.h"
#include "PictureSizing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

using namespace orvanta::files;
using namespace orvanta::finish;

namespace {
QMutex rootsLock;
QStringList roots;
bool rootsGone = false;

void removeRoots()
{
    const QMutexLocker locker(&rootsLock);
    rootsGone = true;
    for (const QString& root : std::as_const(roots))
        QDir(root).removeRecursively();
    roots.clear();
}

// One folder of this process holds every job's copy, so the browser that may read it keeps running between jobs. It
// stays while the process lives: a browser's sandbox holds on to the folder it was given, not to its name.
QString templateFor(const QString& app)
{
    const QString root = AppFolder::engineCopiesFolder(app);
    const QMutexLocker locker(&rootsLock);
    // A job still sizing as the program ends makes no copy that would outlive it.
    if (rootsGone)
        return Leftovers::privateTemplate(root, QStringLiteral("orvanta"));
    QDir().mkpath(root);
    if (!roots.contains(root)) {
        if (roots.isEmpty())
            qAddPostRoutine(removeRoots);
        roots << root;
    }
    return Leftovers::privateTemplate(root, QStringLiteral("orvanta"));
}
} // namespace

void EngineCopy::removeFolders()
{
    removeRoots();
}

EngineCopy::EngineCopy(const QString& app, const BuiltPage& page)
    : m_dir(templateFor(app))
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
