#include "PdfSample.h"
#include "Preflight.h"
#include "PreflightPage.h"
#include "TestAppFolder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::preflight;

namespace {
const QString& Link = SampleLink;
const QString& Title = SampleTitle;

QString cleanPage(const QString& extraStyle = {}, const QString& picture = QStringLiteral("alt=\"Cover\""))
{
    return QStringLiteral("<html lang=\"en\"><head><style>html { background: #eef1f6; }\nbody { color: #1d2433; }\n"
                          ".button { background-color: #0b5cad; color: #fff; }\n%1</style></head><body>"
                          "<img src=\"cover.png\" %2><a class=\"button\" href=\"%3\" rel=\"nofollow sponsored\">Buy</a>"
                          "</body></html>")
        .arg(extraStyle, picture, QString(Link).replace("&", "&amp;"));
}

// The failed checks, each once, in the order found.
QStringList failedNames(const PreflightReport& report)
{
    QStringList names;
    for (const PreflightFinding& finding : report.failures)
        if (!names.contains(preflightCheckName(finding.check)))
            names << preflightCheckName(finding.check);
    return names;
}

QString savedPage(const QString& rel, const QString& href = Link)
{
    return QStringLiteral("<a class=\"button\" href=\"%1\" rel=\"%2\">Buy</a>")
        .arg(QString(href).replace("&", "&amp;"), rel);
}
} // namespace

/** Each planted fault of a PDF is found by its own check, and clean PDFs pass every check. */
class TestPreflight final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsEachPlantedFault_data();
    void findsEachPlantedFault();
    void colourPairs_data();
    void colourPairs();
    void sponsoredLinks_data();
    void sponsoredLinks();
};

void TestPreflight::findsEachPlantedFault_data()
{
    QTest::addColumn<Sample>("sample");
    QTest::addColumn<QString>("inputLink");
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<QString>("webPage");
    QTest::addColumn<QStringList>("failed");

    const QString sponsored = savedPage("nofollow sponsored");
    const auto row = [&](const char* name, const Sample& sample, const QStringList& failed) {
        QTest::newRow(name) << sample << Link << cleanPage() << sponsored << failed;
    };
    row("clean", Sample(), {});
    Sample s;
    s.drawnTitle = Title.toUpper();
    s.disclosure = QStringList{"Disclosure: we may earn a", "commission if you buy through this link."};
    row("clean: title in capitals, disclosure wrapped over two lines", s, {});
    s = Sample();
    s.tags = Sample::Tags::Described;
    row("clean: tagged, its figure described", s, {});
    s = Sample();
    s.picture = QSize(2000, 1000);
    s.pictureWidthPt = 595;
    row("clean: a large picture shown large", s, {});
    s.inlinePictureFirst = true;
    row("clean: a large picture shown large after an inline picture", s, {});
    s = Sample();
    s.linkUri = "https://example.com/buy/?utm_source=orvanta&utm_campaign=spring";
    row("clean: the PDF's link with a closing slash", s, {});
    s.linkUri = "HTTPS://example.com/buy?utm_source=orvanta&utm_campaign=spring";
    row("clean: the PDF's link with its scheme in capitals", s, {});
    s.linkUri = "https://example.com/%7Ebuy?utm_source=orvanta&utm_campaign=spring";
    const QString tilde = "https://example.com/~buy?utm_source=orvanta&utm_campaign=spring";
    QTest::newRow("clean: the PDF's link with ~ escaped")
        << s << tilde << cleanPage() << savedPage("nofollow sponsored", tilde) << QStringList();
    s = Sample();
    s.picture = QSize(600, 400);
    s.pictureWidthPt = 40;
    row("clean: a small picture shown small", s, {});
    s = Sample();
    s.font = Sample::FontFile::Cff;
    row("clean: a font embedded as CFF", s, {});
    s = Sample();
    s.underTitle = "0.04 0.16 0.35 rg 0 760 595 60 re f";
    s.titleStyle = "1 1 1 rg";
    row("clean: a white title on a dark band", s, {});
    s = Sample();
    s.titleSize = 1;
    row("main title in 1 pt letters", s, {"Main title"});
    s = Sample();
    s.titleStyle = "1 1 1 rg";
    row("main title white on white", s, {"Main title"});
    s.titleStyle = "/DeviceRGB cs 0.97 0.97 0.97 scn";
    row("main title near white through a colour space", s, {"Main title"});
    s.titleStyle = "3 Tr";
    row("main title drawn invisible", s, {"Main title"});
    s = Sample();
    s.titleX = -2000;
    row("main title off the page", s, {"Main title"});
    s = Sample();
    s.underTitle = "0 0 1 1 re W n";
    row("main title clipped away", s, {"Main title"});
    s = Sample();
    s.disclosureStyle = "/Faded gs";
    row("disclosure faded out", s, {"Disclosure"});
    s = Sample();
    s.linkRect = QRectF(72, 550, 1, 1);
    row("buy link on a 1 pt dot", s, {"Links"});
    s.linkRect = QRectF(72, 550, 148, 1);
    row("buy link on a line 1 pt high", s, {"Links"});
    s.linkRect = QRectF(-500, 550, 148, 35);
    row("buy link off the page", s, {"Links"});
    s = Sample();
    s.linkAction = false;
    row("dead link annotation", s, {"Links"});
    s = Sample();
    s.linkUri = "https://example.com/buy";
    row("link lost its tracking tags", s, {"Links"});
    s = Sample();
    s.linkUri = "ftp://example.com/buy";
    QTest::newRow("buy link is no web address")
        << s << s.linkUri << cleanPage() << savedPage("nofollow sponsored", s.linkUri) << QStringList{"Buy button"};
    s = Sample();
    s.drawnTitle = "Cookbook";
    row("main title not in the text", s, {"Main title"});
    s = Sample();
    s.font = Sample::FontFile::None;
    row("unembedded font", s, {"Fonts"});
    s = Sample();
    s.infoTitle.clear();
    row("missing title", s, {"Title and language"});
    s = Sample();
    s.language.clear();
    row("missing language", s, {"Title and language"});
    s = Sample();
    s.paddingBytes = 1200 * 1024;
    row("over the size budget", s, {"Size"});
    s = Sample();
    s.picture = QSize(4000, 100);
    row("oversized picture", s, {"Pictures"});
    s.pictureInForm = true;
    row("oversized picture drawn through a form", s, {"Pictures"});
    s = Sample();
    s.disclosure.clear();
    row("missing disclosure", s, {"Disclosure"});
    s = Sample();
    s.disclosureY = 500;
    row("disclosure after the buy button", s, {"Disclosure"});
    s.boxBottom = 150;
    row("disclosure after the buy button on a page whose box starts above 0", s, {"Disclosure"});
    s = Sample();
    s.boxBottom = 150;
    row("clean: a page whose box starts above 0, as a fitted one", s, {});
    QTest::newRow("saved page link not marked sponsored")
        << Sample() << Link << cleanPage() << savedPage("nofollow") << QStringList{"Sponsored links"};
    QTest::newRow("low contrast button") << Sample() << Link << cleanPage(".button { background: #ff7a00; }")
                                         << sponsored << QStringList{"Contrast"};
    QTest::newRow("picture without description")
        << Sample() << Link << cleanPage({}, "alt=\"\"") << sponsored << QStringList{"Picture descriptions"};
    s = Sample();
    s.tags = Sample::Tags::Undescribed;
    row("tagged figure without description", s, {"Picture descriptions"});
}

