#include "CliFolder.h"

#include "AppFolder.h"
#include "Campaign.h"
#include "Converter.h"
#include "RecentCampaigns.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <memory>

/** The command's exit status, lines and files, running the built program on a private application folder. */
class TestCommandLine final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void makesEveryCampaign_data();
    void makesEveryCampaign();
    void reportsFailuresInOrder_data();
    void reportsFailuresInOrder();
    void everyListInOrder();
    void stoppedRunsLeaveNothing_data();
    void stoppedRunsLeaveNothing();
    void ignoredHangUpKeepsRunning();
    void killedRunIsClearedAtTheNextStart();
    void designFollowsCampaignAndOption_data();
    void designFollowsCampaignAndOption();
    void sheetRows_data();
    void sheetRows();
    void linkChecks_data();
    void linkChecks();
    void preflightLines_data();
    void preflightLines();
    void shortLinks();
    void usageErrors_data();
    void usageErrors();
    void campaignFileOpensTheWindow_data();
    void campaignFileOpensTheWindow();

private:
    QString outside(const QString& name) const { return m_outside->filePath(name); }
    QString output() const { return AppFolder::outputFolder(m_app->path()); }
    /** A campaign passing every check, cover outside the folder, the first catalogue bonus. */
    QString campaign(const QString& name, const QString& pdfName,
                     const QString& catalogueEntry = "Email List Blueprint", bool saveWebPage = false);
    /** Job folders below temp and PDFs in the output folder. */
    QStringList leftovers() const;
    QStringList pids() const { return QString::fromUtf8(bytesOf(outside("pids"))).split('\n', Qt::SkipEmptyParts); }
    /** A stand-in converter running @p then, where "@PIDS" names the file pids() reads. */
    void useConverterNotingPids(const QByteArray& then) const;
    /** Expands "pdf:PAGE", "@0", "@1" ... (campaign files) and "@OUT" in @p lines. */
    QStringList expanded(QStringList lines, const QStringList& files) const;

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<QTemporaryDir> m_outside;
    QString m_program;
};

void TestCommandLine::init()
{
    m_app = std::make_unique<TestAppFolder>();
    m_outside = std::make_unique<QTemporaryDir>();
    m_program = copyProgramInto(*m_app);
    QVERIFY(m_app->isValid() && QFile::exists(m_program));
    QVERIFY(QFile::copy(m_app->file("campaigns/keto-cookbook-cover.png"), outside("cover.png")));
    m_app->useStandInConverter(recordingConverter(outside("pages"), "printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\""));
    // Chromium is asked for only to see the converter stand in.
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(outside("no-chromium")));
    // The stand-ins note pages and process ids outside, where the sandbox would not let them write.
    qputenv("ORVANTA_BWRAP", QFile::encodeName(writeOpenSandbox(outside("bwrap"))));
}

void TestCommandLine::cleanup()
{
    qunsetenv("ORVANTA_CHROMIUM");
    qunsetenv("ORVANTA_BWRAP");
}

QString TestCommandLine::campaign(const QString& name, const QString& pdfName, const QString& catalogueEntry,
                                  bool saveWebPage)
{
    Campaign campaign;
    campaign.mainTitle = name;
    campaign.affiliateImagePath = outside("cover.png");
    campaign.ctaUrl = QStringLiteral("https://example.com/buy");
    campaign.catalogueEntry = catalogueEntry;
    campaign.pdfFileName = pdfName;
    campaign.saveWebPage = saveWebPage;
    CampaignFile::write(outside(name), campaign);
    return outside(name);
}

void TestCommandLine::useConverterNotingPids(const QByteArray& then) const
{
    const QByteArray pids = "'" + outside("pids").toUtf8() + "'";
    m_app->useStandInConverter(recordingConverter(outside("pages"), QByteArray(then).replace("@PIDS", pids)));
}

QStringList TestCommandLine::leftovers() const
{
    QStringList found = QDir(output()).entryList({"*.pdf"}, QDir::Files);
    return found + QDir(AppFolder::tempFolder(m_app->path())).entryList({".job *"}, QDir::AllEntries | QDir::Hidden);
}

QStringList TestCommandLine::expanded(QStringList lines, const QStringList& files) const
{
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("pdf:")))
            line = output() + '/' + line.mid(4) + QStringLiteral(".pdf");
        for (int i = 0; i < files.size(); ++i)
            line.replace(QStringLiteral("@%1").arg(i), files[i]);
        line.replace(QStringLiteral("@OUT"), output());
    }
    return lines;
}

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

void TestCommandLine::stoppedRunsLeaveNothing_data()
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
void TestCommandLine::stoppedRunsLeaveNothing()
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
void TestCommandLine::killedRunIsClearedAtTheNextStart()
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
void TestCommandLine::ignoredHangUpKeepsRunning()
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
    CampaignFile::ReadResult read = CampaignFile::read(sample);
    QVERIFY(read.campaign);
    read.campaign->design = campaignDesign;
    QVERIFY(CampaignFile::write(sample, *read.campaign).ok);
    const CliRun run = runProgram(m_program, QStringList{"--create"} + option + QStringList{sample});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 1);
    // The converter here records the page it was given.
    const QString page = QString::fromUtf8(bytesOf(outside("pages/Keto-Made-Easy-review.html")));
    QVERIFY2(page.contains(shows, Qt::CaseInsensitive), qPrintable(page.left(300)));
}

