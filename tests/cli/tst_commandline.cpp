#include "CommandLineCase.h"

#include "AppFolder.h"
#include "Campaign.h"
#include "EngineShared.h"
#include "RecentCampaigns.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::engine;

/** The command line makes every campaign it is given and reports each failure, in order, in words. */
class TestCommandLine final : public CommandLineCase {
    Q_OBJECT

private Q_SLOTS:
    void makesEveryCampaign_data();
    void makesEveryCampaign();
    void reportsFailuresInOrder_data();
    void reportsFailuresInOrder();
    void everyListInOrder();
    void designFollowsCampaignAndOption_data();
    void designFollowsCampaignAndOption();
    void listLinksChecked();
    void usageErrors_data();
    void usageErrors();
    void campaignFileOpensTheWindow_data();
    void campaignFileOpensTheWindow();
};

void TestCommandLine::makesEveryCampaign_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("into bin/output") << QString();
    QTest::newRow("into a new --output folder") << QStringLiteral("made/here");
}

// The shipped samples, so the example of the documentation is what runs here.
void TestCommandLine::makesEveryCampaign()
{
    QFETCH(QString, output);
    const QString folder = output.isEmpty() ? this->output() : outside(output);
    QStringList arguments{"--create", "--jobs", "2", "--output", folder};
    for (const char* name : {"keto-cookbook", "video-course", "budget-planner"})
        arguments << m_app->file(QStringLiteral("campaigns/%1.orvanta").arg(name));
    QStringList expected;
    for (const char* page :
         {"Keto-Made-Easy-review", "Video-Editing-Masterclass-review", "Family-Budget-Planner-review"})
        expected << folder + QStringLiteral("/%1.pdf").arg(page);

    const CliRun run = runProgram(m_program, output.isEmpty() ? arguments.mid(0, 3) + arguments.mid(5) : arguments);
    QCOMPARE(run.lines, expected);
    QCOMPARE(run.exitCode, 0);
    for (const QString& pdf : expected)
        QVERIFY2(isWholePdf(bytesOf(pdf)), qPrintable(pdf));
    // The sample that asks for its web page gets it beside its PDF, wherever that is.
    const QString webPage = QStringLiteral("/Video-Editing-Masterclass-review/index.html");
    QVERIFY(QFileInfo::exists(folder + webPage));
    QCOMPARE(QFileInfo::exists(this->output() + webPage), output.isEmpty());
    QVERIFY(leftovers().filter(".job ").isEmpty());
}

void TestCommandLine::reportsFailuresInOrder_data()
{
    // Campaigns as "PDF name" or "PDF name|catalogue entry"; "!" is a file that is not a campaign.
    QTest::addColumn<QStringList>("campaigns");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("missing info among good ones")
        << QStringList{"first one", "", "second"}
        << QStringList{"pdf:first-one", "@1: Please enter a name for the pdf.", "pdf:second"};
    QTest::newRow("catalogue bonus no longer in the catalogue")
        << QStringList{"first|No Such Bonus", "second"}
        << QStringList{"@0: Please select a bonus from the list or enable the option to use your own bonus.",
                       "pdf:second"};
    QTest::newRow("a file that is not a campaign")
        << QStringList{"first", "!"}
        << QStringList{"pdf:first",
                       "@1: The file \"@1\" is not a campaign: it is no valid JSON (illegal value at byte 1)."};
    // "^": the web page is asked for, and a file stands where its folder would go.
    QTest::newRow("PDF made, web page not saved")
        << QStringList{"^Guide", "other"}
        << QStringList{"@0: The PDF @OUT/Guide.pdf was made. The web page could not be saved: The web page folder "
                       "@OUT/Guide could not be created.",
                       "pdf:other"};
    QTest::newRow("two campaigns with one PDF name")
        << QStringList{"Guide", "Guide", "other"}
        << QStringList{"pdf:Guide",
                       "@1: The campaign @1 would write the same PDF as the campaign @0: @OUT/Guide.pdf. Nothing was "
                       "overwritten; please give one of them another PDF name.",
                       "pdf:other"};
}

