#include "CommandOptions.h"

#include <QTest>
#include <QThread>

/** The command's options as parsed, without running the program. */
class TestCommandOptions final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void jobs_data();
    void jobs();
};

void TestCommandOptions::jobs_data()
{
    // -1 stands for the processors of this machine.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("jobs");
    QTest::newRow("no --jobs: as many as processors") << QStringList{"--create", "a.orvanta"} << -1;
    QTest::newRow("--jobs 3") << QStringList{"--create", "--jobs", "3", "a.orvanta"} << 3;
    QTest::newRow("--jobs=1") << QStringList{"--create", "--jobs=1", "a.orvanta"} << 1;
}

void TestCommandOptions::jobs()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, jobs);
    const ParsedCommand parsed = parseCommand(QStringList{"orvanta"} + arguments);
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    QCOMPARE(parsed.parameters.jobs, jobs < 0 ? QThread::idealThreadCount() : jobs);
}

QTEST_GUILESS_MAIN(TestCommandOptions)
#include "tst_commandoptions.moc"
