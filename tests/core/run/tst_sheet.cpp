#include "SheetReader.h"

#include "AppFolder.h"
#include "BatchCreate.h"
#include "Catalogue.h"
#include "EngineStarter.h"
#include "JobSources.h"
#include "SheetReadiness.h"
#include "TestAppFolder.h"
#include "TrackingTags.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::run;

namespace {
using Tags = QList<std::pair<QString, QString>>;

Campaign base()
{
    Campaign campaign;
    campaign.mainTitle = QStringLiteral("Base title");
    campaign.ctaUrl = QStringLiteral("https://base.example/");
    return campaign;
}

/** Each row as "number|title|link|pdf|problem-start", the way the rows are compared below. */
QStringList summary(const Sheet& sheet)
{
    QStringList rows;
    for (const SheetRow& row : sheet.rows)
        rows << QStringLiteral("%1|%2|%3|%4|%5")
                    .arg(row.number)
                    .arg(row.campaign.mainTitle, row.campaign.ctaUrl, row.campaign.pdfFileName,
                         row.problem.section(QLatin1Char(' '), 0, 3));
    return rows;
}
} // namespace

/** Sheets of offers as spreadsheets write them, and the tracking tags that go onto the affiliate link. */
class TestSheet final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data();
    void rows();
    void refusedSheet_data();
    void refusedSheet();
    void cellValues();
    void readiness_data();
    void readiness();
    void taggedLink_data();
    void taggedLink();
    void tagsReachThePage();
    void rowsAsJobsAndTheirLinks();
};

void TestSheet::rows_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("unknown");
    const QString ok = QStringLiteral("|");
    QTest::newRow("plain LF") << QByteArray("mainTitle,affiliateLink,pdfFileName\nA,https://a.example/,a\nB,,b\n")
                              << QStringList{"2|A|https://a.example/|a|", "3|B|https://base.example/|b|"}
                              << QStringList();
    QTest::newRow("CRLF, no final line end")
        << QByteArray("mainTitle,pdfFileName\r\nA,a\r\nB,b")
        << QStringList{"2|A|https://base.example/|a|", "3|B|https://base.example/|b|"} << QStringList();
    QTest::newRow("quotes, embedded comma, quote and line break")
        << QByteArray("mainTitle,pdfFileName\n\"Big, \"\"bold\"\"\nreview\",a\nnext,b\n")
        << QStringList{"2|Big, \"bold\"\nreview|https://base.example/|a|", "3|next|https://base.example/|b|"}
        << QStringList();
    QTest::newRow("semicolons, as a decimal-comma spreadsheet writes")
        << QByteArray("mainTitle;pdfFileName\n\"1,5 kg\";a\n") << QStringList{"2|1,5 kg|https://base.example/|a|"}
        << QStringList();
    QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBFmainTitle,pdfFileName\nK\xC3\xA4se,a\n")
                                                << QStringList{"2|K\u00E4se|https://base.example/|a|"} << QStringList();
    QTest::newRow("Windows-1252") << QByteArray("mainTitle,pdfFileName\nK\xE4se \x80 \x96,a\n")
                                  << QStringList{"2|K\u00E4se \u20AC \u2013|https://base.example/|a|"} << QStringList();
    QTest::newRow("empty lines keep the numbering")
        << QByteArray("mainTitle,pdfFileName\r\n\r\nA,a\r\n,\r\nB,b\r\n")
        << QStringList{"3|A|https://base.example/|a|", "5|B|https://base.example/|b|"} << QStringList();
    QTest::newRow("unknown columns named, their cells left out")
        << QByteArray("mainTitle,Price,pdfFileName,title\nA,9.99,a,x\n") << QStringList{"2|A|https://base.example/|a|"}
        << QStringList{"Price", "title"};
    QTest::newRow("ragged rows fail alone")
        << QByteArray("mainTitle,pdfFileName\nA\nB,b\nC,c,extra\nD,d,\n")
        << QStringList{"2|Base title|https://base.example/||The row has 1", "3|B|https://base.example/|b|",
                       "4|Base title|https://base.example/||The row has too",
                       "5|Base title|https://base.example/||The row has too"}
        << QStringList();
    // Taken, its values would stand one column on: the PDF named "5" and the rating 4.
    QTest::newRow("an unquoted decimal comma adds a cell, even an empty last one")
        << QByteArray("mainTitle,rating,pdfFileName\nA,4,5,\n")
        << QStringList{"2|Base title|https://base.example/||The row has too"} << QStringList();
    QTest::newRow("unterminated quote names its row, earlier rows stand")
        << QByteArray("mainTitle,pdfFileName\nA,a\n\"B,b\nC,c\n")
        << QStringList{"2|A|https://base.example/|a|", "3|Base title|https://base.example/||A quoted cell in"}
        << QStringList();
    QTest::newRow("the header decides the separator, not the cells")
        << QByteArray("mainTitle,review\na;b;c;d,e\n") << QStringList{"2|a;b;c;d|https://base.example/||"}
        << QStringList();
    QTest::newRow("a flag that is no yes or no")
        << QByteArray("pdfFileName,ownBonus\na,maybe\nb,Yes\n")
        << QStringList{"2|Base title|https://base.example/|a|In this row the", "3|Base title|https://base.example/|b|"}
        << QStringList();
    Q_UNUSED(ok)
}

