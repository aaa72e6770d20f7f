#include "TestAppFolder.h"

#include "AppFolder.h"
#include "TestConfig.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

using namespace orvanta::files;

namespace {
bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isSymLink()) {
            if (!QFile::link(entry.symLinkTarget(), target))
                return false;
        } else if (entry.isDir()) {
            if (!copyTree(entry.filePath(), target))
                return false;
        } else if (entry.fileName() != QLatin1String("orvanta") && !QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}
} // namespace

TestAppFolder::TestAppFolder()
{
    if (m_dir.isValid())
        m_copied = copyTree(QStringLiteral(ORVANTA_TEST_APP_DIR), m_dir.path());
}

QString TestAppFolder::path() const
{
    return QDir::toNativeSeparators(m_dir.path());
}

QString TestAppFolder::file(const QString& relative) const
{
    return AppFolder::path(path(), relative);
}

QString TestAppFolder::write(const QString& relative, const QByteArray& bytes) const
{
    return writeFile(file(relative), bytes);
}

void TestAppFolder::useStandInConverter(const QByteArray& script) const
{
    const QString converter = AppFolder::converterPath(path());
    QFile::remove(converter);
    write(QStringLiteral("bin/wkhtmltopdf"), "#!/bin/sh\n" + script + "\n");
    QFile::setPermissions(converter, QFile::permissions(converter) | QFile::ExeOwner | QFile::ExeUser);
}

QStringList TestAppFolder::snapshot() const
{
    QStringList entries;
    QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(info.filePath())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
    return path;
}

QString writeOpenSandbox(const QString& path)
{
    writeFile(path, "#!/bin/sh\nwhile [ $# -gt 0 ] && [ \"$1\" != -- ]; do shift; done\nshift\nexec \"$@\"\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

QByteArray pictureBytes(const QByteArray& tag)
{
    static const QByteArray gif =
        QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c000000000100"
                            "01000002024401003b");
    return gif + tag;
}

QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}
