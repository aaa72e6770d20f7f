#include "CommandLineCase.h"

#include "AppFolder.h"
#include "Campaign.h"
#include "ListFile.h"
#include "Sandbox.h"
#include "ShortLinkStore.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>
#include <QUrl>

using namespace orvanta::files;
using namespace orvanta::links;
using namespace orvanta::engine;
using namespace orvanta::campaign;

/** Sheets as jobs, link checks, the preflight's lines and short links from the command line. */
class TestCliSheets final : public CommandLineCase {
    Q_OBJECT

private Q_SLOTS:
    void sheetRows_data();
    void sheetRows();
    void linkChecks_data();
    void linkChecks();
    void preflightLines_data();
    void preflightLines();
    void shortLinks();
    void clicks();
};

void TestCliSheets::sheetRows_data()
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
    QTest::newRow("rows that fill a list make it too, in their ranks")
        << QByteArray("pdfFileName,mainTitle,list,rank\none,A,top.orvantalist,2\ntwo,B,top.orvantalist,1\n")
        << QStringList{"@S row 2: pdf:one", "@S row 3: pdf:two", "@S list top.orvantalist: pdf:top"} << 0;
    QTest::newRow("a binary file") << QByteArray("GIF89a\0\0\0,pdfFileName\n", 20)
                                   << QStringList{"@S: The file \"@S\" is no spreadsheet in CSV form: it holds binary "
                                                  "data. Please save the sheet as CSV from your spreadsheet program."}
                                   << 1;
}

void TestCliSheets::sheetRows()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QStringList, expected);
    QFETCH(int, status);
    const QString base = campaign("base.orvanta", "base");
    ProductList top;
    top.title = QStringLiteral("Top two");
    top.kind = ProductList::Kind::Top;
    // No products of its own: the sheet gives them.
    QVERIFY(ListFile::write(outside("top.orvantalist"), top).ok());
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

void TestCliSheets::linkChecks_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("made");
    QTest::newRow("reported, made anyway") << QStringLiteral("--check-links") << true;
    QTest::newRow("strict: not made") << QStringLiteral("--check-links=strict") << false;
    QTest::newRow("live: the short links asked too") << QStringLiteral("--check-links=live") << true;
}

// Links that can be judged without leaving the machine: a reserved name and a closed port of this one.
void TestCliSheets::linkChecks()
{
    QFETCH(QString, mode);
    QFETCH(bool, made);
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/buy").arg(closed.serverPort());
    closed.close();
    const QString base = campaign("base.orvanta", "base", "");
    Campaign withOwnBonus = CampaignFile::read(base)->campaign;
    withOwnBonus.ownBonus = true;
    withOwnBonus.ownBonusImagePath = outside("cover.png");
    const bool live = mode.endsWith("live");
    if (live)
        withOwnBonus.brand.linkBase = QUrl(refused).resolved(QUrl("/go/")).toString();
    (void)CampaignFile::write(base, withOwnBonus);
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

void TestCliSheets::preflightLines_data()
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
    // Allowed by the user, and said, but no PDF a strict preflight passes.
    QTest::newRow("strict fails a campaign made without the sandbox")
        << QStringList{"--preflight=strict", "@BARE@"} << QByteArray()
        << QStringList{"@0: The PDF @OUT/checked.pdf was made but failed 1 preflight check. The PDF @OUT/checked.pdf "
                       "was made, but its engine ran without its sandbox",
                       "@OUT/checked.pdf: The PDF engine ran without its sandbox",
                       "@OUT/checked.pdf: PDF: it could not be read: @OUT/checked.pdf"}
        << 1;
    QTest::newRow("a campaign made without the sandbox, said")
        << QStringList{"--preflight", "@BARE@"} << QByteArray()
        << QStringList{"pdf:checked", "@OUT/checked.pdf: The PDF engine ran without its sandbox",
                       "@OUT/checked.pdf: PDF: it could not be read: @OUT/checked.pdf"}
        << 0;
}