void TestSheet::rows()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, unknown);
    const Sheet sheet = SheetReader::fromBytes(csv, base(), QDir::tempPath(), QStringLiteral("offers.csv"));
    QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
    QCOMPARE(summary(sheet), expected);
    QCOMPARE(sheet.unknownColumns, unknown);
}

void TestSheet::refusedSheet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("says");
    QTest::newRow("empty") << QByteArray("\xEF\xBB\xBF\r\n") << QString() << "is empty";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0IHDR", 14) << QString() << "binary data";
    QTest::newRow("no known column") << QByteArray("Name,Price\nA,1\n") << QString() << "no column a campaign knows";
    QTest::newRow("a column twice") << QByteArray("mainTitle,mainTitle\nA,B\n") << QString() << "twice";
    QTest::newRow("quote open in the header")
        << QByteArray("\"mainTitle,pdfFileName\nA,a\n") << QString() << "never closes";
    QTest::newRow("50 MB") << QByteArray() << "huge"
                           << "too large";
    QTest::newRow("a pipe") << QByteArray() << "pipe"
                            << "not an ordinary file";
    QTest::newRow("missing") << QByteArray() << "missing"
                             << "does not exist";
}

void TestSheet::refusedSheet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, make);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("offers.csv"));
    QFile file(path);
    if (make == "huge")
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(50 * 1024 * 1024));
    else if (make == "pipe")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (make != "missing")
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const Sheet sheet = SheetReader::read(path, base());
    QVERIFY2(sheet.error.contains(says), qPrintable(sheet.error));
    QVERIFY2(sheet.error.contains(QDir::toNativeSeparators(path)), qPrintable(sheet.error));
    QVERIFY(sheet.rows.isEmpty());
}