void TestPreflight::findsEachPlantedFault()
{
    QFETCH(Sample, sample);
    QFETCH(QString, inputLink);
    QFETCH(QString, pageText);
    QFETCH(QString, webPage);
    QFETCH(QStringList, failed);
    QVERIFY(QFile::exists(SampleFontFile));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sample.pdf");
    writeSample(sample, pdf);
    const QByteArray before = bytesOf(pdf);
    PreflightInput input;
    input.links = QStringList{inputLink};
    input.mainTitle = Title;
    input.pageText = pageText;
    input.webPageFolder = writeFile(dir.filePath("web/index.html"), webPage.toUtf8()).section('/', 0, -2);
    const PreflightReport report = preflight(pdf, input);
    QCOMPARE(failedNames(report), failed);
    QCOMPARE(report.lines().size(), failed.size());
    QCOMPARE(report.checksRun, 12);
    QVERIFY2(report.summary().startsWith(failed.isEmpty() ? "Preflight: all 12 checks passed."
                                                          : "Preflight: 1 check failed; the PDF is kept as made.\n"),
             qPrintable(report.summary()));
    QVERIFY2(!report.summary().contains("(s)"), qPrintable(report.summary()));
    // The preflight reports; the PDF stays as made.
    QCOMPARE(bytesOf(pdf), before);
}

void TestPreflight::colourPairs_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QStringList>("weak");

    QTest::newRow("white on orange in one rule")
        << ".button { background-color: #ff7a00; color: #ffffff; }" << QStringList{".button"};
    QTest::newRow("short hex and a colour word") << ".tag { background: white; color: #aaa; }" << QStringList{".tag"};
    QTest::newRow("a later rule of the same selector wins")
        << ".button { background: #ff7a00; color: #fff; }\n.button, .kicker { background-color: #0b5cad; }"
        << QStringList();
    QTest::newRow("body text on the html background")
        << "html { background: #ffffff; } body { color: #999999; }" << QStringList{"body"};
    QTest::newRow("inherited colours are not guessed")
        << ".band { background: #000040; } .band h1 { color: #ffffff; }" << QStringList();
    QTest::newRow("a commented-out rule is no rule") << "/* .x { color: #fff; background: #fff; } */" << QStringList();
    QTest::newRow("picture and colour in one background")
        << ".hero { background: #ffffff url(a.png) no-repeat; color: #eeeeee !important; }" << QStringList{".hero"};
}

void TestPreflight::colourPairs()
{
    QFETCH(QString, style);
    QFETCH(QStringList, weak);
    QStringList found;
    for (const ColourPair& pair : weakColourPairs("<html><style>" + style + "</style><body></body></html>"))
        found << pair.selector;
    QCOMPARE(found, weak);
}

void TestPreflight::sponsoredLinks_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("unmarked");

    QTest::newRow("marked, href escaped") << savedPage("nofollow sponsored") << Link << 0;
    QTest::newRow("marked in another order and case") << savedPage("Sponsored  NOFOLLOW") << Link << 0;
    QTest::newRow("nofollow alone") << savedPage("nofollow") << Link << 1;
    QTest::newRow("one of two anchors unmarked") << savedPage("nofollow sponsored") + savedPage("") << Link << 1;
    QTest::newRow("link missing") << savedPage("nofollow sponsored", "https://example.com/other") << Link << 1;
    QTest::newRow("a quote and a blank, percent-encoded as the page holds them")
        << savedPage("nofollow sponsored", "https://example.com/buy?q=a%20b%22c") << "https://example.com/buy?q=a b\"c"
        << 0;
}

void TestPreflight::sponsoredLinks()
{
    QFETCH(QString, html);
    QFETCH(QString, link);
    QFETCH(int, unmarked);
    QCOMPARE(unmarkedLinks(html, {link}).size(), unmarked);
}

QTEST_GUILESS_MAIN(TestPreflight)
#include "tst_preflight.moc"
