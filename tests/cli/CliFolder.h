#pragma once

#include "TestAppFolder.h"

#include <QProcess>
#include <QStringList>

/** What one run of the command left: its status, its lines, and whether a signal ended it. */
struct CliRun {
    int exitCode = -1;
    bool crashed = false;
    QStringList lines;
    QByteArray errors;
};

/** Copies the built program into @p app, where it takes that folder for its own; returns the copy's path. */
QString copyProgramInto(const TestAppFolder& app);
CliRun resultOf(QProcess& process);
CliRun runProgram(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
/** This environment without a display or a Qt platform, as on a server or in a plain console. */
QProcessEnvironment withoutDisplay();
/** A converter script that keeps a copy of its input page in @p pages, then runs @p then. */
QByteArray recordingConverter(const QString& pages, const QByteArray& then);
/** True while a process with @p pid exists and has not ended. */
bool processExists(qint64 pid);
