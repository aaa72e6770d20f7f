#include "Designs.h"

#include "SavedWebPage.h"

#include "PageFixture.h"
#include "TestAppFolder.h"
#include "TestConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::finish;

Q_DECLARE_METATYPE(Brand)

namespace {
// Every placeholder, each inside a marker the tests can find.
QByteArray wholeTemplate()
{
    QByteArray text = "<html><head></head><body>";
    for (const QString& placeholder : Designs::placeholders())
        text += "<p>" + placeholder.toUtf8() + "</p>";
    return text + "<style>a{color:#BRANDACCENT#}</style>#BRANDLOGO#";
}
} // namespace

/** Which designs can be used and why not, the brand's values and contrast, and what a design puts in a page. */
class TestDesigns final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shippedDesigns();
    void unusableDesign_data();
    void unusableDesign();
    void settingsKeptVerbatim_data();
    void settingsKeptVerbatim();
    void namesInOtherLetterCase();
    void contrastRatio_data();
    void contrastRatio();
    void contrastWarnings_data();
    void contrastWarnings();
    void brandProblem_data();
    void brandProblem();
    void designPage_data();
    void designPage();
    void defaultBrand();
};

// The shipped folder: four designs, each whole, and none reaching the network for what the page shows.
void TestDesigns::shippedDesigns()
{
    const QList<Design> designs = Designs::list(QStringLiteral(ORVANTA_TEST_APP_DIR));
    QStringList names;
    for (const Design& design : designs) {
        names << design.name;
        QVERIFY2(design.usable(), qPrintable(design.problem));
        QVERIFY2(QFileInfo(design.thumbnailPath).isFile(), qPrintable(design.thumbnailPath));
        if (design.isClassic())
            continue;
        const Result<QString> read = Designs::readTemplate(design);
        QVERIFY2(read, qPrintable(read.error()));
        const QString& text = read.value();
        QVERIFY2(!text.contains("http:") && !text.contains("https:") && !text.contains("@import"),
                 qPrintable(design.name));
        QVERIFY2(text.contains(R"(href="#CTAURL#" rel="nofollow sponsored")"), qPrintable(design.name));
        QVERIFY2(text.contains("#DISCLOSURE#"), qPrintable(design.name));
        // The converter's WebKit knows neither; a design using them lays out differently in the PDF.
        QVERIFY2(!text.contains("display: grid") && !text.contains("gap:"), qPrintable(design.name));
        QVERIFY(orvanta::campaign::contrastRatio("#ffffff", design.look.accentColor) >= minimumContrast);
        QVERIFY(orvanta::campaign::contrastRatio(design.look.textColor, design.look.backgroundColor) >=
                minimumContrast);
    }
    QCOMPARE(names, (QStringList{"Classic", "Bold", "Calm", "Compact"}));
}

void TestDesigns::unusableDesign_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    const QByteArray whole = wholeTemplate();
    for (const QString& placeholder : Designs::placeholders()) {
        QByteArray lacking = whole;
        lacking.replace(placeholder.toUtf8(), "x");
        QTest::newRow(qPrintable("lacks " + placeholder))
            << "template.html" << lacking << "lacks the placeholder " + placeholder;
    }
    QTest::newRow("no template") << "page.css" << QByteArray("p{}") << "has no template.html";
    QTest::newRow("Latin-1 template") << "template.html" << whole + "caf\xe9"
                                      << "not UTF-8";
    QTest::newRow("larger than 2 MB") << "big.png" << QByteArray(2 * 1024 * 1024, 'x') << "at most 2 MB";
    QTest::newRow("a link") << "link" << QByteArray() << "is a link";
    QTest::newRow("named like the page scripts") << "assets/x.js" << QByteArray("x") << "named like";
    QTest::newRow("another page") << "other.html" << QByteArray("x") << "named like";
    QTest::newRow("named like Classic's mirrored rules") << "template-rtl.css" << QByteArray("x") << "named like";
    QTest::newRow("a colour that is none") << "design.ini" << QByteArray("accentColor=orange\n") << "no colour";
    QTest::newRow("a font not installed") << "design.ini" << QByteArray("bodyFont=Papyrus\n") << "not installed";
    QTest::newRow("unreadable file") << "chmod" << QByteArray("x") << "cannot be read";
}

// The gallery and Create read one folder: each names the same reason, and a design is never used in part.
void TestDesigns::unusableDesign()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    PageFixture page;
    QVERIFY(page.isValid());
    const TestAppFolder& app = page.app();
    if (file != "template.html" && !says.startsWith("has no"))
        app.write("designs/Mine/template.html", wholeTemplate());
    if (file == "link") {
        QVERIFY(QFile::link("/etc/passwd", app.file("designs/Mine/secret.css")));
    } else if (file == "chmod") {
        const QString path = app.write("designs/Mine/style.css", bytes);
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("permissions do not bind this user (root)");
    } else {
        app.write("designs/Mine/" + file, bytes);
    }
    Design mine;
    for (const Design& design : Designs::list(app.path()))
        if (design.name == "Mine")
            mine = design;
    QCOMPARE(mine.name, QStringLiteral("Mine"));
    QVERIFY2(mine.problem.contains(says), qPrintable(mine.problem));
    QVERIFY(mine.problem.contains("\"Mine\""));
    PageFields fields = page.typicalFields();
    fields.design = "mine";
    const Result<BuiltPage> built = page.build(fields);
    QVERIFY(built.failure().is(BuildFailure::FileError));
    QVERIFY2(built.error().contains(says), qPrintable(built.error()));
}

