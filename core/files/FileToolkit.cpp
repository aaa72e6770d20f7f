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
ReplaceResult::Failure copyAll(QIODevice& in, QIODevice& out)
{
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty())
            return ReplaceResult::Failure::Source;
        if (out.write(chunk) != chunk.size())
            return ReplaceResult::Failure::Target;
    }
    return ReplaceResult::Failure::None;
}

ReplaceResult failed(ReplaceResult::Failure failure, const QString& reason)
{
    return {failure, reason};
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

BoundedRead readBounded(const QString& path, qint64 maxBytes)
{
    BoundedRead read;
    const QFileInfo info(path);
    if (info.isDir())
        read = {{}, BoundedRead::Failure::Folder, 0, false, FilesTr::tr("it is a folder")};
    else if (!info.exists())
        read = {{}, BoundedRead::Failure::Missing, 0, false, FilesTr::tr("it does not exist")};
    else if (!info.isFile())
        read = {{}, BoundedRead::Failure::NotOrdinary, 0, false, FilesTr::tr("it is not an ordinary file")};
    else if (info.size() > maxBytes)
        read = {{}, BoundedRead::Failure::TooLarge, 0, false, FilesTr::tr("it is too large")};
    read.size = info.size();
    if (!read.ok())
        return read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.failure = BoundedRead::Failure::Unreadable;
        read.reason = file.errorString();
        return read;
    }
    // The file may have grown since its size was seen; never read more than the limit.
    read.bytes = file.read(maxBytes + 1);
    if (read.bytes.size() > maxBytes) {
        read.failure = BoundedRead::Failure::TooLarge;
        read.size = qMax<qint64>(file.size(), read.bytes.size());
        read.grew = true;
        read.reason = FilesTr::tr("it is too large");
        read.bytes.clear();
    } else if (file.error() != QFileDevice::NoError) {
        read.failure = BoundedRead::Failure::Unreadable;
        read.reason = file.errorString();
        read.bytes.clear();
    }
    return read;
}

QString readProblem(const BoundedRead& read, const QString& name, qint64 maxBytes, const ReadTexts& texts)
{
    switch (read.failure) {
    case BoundedRead::Failure::Folder:
        return texts.folder.arg(name);
    case BoundedRead::Failure::Missing:
        return texts.missing.arg(name);
    case BoundedRead::Failure::NotOrdinary:
        return texts.notOrdinary.arg(name);
    case BoundedRead::Failure::TooLarge:
        if (read.grew)
            return texts.grew.arg(name);
        return texts.tooLarge.arg(name, sizeOverText(read.size, maxBytes), megabytesText(maxBytes));
    case BoundedRead::Failure::Unreadable:
    case BoundedRead::Failure::None:
        break;
    }
    return texts.unreadable.arg(name, read.reason);
}

ReplaceResult replaceBeside(const QString& target, QIODevice& source, const QString& privateTemplate,
                            QFileDevice::Permissions permissions)
{
    if (!source.isOpen() && !source.open(QIODevice::ReadOnly))
        return failed(ReplaceResult::Failure::Source, source.errorString());
    QTemporaryFile out(privateTemplate);
    if (!out.open() || !out.setPermissions(permissions))
        return failed(ReplaceResult::Failure::Target, out.errorString());
    const ReplaceResult::Failure copied = copyAll(source, out);
    if (copied != ReplaceResult::Failure::None)
        return failed(copied, copied == ReplaceResult::Failure::Source ? source.errorString() : out.errorString());
    if (!out.flush())
        return failed(ReplaceResult::Failure::Target, out.errorString());
    out.close();
    const QString renameError = renameOver(out.fileName(), target);
    if (!renameError.isEmpty())
        return failed(ReplaceResult::Failure::Target, renameError);
    out.setAutoRemove(false);
    return {};
}

ReplaceResult replaceBeside(const QString& target, const QByteArray& bytes, const QString& privateTemplate,
                            QFileDevice::Permissions permissions)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return replaceBeside(target, buffer, privateTemplate, permissions);
}

QString renameOver(const QString& source, const QString& target)
{
    std::error_code failure;
    std::filesystem::rename(fsPath(source), fsPath(target), failure);
    return failure ? QString::fromStdString(failure.message()) : QString();
}
