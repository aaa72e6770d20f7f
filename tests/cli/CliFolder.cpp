#include "CliFolder.h"

#include "AppFolder.h"
#include "TestConfig.h"

#include <QDir>
#include <QFile>

#include <csignal>

using namespace orvanta::files;

QString copyProgramInto(const TestAppFolder& app)
{
    const QString built = QStringLiteral(ORVANTA_TEST_APP_DIR "/orvanta");
    const QString copy = app.file(QStringLiteral("orvanta"));
    // A copy, not a link: the program finds its folder through its own resolved path.
    if (QFile::copy(built, copy))
        QFile::setPermissions(copy, QFile::permissions(built));
    // Whatever an earlier run left in the built folder is no work of the test.
    QDir output(AppFolder::outputFolder(app.path()));
    for (const QString& pdf : output.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        output.remove(pdf);
    return copy;
}

CliRun resultOf(QProcess& process)
{
    CliRun result;
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    result.errors = process.readAllStandardError();
    return result;
}

CliRun runProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return resultOf(process);
}

QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

QByteArray recordingConverter(const QString& pages, const QByteArray& then)
{
    QDir().mkpath(pages);
    return "for a; do html=$pdf; pdf=$a; done\ncp \"$html\" '" + pages.toUtf8() + "/'\n" + then;
}

// A zombie has ended; whether this system's first process reaps it soon is not the program's doing.
bool processExists(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
        return false;
    const QByteArray stat = bytesOf(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.isEmpty() || !stat.mid(stat.lastIndexOf(')') + 2).startsWith('Z');
}