// Pictures are named relative to the sheet, flags in the words spreadsheets use, tags as their parameters.
void TestSheet::cellValues()
{
    const QByteArray csv =
        "affiliateImage,ownBonus,fitToContent,utm_source,utm_campaign,review,design,accentColor,logo\n"
        "covers/a.png,yes,0,pdf,,\"one\r\ntwo\",Bold,#336699,brand/logo.png\n";
    const Sheet sheet = SheetReader::fromBytes(csv, base(), QStringLiteral("/data/sheets"), "offers.csv");
    QCOMPARE(sheet.rows.size(), 1);
    const Campaign& row = sheet.rows.first().campaign;
    QCOMPARE(row.affiliateImagePath, QDir::toNativeSeparators(QStringLiteral("/data/sheets/covers/a.png")));
    QVERIFY(row.ownBonus);
    QVERIFY(!row.fitToContent);
    QCOMPARE(row.utmSource, QStringLiteral("pdf"));
    QCOMPARE(row.utmCampaign, QString());
    QCOMPARE(row.review, QStringLiteral("one\r\ntwo"));
    QCOMPARE(row.mainTitle, base().mainTitle);
    // The design and the brand's values, named as a campaign file names them.
    QCOMPARE(row.design, QStringLiteral("Bold"));
    QCOMPARE(row.brand.accentColor, QStringLiteral("#336699"));
    QCOMPARE(row.brand.logoPath, QDir::toNativeSeparators(QStringLiteral("/data/sheets/brand/logo.png")));
    QCOMPARE(row.brand.textColor, base().brand.textColor);

    const QByteArray blocks = "rating;pros;cons;verdict;affiliateImageAlt;bonusImageAlt;language;engine\n"
                              "4,5;\"fast\r\ncheap\";;Buy it.;Cover;Checklist;pt-BR;chromium\n";
    const Sheet more = SheetReader::fromBytes(blocks, base(), QStringLiteral("/data/sheets"), "offers.csv");
    QCOMPARE(more.unknownColumns, QStringList());
    QCOMPARE(more.rows.size(), 1);
    const Campaign& filled = more.rows.first().campaign;
    QCOMPARE(filled.rating, QStringLiteral("4,5"));
    QCOMPARE(filled.pros, QStringLiteral("fast\r\ncheap"));
    QCOMPARE(filled.cons, base().cons);
    QCOMPARE(filled.verdict, QStringLiteral("Buy it."));
    QCOMPARE(filled.affiliateImageAlt, QStringLiteral("Cover"));
    QCOMPARE(filled.bonusImageAlt, QStringLiteral("Checklist"));
    QCOMPARE(filled.language, QStringLiteral("pt-BR"));
    QCOMPARE(filled.engine, QStringLiteral("chromium"));
}

void TestSheet::readiness_data()
{
    // Per row what the table says: "" when ready, else a part of its words. Pictures lie beside the sheet.
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("design"); // chosen for all rows, as the dialog or --design does
    QTest::newRow("ready") << QByteArray("pdfFileName\na\n") << QStringList{""} << QString();
    QTest::newRow("a missing cover") << QByteArray("pdfFileName,affiliateImage\na,missing.png\n")
                                     << QStringList{"Could not read the image"} << QString();
    QTest::newRow("a cover that is no picture") << QByteArray("pdfFileName,affiliateImage\na,notes.png\n")
                                                << QStringList{"holds no JPG, GIF or PNG"} << QString();
    QTest::newRow("a missing own bonus picture")
        << QByteArray("pdfFileName,ownBonus,ownBonusImage\na,yes,missing.png\n")
        << QStringList{"Target file not found.\n"} << QString();
    QTest::newRow("a logo that is no picture") << QByteArray("pdfFileName,logo\na,notes.png\n")
                                               << QStringList{"The brand's logo cannot be used: \""} << QString();
    QTest::newRow("the chosen design over the row's")
        << QByteArray("pdfFileName,design\na,Gone\n") << QStringList{""} << QStringLiteral("Bold");
    QTest::newRow("the chosen design is judged")
        << QByteArray("pdfFileName\na\n") << QStringList{"There is no design \"Gone\""} << QStringLiteral("Gone");
    QTest::newRow("too many cells named with their count")
        << QByteArray("pdfFileName,rating\na,4,5\n")
        << QStringList{"The row has too many cells: 3 where the header names 2 columns"} << QString();
    QTest::newRow("a missing logo") << QByteArray("pdfFileName,logo\na,missing.png\n")
                                    << QStringList{"The brand's logo cannot be used"} << QString();
    QTest::newRow("review blocks and a language")
        << QByteArray("pdfFileName,rating,pros,language\na,\"4,5\",x,de\n") << QStringList{""} << QString();
    QTest::newRow("a rating above 5") << QByteArray("pdfFileName,rating\na,6\n") << QStringList{"The rating \"6\""}
                                      << QString();
    QTest::newRow("a language that is no tag")
        << QByteArray("pdfFileName,language\na,de_DE\n") << QStringList{"The language \"de_DE\""} << QString();
    QTest::newRow("an engine of no name")
        << QByteArray("pdfFileName,engine\na,pdf\n") << QStringList{"The engine \"pdf\" is unknown"} << QString();
    QTest::newRow("a broken row claims no PDF name")
        << QByteArray("pdfFileName,ownBonus\nsame,maybe\nsame,no\n") << QStringList{"takes yes or no", ""} << QString();
    QTest::newRow("a row stopped by its picture has claimed its PDF name")
        << QByteArray("pdfFileName,affiliateImage\nsame,missing.png\nsame,\n")
        << QStringList{"Could not read the image", "Row 2 already makes the PDF \"same\""} << QString();
    QTest::newRow("three rows of one name: both later ones name the first")
        << QByteArray("pdfFileName\nsame\nsame\nsame\n")
        << QStringList{"", "Row 2 already makes the PDF \"same\"", "Row 2 already makes the PDF \"same\""} << QString();
    QTest::newRow("two rows of one slug: the second refused before it is made")
        << QByteArray("pdfFileName,linkBase,slug,affiliateLink\na,https://me.example/go/,deal,https://one.example/\n"
                      "b,https://me.example/go/,deal,https://two.example/\nc,https://me.example/go/,deal,"
                      "https://one.example/\n")
        << QStringList{"", "The short link \"deal\" already points", ""} << QString();
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    QTest::newRow("names differing only in letter case are one file here")
        << QByteArray("pdfFileName\nSame\nsame\n") << QStringList{"", "Row 2 already makes the PDF \"same\""}
        << QString();
#else
    QTest::newRow("names differing only in letter case are two files here")
        << QByteArray("pdfFileName\nSame\nsame\n") << QStringList{"", ""} << QString();
#endif
}

