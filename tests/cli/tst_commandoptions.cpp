#include "CommandOptions.h"
#include "FrontEnd.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

/** Which front end a start asks for and the command's options as parsed, without running the program. */
class TestCommandOptions final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void jobs_data();
    void jobs();
    void refusedValues_data();
    void refusedValues();
    void frontEndOfEveryStart_data();
    void frontEndOfEveryStart();
};

// Every command-line start parses; a warning of the parser's (Qt 6.8 warns when a switch's values are read) would
// reach the user's terminal on each run.
void TestCommandOptions::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QCommandLineParser")));
}

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

void TestCommandOptions::refusedValues_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option") << QStringList{"--create", "--colour", "a.orvanta"} << "Unknown option 'colour'";
    QTest::newRow("typo of --create") << QStringList{"--creat", "a.orvanta"} << "Unknown option 'creat'";
    QTest::newRow("typo beside a window option")
        << QStringList{"-reverse", "--creat", "a.orvanta"} << "Unknown option 'creat'";
    QTest::newRow("jobs not a number") << QStringList{"--create", "--jobs", "many", "a.orvanta"} << "--jobs needs";
    QTest::newRow("no jobs") << QStringList{"--create", "--jobs", "0", "a.orvanta"} << "--jobs needs";
    QTest::newRow("instructions neither yes nor no")
        << QStringList{"--create", "--instructions", "maybe", "a.orvanta"} << "--instructions takes yes or no";
    for (const char* limit : {"0", "nan", "inf", "0.5"})
        QTest::newRow(qPrintable(QStringLiteral("time limit %1").arg(limit)))
            << QStringList{"--create", "--time-limit", limit, "a.orvanta"} << "--time-limit needs";
    QTest::newRow("output folder without a name")
        << QStringList{"--create", "--output", "", "a.orvanta"} << "--output needs";
    QTest::newRow("list without a name") << QStringList{"--create", "--list=", "a.orvanta"} << "--list needs";
    QTest::newRow("link check mode unknown")
        << QStringList{"--sheet", "a.csv", "--check-links=maybe"} << "--check-links takes no value or";
    QTest::newRow("link check mode twice")
        << QStringList{"--sheet", "a.csv", "--check-links=live,live"} << "--check-links takes no value or";
    QTest::newRow("sheet without a name") << QStringList{"--sheet="} << "--sheet needs";
    QTest::newRow("base without a name") << QStringList{"--sheet", "a.csv", "--base="} << "--base needs";
    QTest::newRow("clicks without a log") << QStringList{"--clicks"} << "--clicks needs the access logs";
    QTest::newRow("csv without links") << QStringList{"--csv", "a.csv"} << "--csv writes the links' table";
    QTest::newRow("design without a name") << QStringList{"--create", "--design=", "a.orvanta"} << "--design needs";
}

// The arguments reach the parser as the program hands them on: window options set aside.
void TestCommandOptions::refusedValues()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const FrontEnd::Choice choice = FrontEnd::choose(QStringList{"orvanta"} + arguments, true);
    QCOMPARE(choice.kind, FrontEnd::Kind::Command);
    const ParsedCommand parsed = parseCommand(choice.commandArguments);
    QVERIFY2(parsed.error.contains(error), qPrintable(parsed.error));
}

void TestCommandOptions::frontEndOfEveryStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("campaignFile");
    const int window = int(FrontEnd::Kind::Window);
    const int command = int(FrontEnd::Kind::Command);
    const int noDisplay = int(FrontEnd::Kind::WindowWithoutDisplay);
    QTest::newRow("nothing") << QStringList{} << true << window << "";
    QTest::newRow("nothing, no display") << QStringList{} << false << noDisplay << "";
    QTest::newRow("a campaign") << QStringList{"/c/a.orvanta"} << true << window << "/c/a.orvanta";
    QTest::newRow("a campaign, no display") << QStringList{"/c/a.orvanta"} << false << noDisplay << "/c/a.orvanta";
    QTest::newRow("a campaign, no display, a platform chosen")
        << QStringList{"-platform", "offscreen", "/c/a.orvanta"} << false << window << "/c/a.orvanta";
    QTest::newRow("platform without its value") << QStringList{"-platform"} << false << noDisplay << "";
    QTest::newRow("Qt's options, one dash or two, joined or not")
        << QStringList{"--style",          "fusion",  "-stylesheet=a.qss", "-reverse",
                       "-qwindowgeometry", "800x600", "/c/a.orvanta",      "-qmljsdebugger=port:1"}
        << true << window << "/c/a.orvanta";
    QTest::newRow("a campaign named like an option, after --")
        << QStringList{"--", "/c/-a.orvanta"} << true << window << "/c/-a.orvanta";
    QTest::newRow("a window option's value is no campaign")
        << QStringList{"-qwindowtitle", "/c/title"} << true << window << "";
    QTest::newRow("--create") << QStringList{"-reverse", "--create", "/c/a.orvanta"} << true << command << "";
    QTest::newRow("an option with its value joined") << QStringList{"--jobs=2"} << true << command << "";
    QTest::newRow("help, short") << QStringList{"-?"} << false << command << "";
    QTest::newRow("--create after -- is a campaign")
        << QStringList{"--", "--create"} << true << window << QDir::currentPath() + "/--create";
    QTest::newRow("a typo") << QStringList{"--creat", "/c/a.orvanta"} << true << command << "";
    // A typo is told as one, not taken for a window that has no display.
    QTest::newRow("a typo, no display") << QStringList{"--creat", "a.orvanta"} << false << command << "";
    QTest::newRow("a typo beside a window option, no display")
        << QStringList{"-reverse", "--creat", "a.orvanta"} << false << command << "";
    QTest::newRow("a joined value on a window option that takes none")
        << QStringList{"-reverse=yes"} << true << command << "";
    QTest::newRow("two campaigns") << QStringList{"/c/a.orvanta", "/c/b.orvanta"} << true << command << "";
}

void TestCommandOptions::frontEndOfEveryStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, kind);
    QFETCH(QString, campaignFile);
    const FrontEnd::Choice choice = FrontEnd::choose(QStringList{"orvanta"} + arguments, display);
    QCOMPARE(int(choice.kind), kind);
    QCOMPARE(choice.campaignFile, campaignFile);
}

QTEST_GUILESS_MAIN(TestCommandOptions)
#include "tst_commandoptions.moc"