void TestCommandLine::reportsFailuresInOrder()
{
    QFETCH(QStringList, campaigns);
    QFETCH(QStringList, expected);
    QStringList files;
    for (int i = 0; i < campaigns.size(); ++i) {
        const QString name = QStringLiteral("c%1.orvanta").arg(i);
        files << (campaigns[i] == QLatin1String("!") ? writeFile(outside(name), "not a campaign")
                  : campaigns[i].contains('|')
                      ? campaign(name, campaigns[i].section('|', 0, 0), campaigns[i].section('|', 1))
                  : campaigns[i].startsWith('^') ? campaign(name, campaigns[i].mid(1), "Email List Blueprint", true)
                                                 : campaign(name, campaigns[i]));
        if (campaigns[i].startsWith('^'))
            writeFile(output() + '/' + campaigns[i].mid(1), "in the way");
    }
    const CliRun run = runProgram(m_program, QStringList{"--create", "--jobs", "2"} + files);
    QCOMPARE(run.lines, expanded(expected, files));
    QCOMPARE(run.exitCode, 1);
    // A PDF the line names is there, whole.
    for (const QString& line : run.lines)
        if (line.contains(QLatin1String(".pdf was made")))
            QVERIFY(isWholePdf(bytesOf(line.section(QLatin1String("The PDF "), 1).section(' ', 0, 0))));
    // Of two with one name, the first campaign's page made the PDF.
    if (campaigns.count(QStringLiteral("Guide")) == 2)
        QVERIFY(bytesOf(outside("pages/Guide.html")).contains("c0.orvanta"));
}

// Each list given adds its campaigns after the ones named, in the order the lists were given.
void TestCommandLine::everyListInOrder()
{
    const QStringList files{campaign("c0.orvanta", "zero"), campaign("c1.orvanta", "one"),
                            campaign("c2.orvanta", "two"), campaign("c3.orvanta", "three")};
    writeFile(outside("first.txt"), (files[1] + '\n' + files[2] + '\n').toUtf8());
    QProcess process;
    process.start(m_program, {"--create", "--jobs", "3", "--list", outside("first.txt"), "--list", "-", files[0]});
    process.write((files[3] + '\n').toUtf8());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    const CliRun run = resultOf(process);
    QCOMPARE(run.lines, expanded({"pdf:zero", "pdf:one", "pdf:two", "pdf:three"}, files));
    QCOMPARE(run.exitCode, 0);
}

void TestCommandLine::designFollowsCampaignAndOption_data()
{
    QTest::addColumn<QString>("campaignDesign");
    QTest::addColumn<QStringList>("option");
    QTest::addColumn<QString>("shows"); // words only that design's page holds
    QTest::newRow("neither: Classic") << QString() << QStringList() << "HONEST REVIEW";
    QTest::newRow("the campaign's own") << "Calm" << QStringList() << "A CONSIDERED REVIEW";
    QTest::newRow("the option over the campaign's") << "Calm" << QStringList{"--design", "Bold"} << "WITH EVERY ORDER";
    QTest::newRow("Classic by option, any letter case") << "Calm" << QStringList{"--design=classic"} << "HONEST REVIEW";
    QTest::newRow("the language by option")
        << QString() << QStringList{"--language", "pt-BR"} << "<html lang=\"pt-BR\">";
}

void TestCommandLine::designFollowsCampaignAndOption()
{
    QFETCH(QString, campaignDesign);
    QFETCH(QStringList, option);
    QFETCH(QString, shows);
    const QString sample = m_app->file("campaigns/keto-cookbook.orvanta");
    Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(sample);
    QVERIFY(read.ok());
    read->campaign.design = campaignDesign;
    QVERIFY(CampaignFile::write(sample, read->campaign).ok());
    const CliRun run = runProgram(m_program, QStringList{"--create"} + option + QStringList{sample});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 1);
    // The converter here records the page it was given.
    const QString page = QString::fromUtf8(bytesOf(outside("pages/Keto-Made-Easy-review.html")));
    QVERIFY2(page.contains(shows, Qt::CaseInsensitive), qPrintable(page.left(300)));
}