void TestDesigns::settingsKeptVerbatim_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("title");
    QTest::newRow("commas") << QByteArray("description=Loud, big and red.\n") << "Loud, big and red."
                            << "Mine";
    QTest::newRow("quotes") << QByteArray("description=A \"calm\" page, \"quoted\"\n") << "A \"calm\" page, \"quoted\""
                            << "Mine";
    QTest::newRow("equals and semicolons") << QByteArray("description=a=b; c ; d\ntitle=Mine; too\n") << "a=b; c ; d"
                                           << "Mine; too";
    QTest::newRow("blanks around key and value, CR LF")
        << QByteArray("  description  =   Airy, light.  \r\n\ttitle =\tAiry\r\n") << "Airy, light."
        << "Airy";
    QTest::newRow("[General] section, comments")
        << QByteArray("; a note, with a comma\n[General]\n# another\ndescription=Kept, whole\n") << "Kept, whole"
        << "Mine";
    QTest::newRow("another section is not read")
        << QByteArray("description=Ours, this\n[Other]\ndescription=theirs\ntitle=Theirs\n") << "Ours, this"
        << "Mine";
}

// Whatever a description holds reaches the gallery as it was written.
void TestDesigns::settingsKeptVerbatim()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, description);
    QFETCH(QString, title);
    TestAppFolder app;
    QVERIFY(app.isValid());
    app.write("designs/Mine/template.html", wholeTemplate());
    app.write("designs/Mine/design.ini", "accentColor=#112233\n" + ini);
    const Design mine = Designs::find(app.path(), "Mine");
    QVERIFY2(mine.usable(), qPrintable(mine.problem));
    QCOMPARE(mine.description, description);
    QCOMPARE(mine.title, title);
    QCOMPARE(mine.look.accentColor, QStringLiteral("#112233"));
}

// Two folders whose names differ in letter case are one name to a campaign: neither is taken, each names the other.
void TestDesigns::namesInOtherLetterCase()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    app.write("designs/calm/template.html", wholeTemplate());
    QMap<QString, QString> problems;
    for (const Design& design : Designs::list(app.path()))
        if (design.name.compare("calm", Qt::CaseInsensitive) == 0)
            problems.insert(design.name, design.problem);
    QCOMPARE(problems.keys(), (QStringList{"Calm", "calm"}));
    QVERIFY2(problems["calm"].contains(app.file("designs/Calm") + " only in letter case"),
             qPrintable(problems["calm"]));
    QVERIFY2(problems["Calm"].contains(app.file("designs/calm") + " only in letter case"),
             qPrintable(problems["Calm"]));
    for (const QString& name : QStringList{"calm", "Calm", "CALM"})
        QVERIFY2(!Designs::find(app.path(), name).usable(), qPrintable(name));
}

