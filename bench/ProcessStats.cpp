#include "ProcessStats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

namespace {
qint64 statusFieldKb(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).simplified().split(' ').value(0).toLongLong();
    }
    return -1;
}
} // namespace

namespace ProcessStats {
qint64 residentKb()
{
    return statusFieldKb("VmRSS");
}

qint64 peakResidentKb()
{
    return statusFieldKb("VmHWM");
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

int openFileCount()
{
    const QDir fds(QStringLiteral("/proc/self/fd"));
    // The listing holds the descriptor of its own directory walk for a moment; don't count it.
    return fds.exists() ? int(fds.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size()) - 1 : -1;
}

QStringList openFiles()
{
    const QString folder = QStringLiteral("/proc/self/fd");
    QStringList files;
    for (const QString& fd : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QString target = QFileInfo(folder + QLatin1Char('/') + fd).symLinkTarget();
        // The walk's own descriptor is gone by now.
        if (!target.isEmpty() && target != folder)
            files << fd + QLatin1Char(' ') + target;
    }
    return files;
}
} // namespace ProcessStats