void TestCommandLine::preflightLines_data()
{
    // The stand-in converter writes a PDF no reader can open: the preflight's first check fails.
    QTest::addColumn<QStringList>("option");
    QTest::addColumn<QByteArray>("says"); // what the converter prints
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("status");
    QTest::newRow("no preflight asked") << QStringList() << QByteArray() << QStringList{"pdf:checked"} << 0;
    QTest::newRow("one line per failed check")
        << QStringList{"--preflight"} << QByteArray()
        << QStringList{"pdf:checked", "@OUT/checked.pdf: PDF: it could not be read: @OUT/checked.pdf"} << 0;
    QTest::newRow("the engine that stood in and what it did not load, named first")
        << QStringList{"--preflight", "--engine", "chromium"}
        << QByteArray("Warning: Failed to load http://fonts.example/a.css (ignore)")
        << QStringList{"pdf:checked", "@OUT/checked.pdf: Chromium is not installed; the PDF was made with wkhtmltopdf.",
                       "@OUT/checked.pdf: ", "@OUT/checked.pdf:   http://fonts.example/a.css",
                       "@OUT/checked.pdf: PDF: it could not be read: @OUT/checked.pdf"}
        << 0;
    QTest::newRow("strict fails the campaign, the PDF kept")
        << QStringList{"--preflight=strict"} << QByteArray()
        << QStringList{"@0: The PDF @OUT/checked.pdf was made but failed 1 preflight check",
                       "@OUT/checked.pdf: PDF: it could not be read: @OUT/checked.pdf"}
        << 1;
}

void TestCommandLine::preflightLines()
{
    QFETCH(QStringList, option);
    QFETCH(QByteArray, says);
    QFETCH(QStringList, expected);
    QFETCH(int, status);
    m_app->useStandInConverter(
        recordingConverter(outside("pages"), "echo '" + says + "'; printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\""));
    const QString file = campaign("checked.orvanta", "checked");
    const CliRun run = runProgram(m_program, QStringList{"--create"} + option + QStringList{file});
    QCOMPARE(run.exitCode, status);
    expected = expanded(expected, {file});
    QCOMPARE(run.lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(run.lines.at(i).startsWith(expected.at(i)), qPrintable(run.lines.at(i)));
    QVERIFY(QFile::exists(output() + "/checked.pdf"));
}

void TestCommandLine::sheetRows_data()
{
    // "@S" is the sheet as named on the command line; every row runs over a base campaign that passes every check.
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("status");
    QTest::newRow("every row made, named by its row")
        << QByteArray("mainTitle;pdfFileName\r\n\"First; with \"\"quotes\"\"\";one\r\n\r\nThird;three\r\n")
        << QStringList{"@S row 2: pdf:one", "@S row 4: pdf:three"} << 0;
    QTest::newRow("bad rows named, the others made")
        << QByteArray("pdfFileName,mainTitle,catalogueEntry\n"
                      "one,A,\n"
                      "one,B,\n"
                      "ragged\n"
                      "four,D,No Such Bonus\n"
                      "five,E,\n"
                      "\"six,F\n")
        << QStringList{"@S row 2: pdf:one",
                       "@S row 3: The campaign @S row 3 would write the same PDF as the campaign @S row 2: "
                       "@OUT/one.pdf. Nothing was overwritten; please give one of them another PDF name.",
                       "@S row 4: The row has 1 cells where the header names 3 columns; please check its "
                       "separators and quotes.",
                       "@S row 5: Please select a bonus from the list or enable the option to use your own bonus.",
                       "@S row 6: pdf:five",
                       "@S row 7: A quoted cell in this row never ends: its closing quote (\") is missing, so the "
                       "rest of the sheet was read into it."}
        << 1;
    QTest::newRow("a link that is no web address refused by its row")
        << QByteArray("pdfFileName,affiliateLink\none,javascript:alert(1)\ntwo,HTTPS://example.com/buy\n")
        << QStringList{"@S row 2: Your Affiliate Link must be a web address that begins with http:// or https://.",
                       "@S row 3: pdf:two"}
        << 1;
    QTest::newRow("a binary file") << QByteArray("GIF89a\0\0\0,pdfFileName\n", 20)
                                   << QStringList{"@S: The file \"@S\" is no spreadsheet in CSV form: it holds binary "
                                                  "data. Please save the sheet as CSV from your spreadsheet program."}
                                   << 1;
}

void TestCommandLine::sheetRows()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QStringList, expected);
    QFETCH(int, status);
    const QString base = campaign("base.orvanta", "base");
    const QString path = writeFile(outside("offers.csv"), sheet);
    const CliRun run = runProgram(m_program, {"--sheet", path, "--base", base, "--jobs", "2"});
    static const QRegularExpression pdf(QStringLiteral("pdf:(\\S+)$"));
    for (QString& line : expected)
        line.replace(QLatin1String("@S"), path)
            .replace(pdf, output() + QStringLiteral("/\\1.pdf"))
            .replace("@OUT", output());
    QCOMPARE(run.lines, expected);
    QCOMPARE(run.exitCode, status);
}