void TestCliSheets::preflightLines()
{
    QFETCH(QStringList, option);
    QFETCH(QByteArray, says);
    QFETCH(QStringList, expected);
    QFETCH(int, status);
    m_app->useStandInConverter(
        recordingConverter(outside("pages"), "echo '" + says + "'; printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\""));
    const QString file = campaign("checked.orvanta", "checked");
    if (option.removeAll("@BARE@") > 0) {
        qputenv("ORVANTA_BWRAP", QFile::encodeName(outside("no-bwrap")));
        qputenv(Sandbox::BareVariable, "1");
    }
    const CliRun run = runProgram(m_program, QStringList{"--create"} + option + QStringList{file});
    qunsetenv(Sandbox::BareVariable);
    QCOMPARE(run.exitCode, status);
    expected = expanded(expected, {file});
    QCOMPARE(run.lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(run.lines.at(i).startsWith(expected.at(i)), qPrintable(run.lines.at(i)));
    QVERIFY(QFile::exists(output() + "/checked.pdf"));
}

// A campaign with a link base: the page the converter reads knows only the short link, Create writes the redirect
// files, and a script lists and re-points the link without making a PDF.
void TestCliSheets::shortLinks()
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
    QVERIFY(bytesOf(links + "/.htaccess").contains("\"^/go/keto/?$\" \"" + affiliate.toUtf8()));

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

    // A table written by hand or before names were kept plain: no cell shifts a column or reaches the terminal.
    LinksTable table = ShortLinkStore::read(m_app->path()).valueOr({});
    LinkEntry odd = *table.find("keto");
    odd.campaign = QString::fromUtf8("A\tB\nC\x1b]0;X\x07\xc2\x9b"
                                     "31m\u200fD");
    table.record(odd);
    QVERIFY(ShortLinkStore::publish(m_app->path(), table).ok());
    const CliRun plain = runProgram(m_program, {"--links"});
    const QStringList row = plain.lines.filter(QRegularExpression("^keto\t"));
    QCOMPARE(row.size(), 1);
    QCOMPARE(row.first().split('\t').size(), 9);
    QVERIFY2(!row.first().contains(QRegularExpression("[^\\t\\P{Cc}]|\\p{Cf}")), qPrintable(row.first()));
}

// A log counted from a script, the counts listed, and the links and their clicks exported for a link manager.
void TestCliSheets::clicks()
{
    const LinkEntry link{"keto", "https://me.example/go/keto", "https://a.example/?t=1", "=Keto", "keto", {}, {}, {}};
    QVERIFY(ShortLinkStore::record(m_app->path(), link).ok());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const auto click = [](const char* address, const char* path, const QDateTime& when) {
        return address + QLocale::c().toString(when, " - - [dd/MMM/yyyy:HH:mm:ss +0000] \"GET ").toUtf8() + path +
               " HTTP/1.1\" 302 0 \"-\" \"Mozilla/5.0 (X11; Linux x86_64) Firefox/120.0\"\n";
    };
    const QString log =
        writeFile(outside("access.log"), click("10.0.0.1", "/go/keto", now) + click("10.0.0.2", "/go/keto/q", now) +
                                             click("10.0.0.3", "/go/keto", now.addDays(-40)));
    const CliRun counted = runProgram(m_program, {"--clicks", log, outside("gone.log")});
    QCOMPARE(counted.exitCode, 1);
    QVERIFY(counted.errors.contains("gone.log"));
    QVERIFY(counted.lines.filter("3 clicks counted").size() == 1);

    const CliRun listed = runProgram(m_program, {"--links"});
    QVERIFY(listed.lines.filter(QRegularExpression("^keto\t.*\t3\t2\tlink 2, qr 1$")).size() == 1);
    QCOMPARE(runProgram(m_program, {"--links", "--csv", outside("links.csv")}).exitCode, 0);
    QCOMPARE(bytesOf(outside("links.csv")),
             "\"Long URL\",\"Short code\",\"Domain\",\"Title\",\"Tags\"\r\n"
             "\"https://a.example/?t=1\",\"keto\",\"me.example\",\"'=Keto\",\"keto\"\r\n");
    QVERIFY(bytesOf(outside("links-clicks.csv"))
                .contains("\"keto\",\"qr\",\"" + now.date().toString(Qt::ISODate).toUtf8() + "\",\"1\"\r\n"));
}

QTEST_GUILESS_MAIN(TestCliSheets)
#include "tst_clisheets.moc"
