#include "StagingFolder.h"

#include "AppFolder.h"
#include "FileToolkit.h"
#include "Leftovers.h"
#include "PageTr.h"
#include "SafeCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;
using namespace orvanta::page;

namespace orvanta::page {
namespace {
// The owner's id in the name lets a later start remove what a killed run left, and only that.
QString templateIn(const QString& app, const QString& purpose)
{
    QDir().mkpath(AppFolder::tempFolder(app));
    return Leftovers::privateTemplate(AppFolder::tempFolder(app), purpose);
}

} // namespace
} // namespace orvanta::page

StagingFolder::StagingFolder(const QString& app, const QString& purpose)
    : m_dir(templateIn(app, purpose))
{
    if (!m_dir.isValid())
        m_error = PageTr::tr("Could not create a working folder in %1: %2")
                      .arg(AppFolder::tempFolder(app), m_dir.errorString());
    else if (!linkAssets(app))
        m_error = PageTr::tr("Could not make the page scripts available in %1.").arg(path());
}

bool StagingFolder::isValid() const
{
    return m_error.isEmpty();
}

QString StagingFolder::error() const
{
    return m_error;
}

QString StagingFolder::path() const
{
    return QDir::toNativeSeparators(m_dir.path());
}

PageTarget StagingFolder::target() const
{
    return {path(), path()};
}

// A link costs nothing and the folder's removal never follows it; where links are not to be had, a copy.
bool StagingFolder::linkAssets(const QString& app)
{
    const QString assets = AppFolder::assetsFolder(app);
    if (!QFileInfo(assets).isDir())
        return true; // the converter then misses the scripts, as it would in bin
    const QString link = inFolder(path(), QStringLiteral("assets"));
#ifdef Q_OS_WIN
    return copyFolder(assets, link).ok();
#else
    return QFile::link(assets, link) || copyFolder(assets, link).ok();
#endif
}
