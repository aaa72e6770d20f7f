#include "Sandbox.h"

#include "HelperOps.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace orvanta::engine;

namespace {
/** The ids of the processes that run @p program with @p argument, the sandbox's own left out. */
QList<qint64> processesOf(const QByteArray& program, const QByteArray& argument)
{
    QList<qint64> found;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        const QByteArray line = bytesOf("/proc/" + pid + "/cmdline");
        if (pid.toLongLong() > 0 && line.startsWith(program + '\0') && line.contains(argument))
            found << pid.toLongLong();
    }
    return found;
}
} // namespace

/** What an engine's process has inside its sandbox: no terminal, none of our variables, folders as bound. */
class TestSandboxProcess final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void insideTheSandbox_data();
    void insideTheSandbox();
    void goesWithItsSandbox();
};

void TestSandboxProcess::initTestCase()
{
    if (!Sandbox::unavailableNote().isEmpty())
        QSKIP(qPrintable(Sandbox::unavailableNote()));
}

void TestSandboxProcess::cleanup()
{
    qunsetenv("SECRET_TOKEN");
}

void TestSandboxProcess::insideTheSandbox_data()
{
    // @READ@ and @WRITE@: the folders bound readable and writable; @HOME@: the user's home outside.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("unsaid");
    QTest::newRow("no terminal, though Orvanta has one")
        << "if (exec 3<>/dev/tty) 2>/dev/null; then echo terminal; else echo none; fi" << QStringList{"none"}
        << QStringList{"terminal"};
    QTest::newRow("none of our variables, a home of its own")
        << "env" << QStringList{"HOME=/tmp/home", "QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=/tmp/runtime"}
        << QStringList{"SECRET_TOKEN", "@HOME@"};
    QTest::newRow("a readable folder is read, never written")
        << "cat @READ@/seen; echo x 2>/dev/null >@READ@/new && echo wrote || echo refused"
        << QStringList{"Seen", "refused"} << QStringList{"wrote"};
    QTest::newRow("the writable folder is written")
        << "echo x >@WRITE@/new && echo wrote" << QStringList{"wrote"} << QStringList();
    QTest::newRow("the user's own fonts are read, never written")
        << "cat /tmp/home/.fonts/own.ttf /tmp/home/.local/share/fonts/more.ttf /tmp/home/.config/fontconfig/fonts.conf;"
           "echo x 2>/dev/null >/tmp/home/.fonts/new && echo wrote || echo refused"
        << QStringList{"OwnFont", "MoreFont", "OwnConfig", "refused"} << QStringList{"wrote"};
}

// An engine exploit gets no further than the sandbox: it cannot type into the user's terminal, read their tokens
// from its environment, or change the page's files.
void TestSandboxProcess::insideTheSandbox()
{
    QFETCH(QString, script);
    QFETCH(QStringList, said);
    QFETCH(QStringList, unsaid);
    QTemporaryDir read;
    QTemporaryDir write;
    QTemporaryDir home;
    QVERIFY(read.isValid() && write.isValid() && home.isValid());
    writeFile(read.filePath("seen"), "Seen");
    writeFile(home.filePath(".fonts/own.ttf"), "OwnFont");
    writeFile(home.filePath(".local/share/fonts/more.ttf"), "MoreFont");
    writeFile(home.filePath(".config/fontconfig/fonts.conf"), "OwnConfig");
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("SECRET_TOKEN", "abc");
    script.replace("@READ@", read.path()).replace("@WRITE@", write.path());
    const SandboxedCommand command = Sandbox::wrap("/usr/bin/sh", {"-c", script}, {{read.path()}, {write.path()}});
    qputenv("HOME", realHome);
    QVERIFY(command.sandboxed() && !command.refused());

    // The sandbox is started as a terminal's program would be: the terminal is its controlling one.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
    const QByteArray terminalName = ::ptsname(terminal);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setChildProcessModifier([&terminalName] {
        ::setsid();
        const int fd = ::open(terminalName.constData(), O_RDWR);
        ::ioctl(fd, TIOCSCTTY, 0);
    });
    process.start(command.program, command.arguments);
    QVERIFY(process.waitForFinished(60000));
    ::close(terminal);
    const QString output = QString::fromLocal8Bit(process.readAll());
    for (const QString& text : said)
        QVERIFY2(output.contains(text), qPrintable(output));
    for (const QString& text : unsaid)
        QVERIFY2(!output.contains(QString(text).replace("@HOME@", home.path())), qPrintable(output));
}

// A stop kills the sandbox's own process: what runs inside goes with it, also in a session of its own.
void TestSandboxProcess::goesWithItsSandbox()
{
    // A sleep of its own, told apart from any other by its fraction.
    const QByteArray marker = "600." + QByteArray::number(QRandomGenerator::global()->bounded(1000000, 9999999));
    const SandboxedCommand command = Sandbox::wrap("/usr/bin/sleep", {QString::fromLatin1(marker)}, {});
    QProcess process;
    process.start(command.program, command.arguments);
    QVERIFY(process.waitForStarted(60000));
    QTRY_VERIFY_WITH_TIMEOUT(processesOf("/usr/bin/sleep", marker).size() == 1, 60000);
    ::kill(pid_t(process.processId()), SIGKILL);
    QVERIFY(process.waitForFinished(60000));
    QTRY_VERIFY_WITH_TIMEOUT(processesOf("/usr/bin/sleep", marker).isEmpty(), 60000);
}

QTEST_GUILESS_MAIN(TestSandboxProcess)
#include "tst_sandboxprocess.moc"