void TestCommandLine::linkChecks_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("made");
    QTest::newRow("reported, made anyway") << QStringLiteral("--check-links") << true;
    QTest::newRow("strict: not made") << QStringLiteral("--check-links=strict") << false;
    QTest::newRow("live: the short links asked too") << QStringLiteral("--check-links=live") << true;
}

// Links that can be judged without leaving the machine: a reserved name and a closed port of this one.
void TestCommandLine::linkChecks()
{
    QFETCH(QString, mode);
    QFETCH(bool, made);
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/buy").arg(closed.serverPort());
    closed.close();
    const QString base = campaign("base.orvanta", "base", "");
    Campaign withOwnBonus = CampaignFile::read(base).campaign.value();
    withOwnBonus.ownBonus = true;
    withOwnBonus.ownBonusImagePath = outside("cover.png");
    const bool live = mode.endsWith("live");
    if (live)
        withOwnBonus.brand.linkBase = QUrl(refused).resolved(QUrl("/go/")).toString();
    CampaignFile::write(base, withOwnBonus);
    const QString path = writeFile(outside("links.csv"), QStringLiteral("pdfFileName,affiliateLink,deliveryUrl\n"
                                                                        "one,http://shop.invalid/x,\n"
                                                                        "two,%1,http://\n")
                                                             .arg(refused)
                                                             .toUtf8());
    const CliRun run = runProgram(m_program, {"--sheet", path, "--base", base, mode});
    QVERIFY2(run.errors.contains("row 2: the link http://shop.invalid/x is broken (unknown host)"), run.errors);
    QVERIFY2(
        run.errors.contains(QStringLiteral("row 3: the link %1 is broken (connection refused)").arg(refused).toUtf8()),
        run.errors);
    QCOMPARE(QFileInfo::exists(output() + "/one.pdf"), made);
    QCOMPARE(QFileInfo::exists(output() + "/two.pdf"), made);
    QCOMPARE(run.exitCode, made ? 0 : 1);
    if (live)
        QVERIFY2(run.errors.contains("row 3: the link " + withOwnBonus.brand.linkBase.toUtf8() +
                                     "two is broken (connection refused)"),
                 run.errors);
    if (!made)
        QVERIFY(run.lines.value(0).contains("Not made: the link http://shop.invalid/x is broken"));
}

// A campaign with a link base: the page the converter reads knows only the short link, Create writes the redirect
// files, and a script lists and re-points the link without making a PDF.
void TestCommandLine::shortLinks()
{
    QJsonObject root = QJsonDocument::fromJson(bytesOf(m_app->file("campaigns/keto-cookbook.orvanta"))).object();
    const QString affiliate = root.value("affiliateLink").toString();
    root.insert("version", 4);
    root.insert("slug", "keto");
    QJsonObject brand = root.value("brand").toObject();
    brand.insert("linkBase", "https://me.example/go/");
    root.insert("brand", brand);
    QFile campaign(m_app->file("campaigns/short.orvanta"));
    QVERIFY(campaign.open(QIODevice::WriteOnly));
    campaign.write(QJsonDocument(root).toJson());
    campaign.close();

    QCOMPARE(runProgram(m_program, {"--create", campaign.fileName()}).exitCode, 0);
    const QStringList pages = QDir(outside("pages")).entryList({"*.html"});
    QCOMPARE(pages.size(), 1);
    const QByteArray page = bytesOf(outside("pages/" + pages.first()));
    QVERIFY(page.contains("https://me.example/go/keto"));
    QVERIFY(!page.contains(affiliate.toUtf8()));
    const QString links = AppFolder::linksFolder(m_app->path());
    QVERIFY(bytesOf(links + "/.htaccess").contains("Redirect 302 /go/keto \"" + affiliate.toUtf8()));

    const CliRun listed = runProgram(m_program, {"--links"});
    QCOMPARE(listed.exitCode, 0);
    QVERIFY(listed.lines.filter(QRegularExpression("^keto\thttps://me.example/go/keto\t" + affiliate)).size() == 1);
    const QStringList pdfs = QDir(output()).entryList({"*.pdf"});
    QCOMPARE(runProgram(m_program, {"--repoint", "keto", "https://new.example/?x=1#a"}).exitCode, 0);
    QVERIFY(bytesOf(links + "/_redirects").contains("/go/keto https://new.example/?x=1#a 302"));
    QCOMPARE(QDir(output()).entryList({"*.pdf"}), pdfs);
    const CliRun unknown = runProgram(m_program, {"--repoint", "nope", "https://new.example/"});
    QCOMPARE(unknown.exitCode, 1);
    QVERIFY(unknown.errors.contains("\"nope\""));
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
