#include "FileToolkit.h"

#include "FilesTr.h"
#include "SizeText.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

using namespace orvanta::files;

namespace orvanta::files {
namespace {
std::filesystem::path fsPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Which side failed is known where it fails: a read that ends early is the source's fault, whatever device it is.
Result<void> copyAll(QIODevice& in, QIODevice& out)
{
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty())
            return fail(in.errorString(), ReplaceFailure::Source);
        if (out.write(chunk) != chunk.size())
            return fail(out.errorString(), ReplaceFailure::Target);
    }
    return {};
}

Result<void> mayRead(const QFileInfo& info, qint64 maxBytes)
{
    if (info.isDir())
        return fail(FilesTr::tr("it is a folder"), ReadFailure::Folder);
    if (!info.exists())
        return fail(FilesTr::tr("it does not exist"), ReadFailure::Missing);
    if (!info.isFile())
        return fail(FilesTr::tr("it is not an ordinary file"), ReadFailure::NotOrdinary);
    if (info.size() > maxBytes)
        return fail(FilesTr::tr("it is too large"), ReadFailure::TooLarge);
    return {};
}
} // namespace

QString inFolder(const QString& folder, const QString& name)
{
    return folder + QDir::separator() + QDir::toNativeSeparators(name);
}

// cleanPath keeps the ".." that climb above the root, whose parent is the root itself.
QString resolvedBelow(const QString& folder, const QString& relative)
{
    QString path = QDir::cleanPath(QDir(folder).filePath(relative));
    while (path.startsWith(QLatin1String("/../")))
        path.remove(0, 3);
    return QDir::toNativeSeparators(path);
}

QString quotedPath(const QString& path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

Result<QByteArray> readBounded(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    const Result<void> refused = mayRead(info, maxBytes);
    if (!refused)
        return refused.failure();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString(), ReadFailure::Unreadable);
    // The file may have grown since its size was seen; never read more than the limit.
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return fail(FilesTr::tr("it is too large"), ReadFailure::Grew);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString(), ReadFailure::Unreadable);
    return bytes;
}

QString readProblem(const Failure& read, const QString& path, qint64 maxBytes, const ReadTexts& texts)
{
    const QString name = quotedPath(path);
    switch (read.kind<ReadFailure>()) {
    case ReadFailure::Folder:
        return texts.folder.arg(name);
    case ReadFailure::Missing:
        return texts.missing.arg(name);
    case ReadFailure::NotOrdinary:
        return texts.notOrdinary.arg(name);
    case ReadFailure::TooLarge:
        return texts.tooLarge.arg(name, sizeOverText(QFileInfo(path).size(), maxBytes), megabytesText(maxBytes));
    case ReadFailure::Grew:
        return texts.grew.arg(name);
    case ReadFailure::Unreadable:
        break;
    }
    return texts.unreadable.arg(name, read.message());
}

Result<void> replaceBeside(const QString& target, QIODevice& source, const QString& privateTemplate,
                           QFileDevice::Permissions permissions)
{
    if (!source.isOpen() && !source.open(QIODevice::ReadOnly))
        return fail(source.errorString(), ReplaceFailure::Source);
    QTemporaryFile out(privateTemplate);
    if (!out.open() || !out.setPermissions(permissions))
        return fail(out.errorString(), ReplaceFailure::Target);
    const Result<void> copied = copyAll(source, out);
    if (!copied)
        return copied;
    if (!out.flush())
        return fail(out.errorString(), ReplaceFailure::Target);
    out.close();
    const Result<void> renamed = renameOver(out.fileName(), target);
    if (!renamed)
        return fail(renamed.error(), ReplaceFailure::Target);
    out.setAutoRemove(false);
    return {};
}

Result<void> replaceBeside(const QString& target, const QByteArray& bytes, const QString& privateTemplate,
                           QFileDevice::Permissions permissions)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return replaceBeside(target, buffer, privateTemplate, permissions);
}

Result<void> renameOver(const QString& source, const QString& target)
{
    std::error_code failure;
    std::filesystem::rename(fsPath(source), fsPath(target), failure);
    if (failure)
        return fail(QString::fromStdString(failure.message()));
    return {};
}
} // namespace orvanta::files
