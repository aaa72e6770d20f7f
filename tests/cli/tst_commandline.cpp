#include "CliFolder.h"

#include "AppFolder.h"
#include "Converter.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>

/** The command's exit status, lines and files, running the built program on a private application folder. */
class TestCommandLine final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void makesEveryCampaign_data();
    void makesEveryCampaign();
    void reportsFailuresInOrder_data();
    void reportsFailuresInOrder();
    void hangingConverterIsStopped();
    void usageErrors_data();
    void usageErrors();
    void stopSignalLeavesNothing_data();
    void stopSignalLeavesNothing();

private:
    static QStringList pidsIn(const QString& file);
};

QStringList TestCommandLine::pidsIn(const QString& file)
{
    return QString::fromUtf8(bytesOf(file)).split('\n', Qt::SkipEmptyParts);
}

void TestCommandLine::makesEveryCampaign_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("into bin/output") << QString();
    QTest::newRow("into a new --output folder") << QStringLiteral("made/here");
}

void TestCommandLine::makesEveryCampaign()
{
    QFETCH(QString, output);
    CliFolder cli;
    QVERIFY(cli.isValid());
    cli.useRecordingConverter();
    const QString folder = output.isEmpty() ? AppFolder::outputFolder(cli.app.path()) : cli.outside.filePath(output);
    QStringList arguments{"--create", "--jobs", "2"};
    if (!output.isEmpty())
        arguments << "--output" << folder;
    QStringList expected;
    for (const char* name : {"keto-cookbook", "video-course", "budget-planner"})
        arguments << cli.app.file(QStringLiteral("campaigns/%1.orvanta").arg(name));
    for (const char* page :
         {"Keto-Made-Easy-review", "Video-Editing-Masterclass-review", "Family-Budget-Planner-review"})
        expected << folder + QStringLiteral("/%1.pdf").arg(page);

    const CliRun run = cli.run(arguments);
    QCOMPARE(run.lines, expected);
    QCOMPARE(run.exitCode, 0);
    for (const QString& pdf : expected)
        QVERIFY2(IsWholePdf(bytesOf(pdf)), qPrintable(pdf));
    QVERIFY(QFile::exists(cli.savedPage("Video-Editing-Masterclass-review")));
    QVERIFY(
        QDir(AppFolder::tempFolder(cli.app.path())).entryList({".job-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

void TestCommandLine::reportsFailuresInOrder_data()
{
    // A campaign per entry: "good:PDF", "noname:", "nobonus:PDF", "notcampaign:". Expected lines: "pdf:PAGE" or the
    // campaign's failure with @0, @1 ... for campaign files and @OUT for the output folder.
    QTest::addColumn<QStringList>("campaigns");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("missing info among good ones")
        << QStringList{"good:first one", "noname:", "good:second"}
        << QStringList{"pdf:first-one", "@1: Please enter a name for the pdf.", "pdf:second"};
    QTest::newRow("catalogue bonus no longer in the catalogue")
        << QStringList{"nobonus:first", "good:second"}
        << QStringList{"@0: Please select a bonus from the list or enable the option to use your own bonus.",
                       "pdf:second"};
    QTest::newRow("a file that is not a campaign")
        << QStringList{"good:first", "notcampaign:"}
        << QStringList{"pdf:first", "@1: The file \"@1\" is not a campaign: it is no valid JSON (illegal value at "
                                    "byte 1)."};
    QTest::newRow("two campaigns with one PDF name")
        << QStringList{"good:Guide", "good:Guide", "good:other"}
        << QStringList{"pdf:Guide",
                       "@1: The campaign @1 would write the same PDF as the campaign @0: @OUT/Guide.pdf. Nothing was "
                       "overwritten; please give one of them another PDF name.",
                       "pdf:other"};
}

void TestCommandLine::reportsFailuresInOrder()
{
    QFETCH(QStringList, campaigns);
    QFETCH(QStringList, expected);
    CliFolder cli;
    QVERIFY(cli.isValid());
    cli.useRecordingConverter();
    QStringList files;
    for (int i = 0; i < campaigns.size(); ++i) {
        const QString name = QStringLiteral("c%1.orvanta").arg(i);
        Campaign campaign = cli.goodCampaign(campaigns[i].section(':', 1));
        campaign.mainTitle = name;
        const QString kind = campaigns[i].section(':', 0, 0);
        if (kind == QLatin1String("nobonus"))
            campaign.catalogueEntry = QStringLiteral("No Such Bonus");
        files << (kind == QLatin1String("notcampaign") ? writeFile(cli.outside.filePath(name), "not a campaign")
                                                       : cli.save(name, campaign));
    }
    const QString output = AppFolder::outputFolder(cli.app.path());
    for (QString& line : expected) {
        if (line.startsWith(QLatin1String("pdf:")))
            line = output + '/' + line.mid(4) + QStringLiteral(".pdf");
        for (int i = 0; i < files.size(); ++i)
            line.replace(QStringLiteral("@%1").arg(i), files[i]);
        line.replace(QStringLiteral("@OUT"), output);
    }

    const CliRun run = cli.run(QStringList{"--create", "--jobs", "2"} + files);
    QCOMPARE(run.lines, expected);
    QCOMPARE(run.exitCode, 1);
    // Of two with one name, the first campaign's page made the PDF.
    if (campaigns.count(QStringLiteral("good:Guide")) == 2)
        QVERIFY(bytesOf(cli.savedPage("Guide")).contains("c0.orvanta"));
    QVERIFY(
        QDir(AppFolder::tempFolder(cli.app.path())).entryList({".job-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

void TestCommandLine::hangingConverterIsStopped()
{
    CliFolder cli;
    QVERIFY(cli.isValid());
    const QString pids = cli.outside.filePath("pids");
    cli.useRecordingConverter("printf '%%PDF-1.4\\n' > \"$pdf\"\nsleep 600 & echo $! >> '" + pids.toUtf8() +
                              "'\necho $$ >> '" + pids.toUtf8() + "'\nwait");
    const QString campaign = cli.save("slow.orvanta", cli.goodCampaign("slow"));

    const CliRun run = cli.run({"--create", "--time-limit", "1", campaign});
    QCOMPARE(run.lines, QStringList{campaign + QStringLiteral(": The converter %1 did not finish within 1 seconds "
                                                              "and was stopped.")
                                                   .arg(AppFolder::converterPath(cli.app.path()))});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(pidsIn(pids).size(), 2);
    for (const QString& pid : pidsIn(pids))
        QTRY_VERIFY2(!processExists(pid.toLongLong()), qPrintable(pid));
    QCOMPARE(cli.leftovers(), QStringList());
}

void TestCommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option") << QStringList{"--create", "--colour", "a.orvanta"} << "Unknown option 'colour'";
    QTest::newRow("no campaign") << QStringList{"--create"} << "No campaign file given.";
    QTest::newRow("no --create") << QStringList{"--jobs", "2", "a.orvanta"} << "No command given";
    QTest::newRow("unreadable campaign list")
        << QStringList{"--create", "--list", "/nonexistent/list.txt"} << "The campaign list /nonexistent/list.txt";
    QTest::newRow("jobs not a number") << QStringList{"--create", "--jobs", "many", "a.orvanta"} << "--jobs needs";
    QTest::newRow("no jobs") << QStringList{"--create", "--jobs", "0", "a.orvanta"} << "--jobs needs";
    QTest::newRow("instructions neither yes nor no")
        << QStringList{"--create", "--instructions", "maybe", "a.orvanta"} << "--instructions takes yes or no";
    QTest::newRow("time limit of nothing")
        << QStringList{"--create", "--time-limit", "0", "a.orvanta"} << "--time-limit needs";
}

void TestCommandLine::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    CliFolder cli;
    QVERIFY(cli.isValid());
    const CliRun run = cli.run(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.lines, QStringList());
    QVERIFY2(run.errors.contains(error.toUtf8()), run.errors.constData());
    QCOMPARE(cli.leftovers(), QStringList());
}

void TestCommandLine::stopSignalLeavesNothing_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("Ctrl+C") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void TestCommandLine::stopSignalLeavesNothing()
{
    QFETCH(int, signal);
    CliFolder cli;
    QVERIFY(cli.isValid());
    const QString pids = cli.outside.filePath("pids");
    // Half a PDF first, as a converter stopped midway leaves it.
    cli.useRecordingConverter("printf '%%PDF-1.4\\n' > \"$pdf\"\nsleep 600 & echo $! >> '" + pids.toUtf8() +
                              "'\necho $$ >> '" + pids.toUtf8() + "'\nwait");
    QStringList files;
    for (const char* name : {"one", "two", "three"})
        files << cli.save(QStringLiteral("%1.orvanta").arg(name), cli.goodCampaign(name));

    QProcess process;
    process.start(cli.program(), QStringList{"--create", "--jobs", "2"} + files);
    QTRY_COMPARE_WITH_TIMEOUT(pidsIn(pids).size(), 4, 30000);
    ::kill(pid_t(process.processId()), signal);
    QVERIFY(process.waitForFinished(30000));
    const CliRun run = CliFolder::resultOf(process);

    QVERIFY(run.crashed);
    QCOMPARE(run.lines, (QStringList{files[0] + ": Stopped before the PDF was made.",
                                     files[1] + ": Stopped before the PDF was made.",
                                     files[2] + ": Not made: the run was stopped before this campaign began."}));
    for (const QString& pid : pidsIn(pids))
        QTRY_VERIFY2(!processExists(pid.toLongLong()), qPrintable(pid));
    QCOMPARE(cli.leftovers(), QStringList());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