// The table promises what Create All does: a ready row is made, any other ends in the table's words (a PDF name
// taken twice in Create All's own).
void TestSheet::readiness()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, expected);
    QFETCH(QString, design);
    TestAppFolder app;
    QVERIFY(app.isValid());
    app.useStandInConverter("for a; do pdf=$a; done; printf '%%PDF-1.4\\n1 0 obj\\nendobj\\n%%%%EOF\\n' > \"$pdf\"");
    app.write("sheets/notes.png", "not a picture");
    JobSettings settings;
    settings.app = app.path();
    settings.outputFolder = AppFolder::outputFolder(app.path());
    settings.design = design;
    const QStringList entries = Catalogue::entries(app.path());
    settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    Campaign base;
    base.ctaUrl = QStringLiteral("https://a.example/buy");
    base.affiliateImagePath = app.file("campaigns/keto-cookbook-cover.png");
    base.catalogueEntry = entries.first();
    const Sheet sheet = SheetReader::fromBytes(csv, base, app.file("sheets"), QStringLiteral("offers.csv"));

    const QStringList problems = rowProblems(sheet, settings);
    QCOMPARE(problems.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(expected[i].isEmpty() ? problems[i].isEmpty() : problems[i].contains(expected[i]),
                 qPrintable(problems[i]));

    QList<JobSource> sources;
    for (const SheetRow& row : sheet.rows)
        sources << JobSource{SheetReader::rowName("offers.csv", row.number), {}, row.campaign, row.problem, {}};
    claimSlugs(sources, settings);
    BatchCreate batch(EngineStarter::direct(), sources, settings, 2);
    QSignalSpy finished(&batch, &BatchCreate::finished);
    batch.start();
    QVERIFY(finished.wait(30000));
    for (int i = 0; i < problems.size(); ++i) {
        QCOMPARE(batch.outcome(i).ok, problems[i].isEmpty());
        if (!problems[i].isEmpty() && !problems[i].startsWith("Row "))
            QCOMPARE(batch.outcome(i).error, problems[i]);
    }
}