void TestDesigns::contrastRatio_data()
{
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << "#000000"
                                    << "#FFFFFF" << 21.0;
    QTest::newRow("either way round") << "#ffffff"
                                      << "#000000" << 21.0;
    QTest::newRow("same colour") << "#3a7bd5"
                                 << "#3A7BD5" << 1.0;
    QTest::newRow("grey just below AA") << "#777777"
                                        << "#ffffff" << 4.48;
    QTest::newRow("grey just above AA") << "#767676"
                                        << "#ffffff" << 4.54;
    QTest::newRow("pure red on white") << "#ff0000"
                                       << "#ffffff" << 4.0;
    QTest::newRow("pure green on black") << "#00ff00"
                                         << "#000000" << 15.3;
}

void TestDesigns::contrastRatio()
{
    QFETCH(QString, foreground);
    QFETCH(QString, background);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(orvanta::campaign::contrastRatio(foreground, background) - ratio) < 0.01,
             qPrintable(QString::number(orvanta::campaign::contrastRatio(foreground, background))));
}

void TestDesigns::contrastWarnings_data()
{
    QTest::addColumn<Brand>("brand");
    QTest::addColumn<QStringList>("named");
    QTest::newRow("no brand: the design's own colours are not judged") << Brand() << QStringList();
    QTest::newRow("readable choices") << Brand{"#0b5cad", "#111111", "#ffffff", {}, {}, {}, {}} << QStringList();
    QTest::newRow("pale text on the design's background")
        << Brand{{}, "#bbbbbb", {}, {}, {}, {}, {}} << QStringList{"#bbbbbb on the background colour #eef1f6"};
    QTest::newRow("dark background under the design's text")
        << Brand{{}, {}, "#222222", {}, {}, {}, {}} << QStringList{"#1d2433 on the background colour #222222"};
    QTest::newRow("yellow accent under white button text")
        << Brand{"#ffdd00", {}, {}, {}, {}, {}, {}} << QStringList{"accent colour #ffdd00"};
    QTest::newRow("both pairs") << Brand{"#ffdd00", "#777777", "#ffffff", {}, {}, {}, {}}
                                << QStringList{"#777777 on the background colour #ffffff", "accent colour #ffdd00"};
}

void TestDesigns::contrastWarnings()
{
    QFETCH(Brand, brand);
    QFETCH(QStringList, named);
    const QStringList warnings = orvanta::campaign::contrastWarnings(brand, BrandLook());
    QCOMPARE(warnings.size(), named.size());
    for (int i = 0; i < named.size(); ++i) {
        QVERIFY2(warnings.at(i).contains(named.at(i)), qPrintable(warnings.at(i)));
        QVERIFY2(warnings.at(i).contains("4.5 : 1"), qPrintable(warnings.at(i)));
    }
}

void TestDesigns::brandProblem_data()
{
    QTest::addColumn<Brand>("brand");
    QTest::addColumn<QString>("says");
    QTest::newRow("empty brand") << Brand() << QString();
    QTest::newRow("whole brand") << Brand{"#AbCdEf", "#000000", "#ffffff", "DejaVu Serif", "Liberation Sans", {}, {}}
                                 << QString();
    QTest::newRow("colour by name") << Brand{"red", {}, {}, {}, {}, {}, {}} << "accent colour \"red\" is no colour";
    QTest::newRow("short colour") << Brand{{}, "#fff", {}, {}, {}, {}, {}} << "text colour";
    QTest::newRow("colour ending the rule") << Brand{{}, {}, "#ffffff;}body{", {}, {}, {}, {}} << "background colour";
    QTest::newRow("font not installed") << Brand{{}, {}, {}, "Comic Sans", {}, {}, {}} << "heading font";
    QTest::newRow("font ending the list") << Brand{{}, {}, {}, {}, "DejaVu Sans\"; x", {}, {}} << "body font";
    QTest::newRow("logo that is no picture") << Brand{{}, {}, {}, {}, {}, "/etc/hostname", {}} << "logo";
    QTest::newRow("logo missing") << Brand{{}, {}, {}, {}, {}, "/nowhere/logo.png", {}} << "logo";
}

