#include "CommandLineCase.h"

#include "AppFolder.h"

#include <QDir>
#include <QTest>

#include <csignal>

using namespace orvanta::files;

/** A command-line run stopped by a signal, or killed, leaves nothing behind; a hang-up it ignores does not stop it. */
class TestCliStops final : public CommandLineCase {
    Q_OBJECT

private Q_SLOTS:
    void stoppedRunsLeaveNothing_data();
    void stoppedRunsLeaveNothing();
    void killedRunIsClearedAtTheNextStart();
    void ignoredHangUpKeepsRunning();
};

void TestCliStops::stoppedRunsLeaveNothing_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("hanging converter, time limit")
        << 0 << QStringList{"@0: The converter @CONV did not finish within 1 seconds and was stopped."};
    const QStringList stopped{"@0: Stopped before the PDF was made.", "@1: Stopped before the PDF was made.",
                              "@2: Not made: the run was stopped before this campaign began."};
    QTest::newRow("Ctrl+C") << int(SIGINT) << stopped;
    QTest::newRow("SIGTERM") << int(SIGTERM) << stopped;
    QTest::newRow("terminal closed (SIGHUP)") << int(SIGHUP) << stopped;
}

// The converter leaves half a PDF and a child of its own, as a real one stopped midway would.
void TestCliStops::stoppedRunsLeaveNothing()
{
    QFETCH(int, signal);
    QFETCH(QStringList, expected);
    useConverterNotingPids("printf '%%PDF-1.4\\n' > \"$pdf\"\nsleep 600 & echo $! >> @PIDS\necho $$ >> @PIDS\nwait");
    QStringList files;
    for (int i = 0; i < expected.size(); ++i)
        files << campaign(QStringLiteral("c%1.orvanta").arg(i), QStringLiteral("pdf %1").arg(i));

    QProcess process;
    process.start(m_program, QStringList{"--create", "--jobs", "2", "--time-limit", signal ? "600" : "1"} + files);
    if (signal) {
        QTRY_COMPARE_WITH_TIMEOUT(pids().size(), 4, 30000);
        ::kill(pid_t(process.processId()), signal);
    }
    QVERIFY(process.waitForFinished(60000));
    const CliRun run = resultOf(process);

    QCOMPARE(run.lines, expanded(expected, files).replaceInStrings("@CONV", AppFolder::converterPath(m_app->path())));
    QCOMPARE(run.crashed, signal != 0);
    QCOMPARE(run.exitCode, signal ? run.exitCode : 1);
    QCOMPARE(pids().size(), signal ? 4 : 2);
    for (const QString& pid : pids())
        QTRY_VERIFY2(!processExists(pid.toLongLong()), qPrintable(pid));
    QCOMPARE(leftovers(), QStringList());
}

// SIGKILL leaves no chance to clean up: the converter goes with its parent, the earlier PDF stays whole, and the
// next start removes what the dead run left.
void TestCliStops::killedRunIsClearedAtTheNextStart()
{
    useConverterNotingPids("printf '%%PDF-1.4\\n' > \"$pdf\"\necho $$ >> @PIDS\nexec sleep 600");
    const QString earlier = writeFile(output() + "/guide.pdf", "%PDF-1.4\nearlier\n%%EOF\n");
    QProcess process;
    process.start(m_program, {"--create", campaign("c0.orvanta", "guide")});
    QTRY_COMPARE_WITH_TIMEOUT(pids().size(), 1, 30000);
    process.kill();
    QVERIFY(process.waitForFinished(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!processExists(pids().first().toLongLong()), 10000);
    QCOMPARE(bytesOf(earlier), QByteArray("%PDF-1.4\nearlier\n%%EOF\n"));
    QCOMPARE(leftovers().filter(".job ").size(), 1);

    m_app->useStandInConverter(recordingConverter(outside("pages"), "printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\""));
    QCOMPARE(runProgram(m_program, {"--create", campaign("c1.orvanta", "next")}).exitCode, 0);
    QCOMPARE(leftovers(), (QStringList{"guide.pdf", "next.pdf"}));
}

// Started with nohup, a closed terminal must not end the run.
void TestCliStops::ignoredHangUpKeepsRunning()
{
    useConverterNotingPids("echo $$ >> @PIDS\nsleep 2\nprintf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\"");
    const QString file = campaign("c0.orvanta", "made anyway");
    QProcess process;
    process.start("sh", {"-c", "trap '' HUP; exec \"$0\" \"$@\"", m_program, "--create", file});
    QTRY_COMPARE_WITH_TIMEOUT(pids().size(), 1, 30000);
    ::kill(pid_t(process.processId()), SIGHUP);
    QVERIFY(process.waitForFinished(60000));
    const CliRun run = resultOf(process);
    QCOMPARE(run.lines, expanded({"pdf:made-anyway"}, {file}));
    QCOMPARE(run.exitCode, 0);
}

QTEST_GUILESS_MAIN(TestCliStops)
#include "tst_clistops.moc"