// A list's products' links are checked as its own: with strict, a broken one keeps the list from being made.
void TestCommandLine::listLinksChecked()
{
    const QString keto = m_app->file("campaigns/keto-cookbook.orvanta");
    writeFile(keto, bytesOf(keto).replace("https://example.com/aff/keto-made-easy", "http://shop.invalid/x"));
    const CliRun run = runProgram(
        m_program, {"--create", m_app->file("campaigns/keto-and-budget.orvantalist"), "--check-links=strict"});
    QVERIFY2(run.errors.contains("keto-and-budget.orvantalist: the link http://shop.invalid/x is broken") &&
                 run.lines.value(0).contains("Not made: the link http://shop.invalid/x") && run.exitCode == 1,
             run.errors);
}

void TestCommandLine::usageErrors_data()
{
    // How each option's value is refused is shown without the program; here, that a refusal ends the run.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("display");
    QTest::newRow("unknown option") << QStringList{"--create", "--colour", "a.orvanta"} << "Unknown option 'colour'"
                                    << true;
    QTest::newRow("no campaign") << QStringList{"--create"} << "No campaign file given." << true;
    QTest::newRow("no --create") << QStringList{"--jobs", "2", "a.orvanta"} << "No command given" << true;
    QTest::newRow("unreadable campaign list") << QStringList{"--create", "--list", "/nonexistent/list.txt"}
                                              << "The campaign list /nonexistent/list.txt" << true;
    QTest::newRow("base without a sheet")
        << QStringList{"--create", "--base", "b.orvanta", "a.orvanta"} << "give the sheet with --sheet" << true;
    QTest::newRow("typo beside a window option, no display")
        << QStringList{"-reverse", "--creat", "a.orvanta"} << "Unknown option 'creat'" << false;
    QTest::newRow("two campaign files without --create")
        << QStringList{"a.orvanta", "b.orvanta"} << "No command given" << true;
    QTest::newRow("campaign file alone, no display") << QStringList{"a.orvanta"} << "use --create" << false;
    QTest::newRow("nothing, no display") << QStringList{} << "no display to show the window" << false;
    QTest::newRow("design not there") << QStringList{"--create", "--design", "Fancy", "a.orvanta"}
                                      << "There is no design \"Fancy\"" << true;
    QTest::newRow("engine of no name") << QStringList{"--create", "--engine", "pdf", "a.orvanta"}
                                       << "--engine takes wkhtmltopdf or chromium" << true;
    QTest::newRow("language that is no tag")
        << QStringList{"--create", "--language=de DE", "a.orvanta"} << "--language needs a language tag" << true;
}

void TestCommandLine::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QFETCH(bool, display);
    const CliRun run =
        runProgram(m_program, arguments, display ? QProcessEnvironment::systemEnvironment() : withoutDisplay());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.lines, QStringList());
    QVERIFY2(run.errors.contains(error.toUtf8()), run.errors.constData());
}

void TestCommandLine::campaignFileOpensTheWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::newRow("the campaign alone") << QStringList{"@"} << true;
    QTest::newRow("a relative name") << QStringList{"c0.orvanta"} << true;
    QTest::newRow("no display, a platform chosen")
        << QStringList{"-platform", "offscreen", "-qwindowtitle", "T", "@"} << false;
}

// The window writes what it opened to its recent list at once: proof it opened the campaign, not only itself.
void TestCommandLine::campaignFileOpensTheWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    const QString file = campaign("c0.orvanta", "in the window");
    QProcess process;
    process.setProcessEnvironment(display ? QProcessEnvironment::systemEnvironment() : withoutDisplay());
    process.setWorkingDirectory(m_outside->path());
    process.start(m_program, arguments.replaceInStrings(QRegularExpression("^@$"), file));
    const QString recentList = AppFolder::recentCampaignsPath(m_app->path());
    QTRY_COMPARE_WITH_TIMEOUT(RecentCampaigns(recentList).paths(), QStringList{file}, 30000);
    QCOMPARE(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished();
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
