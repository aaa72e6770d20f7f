#pragma once

#include <QStringList>
#include <QtGlobal>

/** This process's memory and open files, read from /proc/self. */
namespace ProcessStats {
/** Resident set size now, in KiB; -1 where /proc is missing. */
qint64 residentKb();
/** The highest resident set size so far, in KiB; -1 where /proc is missing. */
qint64 peakResidentKb();
/** Processor time this process has used on all its threads, user and system, in milliseconds; its children's is not
 * counted. */
double cpuMs();
/** Open file descriptors; -1 where /proc is missing. */
int openFileCount();
/** Each open file descriptor as "number target", the way ls -l /proc/PID/fd shows it. */
QStringList openFiles();
} // namespace ProcessStats
