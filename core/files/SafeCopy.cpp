#include "SafeCopy.h"

#include "FileToolkit.h"
#include "FilesTr.h"
#include "PictureCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

using namespace orvanta::files;

namespace orvanta::files {
namespace {
constexpr QFileDevice::Permissions CopyPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// The same copy serves the page's pictures and the scripts of a saved web page; the message names which.
Result<void> readFailed(const QString& source, const QString& reason)
{
    return fail((hasPictureSuffix(source) ? FilesTr::tr("Could not read the image \"%1\": %2.")
                                          : FilesTr::tr("Could not read the file \"%1\": %2."))
                    .arg(source, reason));
}

Result<void> targetFailed(const QString& target, const QString& reason)
{
    return fail((hasPictureSuffix(target) ? FilesTr::tr("Could not copy the image to \"%1\": %2.")
                                          : FilesTr::tr("Could not copy the file to \"%1\": %2."))
                    .arg(target, reason));
}

} // namespace

bool isSameFile(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

Result<void> safeCopy(const QString& source, const QString& target)
{
    if (isSameFile(source, target))
        return {}; // copying a file onto itself would destroy it
    QFile in(source);
    const Result<void> copied = replaceBeside(target, in, target + QStringLiteral(".XXXXXX"), CopyPermissions);
    if (copied)
        return {};
    if (copied.failure().is(ReplaceFailure::Source))
        return readFailed(source, copied.error());
    return targetFailed(target, copied.error());
}

Result<void> checkReadable(const QString& source)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return readFailed(source, in.errorString());
    return {};
}

Result<void> refuseLinks(const QString& root, const QString& relative)
{
    QString path = root;
    const QStringList parts = QDir::fromNativeSeparators(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i <= parts.size(); ++i) {
        if (i > 0)
            path = inFolder(path, parts.at(i - 1));
        if (QFileInfo(path).isSymLink())
            return fail(
                FilesTr::tr("%1 is a link to another place; nothing is written through it. Please remove the link.")
                    .arg(QDir::toNativeSeparators(path)));
    }
    return {};
}

// What is copied may be published: a link would bring whatever it points to along, so none is followed. All are
// looked at before the first copy, so a refused folder leaves nothing half copied.
Result<void> copyFolder(const QString& from, const QString& to)
{
    QStringList sources;
    QDirIterator entries(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo info(entries.next());
        const QString shown = QDir::toNativeSeparators(info.filePath());
        if (info.isSymLink())
            return fail(FilesTr::tr("%1 is a link to another place; nothing is copied through it. Please remove it.")
                            .arg(shown));
        if (!info.isDir() && !info.isFile())
            return fail(FilesTr::tr("%1 is not an ordinary file, so it is not copied.").arg(shown));
        if (info.isFile())
            sources << info.filePath();
    }
    for (const QString& source : std::as_const(sources)) {
        const QString relative = QDir(from).relativeFilePath(source);
        const QString target = QDir::toNativeSeparators(inFolder(to, relative));
        const QString folder = QFileInfo(target).absolutePath();
        const Result<void> noLinks = refuseLinks(to, relative);
        if (!noLinks.ok())
            return noLinks;
        if (!QDir().mkpath(folder))
            return fail(FilesTr::tr("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder)));
        const Result<void> copied = safeCopy(source, target);
        if (!copied.ok())
            return copied;
    }
    return {};
}
} // namespace orvanta::files