void TestDesigns::brandProblem()
{
    QFETCH(Brand, brand);
    QFETCH(QString, says);
    const QString problem = orvanta::campaign::brandProblem(brand);
    QCOMPARE(problem.isEmpty(), says.isEmpty());
    QVERIFY2(problem.contains(says), qPrintable(problem));
}

void TestDesigns::designPage_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<bool>("branded");
    QTest::addColumn<bool>("withLogo");
    QTest::addColumn<QStringList>("holds");
    QTest::newRow("Classic with a brand") << "Classic" << true << true
                                          << QStringList{"background-color: #123456", "\"Liberation Serif\"",
                                                         "class=\"brand-logo\" src=\"brand-logo.png\""};
    QTest::newRow("a design of a folder")
        << "Mine" << true << true << QStringList{"a{color:#123456}", "src=\"brand-logo.png\""};
    QTest::newRow("a design without a logo") << "Mine" << true << false << QStringList{"a{color:#123456}"};
    // The page Orvanta always made, byte for byte.
    QTest::newRow("Classic by name, no brand") << "Classic" << false << false << QStringList();
}

// The brand reaches the page, its logo and the design's files lie beside it, and the web page carries them.
void TestDesigns::designPage()
{
    QFETCH(QString, design);
    QFETCH(bool, branded);
    QFETCH(bool, withLogo);
    QFETCH(QStringList, holds);
    PageFixture page;
    QVERIFY(page.isValid());
    page.app().write("designs/Mine/template.html", wholeTemplate());
    page.app().write("designs/Mine/fonts/look.css", "p{}");
    PageFields fields = page.typicalFields();
    fields.design = design;
    if (branded) {
        fields.brand.accentColor = "#123456";
        fields.brand.headingFont = "Liberation Serif";
    }
    if (withLogo)
        fields.brand.logoPath = page.picture("own.png");
    const Result<BuiltPage> built = page.build(fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    if (!branded) {
        // The test template holds no style of its own: any here is the brand's, added for no brand.
        QVERIFY(!built->filledText.contains("<style"));
        const Result<BuiltPage> unnamed = page.build(page.typicalFields());
        QCOMPARE(built->filledText, unnamed->filledText);
        QCOMPARE(built->imageNames, unnamed->imageNames);
    }
    for (const QString& text : holds)
        QVERIFY2(built->filledText.contains(text), qPrintable(text));
    QVERIFY(!built->filledText.contains("#BRAND"));
    QCOMPARE(built->imageNames.contains("brand-logo.png"), withLogo);
    const bool ownFiles = design == "Mine";
    QCOMPARE(built->assetNames, ownFiles ? QStringList{"fonts/look.css"} : QStringList());
    QCOMPARE(QFileInfo::exists(page.bin("fonts/look.css")), ownFiles);
    if (withLogo)
        QCOMPARE(bytesOf(page.bin("brand-logo.png")), bytesOf(page.picture("own.png")));
    // The saved web page must show the same: the design's files and the logo travel with it.
    QTemporaryDir web;
    const Result<QString> saved = saveWebPage(page.app().path(), built.value(), web.path());
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    QCOMPARE(QFileInfo::exists(saved.value() + "/fonts/look.css"), ownFiles);
    QCOMPARE(QFileInfo::exists(saved.value() + "/brand-logo.png"), withLogo);
}

void TestDesigns::defaultBrand()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/default-brand.json");
    QCOMPARE(readDefaultBrand(path), Brand());
    const Brand brand{"#0b5cad", "#111111", "#ffffff", "DejaVu Serif", "DejaVu Sans", {}, {}};
    QCOMPARE(writeDefaultBrand(path, brand).error(), QString());
    QCOMPARE(readDefaultBrand(path), brand);
    // A value edited by hand into something that is no colour never reaches a new campaign.
    writeFile(path, R"({"accentColor": "#12;}"})");
    QCOMPARE(readDefaultBrand(path), Brand());
}

QTEST_GUILESS_MAIN(TestDesigns)
#include "tst_designs.moc"