void TestSheet::taggedLink_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<Tags>("tags");
    QTest::addColumn<QString>("tagged");
    const Tags source{{"utm_source", "pdf"}};
    QTest::newRow("no tags: unchanged") << "https://a.example/x?b=1" << Tags() << "https://a.example/x?b=1";
    QTest::newRow("plain link") << "https://a.example/x" << source << "https://a.example/x?utm_source=pdf";
    QTest::newRow("existing query kept byte for byte")
        << "https://a.example/x?q=a%20b+c&z=%7e&empty=&flag" << source
        << "https://a.example/x?q=a%20b+c&z=%7e&empty=&flag&utm_source=pdf";
    QTest::newRow("fragment stays last") << "https://a.example/x?a=1#offer" << source
                                         << "https://a.example/x?a=1&utm_source=pdf#offer";
    QTest::newRow("fragment without query")
        << "https://a.example/#top" << source << "https://a.example/?utm_source=pdf#top";
    QTest::newRow("a ? in the fragment is no query")
        << "https://a.example/p#x?y" << source << "https://a.example/p?utm_source=pdf#x?y";
    QTest::newRow("tag already in the link is not doubled")
        << "https://a.example/?utm_source=mail" << Tags{{"utm_source", "pdf"}, {"utm_medium", "bonus"}}
        << "https://a.example/?utm_source=mail&utm_medium=bonus";
    QTest::newRow("encoded name counts as present")
        << "https://a.example/?utm%5Fsource=x" << source << "https://a.example/?utm%5Fsource=x";
    QTest::newRow("trailing ? or &") << "https://a.example/?a=1&" << source << "https://a.example/?a=1&utm_source=pdf";
    QTest::newRow("a tag left empty adds nothing")
        << "https://a.example/x" << Tags{{"utm_source", "news"}, {"utm_medium", ""}}
        << "https://a.example/x?utm_source=news";
    QTest::newRow("values encoded") << "http://a.example" << Tags{{"utm_campaign", "spring sale & more/\u00E9"}}
                                    << "http://a.example?utm_campaign=spring%20sale%20%26%20more%2F%C3%A9";
    QTest::newRow("an empty link stays empty") << "" << source << "";
    QTest::newRow("the box's start text stays, so Create still asks for a link") << "http://" << source << "http://";
    QTest::newRow("no host: left as typed") << "www.a.example/x" << source << "www.a.example/x";
}

void TestSheet::taggedLink()
{
    QFETCH(QString, link);
    QFETCH(Tags, tags);
    QFETCH(QString, tagged);
    QCOMPARE(orvanta::campaign::taggedLink(link, tags), tagged);
}

void TestSheet::tagsReachThePage()
{
    Campaign campaign;
    campaign.ctaUrl = QStringLiteral("https://vendor.example/buy?aff=42#go");
    campaign.utmSource = QStringLiteral("pdf");
    campaign.utmTerm = QStringLiteral("t");
    QCOMPARE(pageFieldsOf(campaign).ctaUrl,
             QStringLiteral("https://vendor.example/buy?aff=42&utm_source=pdf&utm_term=t#go"));
    QCOMPARE(campaign.ctaUrl, QStringLiteral("https://vendor.example/buy?aff=42#go"));
}

QTEST_GUILESS_MAIN(TestSheet)
// Both front ends take the rows and the link report from here; a broken row has no links to check.
void TestSheet::rowsAsJobsAndTheirLinks()
{
    const Sheet sheet = SheetReader::fromBytes("affiliateLink,pdfFileName,ownBonus\nhttps://a.example/x,a,no\n"
                                               "https://b.example/y,b,maybe\n",
                                               Campaign(), QDir::tempPath(), QStringLiteral("offers.csv"));
    const QList<JobSource> jobs = sheetJobs(sheet, QStringLiteral("offers.csv"));
    QCOMPARE(jobs.size(), 2);
    QCOMPARE(jobs.at(1).name, QStringLiteral("offers.csv row 3"));
    QVERIFY(jobs.at(0).campaign && jobs.at(0).problem.isEmpty() && !jobs.at(1).problem.isEmpty());

    const QList<QStringList> links = linksOfSources(jobs, JobSettings());
    QCOMPARE(links, (QList<QStringList>{{"https://a.example/x"}, {}}));
    // Never started: every link is left unverified, which is no broken link.
    LinkCheck unchecked;
    const LinkReport report = reportLinks(links, unchecked);
    QCOMPARE(report.shown, (QList<QStringList>{{"https://a.example/x: not checked"}, {}}));
    QCOMPARE(report.lines({"first", "second"}), QStringList{"first: the link https://a.example/x is not checked."});
    QVERIFY(report.brokenLines({"Row 2", "Row 3"}).isEmpty());
}

#include "tst_sheet.moc"
