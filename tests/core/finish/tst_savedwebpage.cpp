#include "SavedWebPage.h"

#include "AppFolder.h"
#include "ConvertedPage.h"
#include "PageFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::page;
using namespace orvanta::finish;

/** The saved web page: it works when moved elsewhere, and never writes through a link left in its folder. */
class TestSavedWebPage final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void savedWebPageWorksElsewhere();
    void webPageNeverWritesThroughALink_data();
    void webPageNeverWritesThroughALink();
    void webPageCarriesItsOwnChannel_data();
    void webPageCarriesItsOwnChannel();

private:
    /** A page named "linked", built without the converter. */
    static BuiltPage pageToSave(const TestAppFolder& app);
    BuiltPage convert(const QString& review) { return convertedPage(m_app, review); }
    TestAppFolder m_app;
};

void TestSavedWebPage::initTestCase()
{
    const QString missing = missingPdfTool();
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    QVERIFY(m_app.isValid());
}

// A copy of the saved folder moved elsewhere still shows both images: its PDF holds as many pictures as Create's.
void TestSavedWebPage::savedWebPageWorksElsewhere()
{
    const BuiltPage page = convert("Review for the web page.");
    QVERIFY(!page.pdfPath.isEmpty());
    const Result<QString> saved = saveWebPage(m_app.path(), page, AppFolder::outputFolder(m_app.path()));
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    QCOMPARE(saved.value(), m_app.file("bin/output/fit-check"));
    const QString index = bytesOf(saved.value() + "/index.html");
    QVERIFY(!index.contains(m_app.path()));
    QVERIFY(!index.contains("file:///"));

    QTemporaryDir elsewhere;
    const QString moved = elsewhere.filePath("site");
    QVERIFY(QDir().rename(saved.value(), moved));
    QVERIFY(!QFileInfo(moved + "/assets").isSymLink());
    const QString pdf = elsewhere.filePath("moved.pdf");
    QVERIFY(render(m_app.path(), moved + "/index.html", pdf));
    const auto imagesIn = [](const QString& file) {
        const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", file}));
        return list.split('\n').filter(QRegularExpression("^\\s*\\d+\\s+\\d+\\s+image")).size();
    };
    QVERIFY(imagesIn(page.pdfPath) >= 2);
    QCOMPARE(imagesIn(pdf), imagesIn(page.pdfPath));
}

void TestSavedWebPage::webPageNeverWritesThroughALink_data()
{
    // Relative to the saved folder ("" is the folder itself), or to bin/assets, whose scripts are published with the
    // page. Folders link to a folder, files to a file, both outside the application folder.
    QTest::addColumn<bool>("inAssets");
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("no link: saved") << false << QString() << false;
    QTest::newRow("the page's folder") << false << "" << true;
    QTest::newRow("index.html") << false << "index.html" << false;
    QTest::newRow("a picture") << false << "salespage.gif" << false;
    QTest::newRow("assets") << false << "assets" << true;
    QTest::newRow("a folder in assets") << false << "assets/js" << true;
    QTest::newRow("a script in assets") << false << "assets/js/stylish-portfolio.js" << false;
    QTest::newRow("a file, in bin/assets") << true << "notes.txt" << false;
    QTest::newRow("a folder, in bin/assets/js") << true << "js/private" << true;
}

// The folder is uploaded as it is; a link in it, or among the scripts published with it, left by anyone, must neither
// carry the page's files elsewhere nor publish what it points to.
void TestSavedWebPage::webPageNeverWritesThroughALink()
{
    QFETCH(bool, inAssets);
    QFETCH(QString, link);
    QFETCH(bool, isFolder);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = pageToSave(app);
    QVERIFY(!page.htmlPath.isEmpty());
    const QString folder = app.file("bin/output/linked");
    const QString base = inAssets ? AppFolder::assetsFolder(app.path()) : folder;
    const QString at = link.isEmpty() ? base : base + "/" + link;
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(isFolder ? "folder" : "file");
    if (!link.isNull()) {
        writeFile(isFolder ? target + "/key.txt" : target, "the user's own");
        QVERIFY(QDir().mkpath(QFileInfo(at).absolutePath()));
        QVERIFY(QFile::link(target, at));
    }

    const Result<QString> saved = saveWebPage(app.path(), page, AppFolder::outputFolder(app.path()));
    QCOMPARE(saved.ok(), link.isNull());
    if (link.isNull()) {
        QVERIFY(QFileInfo(folder + "/index.html").isFile());
        return;
    }
    QVERIFY2(saved.error().contains(QDir::toNativeSeparators(at)), qPrintable(saved.error()));
    QVERIFY(QFileInfo(at).isSymLink());
    if (isFolder)
        QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"key.txt"});
    QCOMPARE(bytesOf(isFolder ? target + "/key.txt" : target), QByteArray("the user's own"));
    // Refused before the first script is copied: nothing of the link, nor half the scripts.
    if (inAssets)
        QVERIFY(!QFileInfo::exists(folder + "/assets") && !QFileInfo::exists(folder + "/index.html"));
}

void TestSavedWebPage::webPageCarriesItsOwnChannel_data()
{
    QTest::addColumn<QString>("shortLink");
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("absent");
    const QString link = "https://me.example/go/keto";
    QTest::newRow("no short link: the button's link") << QString() << "href=\"" + link + "/p\"" << link + "/w";
    QTest::newRow("the button's channel becomes the web page's") << link << "href=\"" + link + "/w\""
                                                                 << "href=\"" + link + "/p\"";
    QTest::newRow("a longer path is another address") << link << link + "/pro\"" << link + "/wro";
}

// The site's log tells the web page's readers from the PDF's only if each carries its own channel.
void TestSavedWebPage::webPageCarriesItsOwnChannel()
{
    QFETCH(QString, shortLink);
    QFETCH(QString, present);
    QFETCH(QString, absent);
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = catalogueFields(app);
    fields.pdfFileName = "linked";
    fields.ctaUrl = "https://me.example/go/keto/p";
    fields.shortLink = shortLink;
    fields.review = "See <a href=\"https://me.example/go/keto/pro\">the pro plan</a>.";
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    const Result<QString> saved = saveWebPage(app.path(), *built, AppFolder::outputFolder(app.path()));
    QVERIFY2(saved.ok(), qPrintable(saved.error()));
    const QString index = QString::fromUtf8(bytesOf(saved.value() + "/index.html"));
    QVERIFY2(index.contains(present) && !index.contains(absent), qPrintable(index));
}

BuiltPage TestSavedWebPage::pageToSave(const TestAppFolder& app)
{
    PageFields fields = catalogueFields(app);
    fields.pdfFileName = "linked";
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    return built.ok() ? built.value() : BuiltPage();
}

QTEST_GUILESS_MAIN(TestSavedWebPage)
#include "tst_savedwebpage.moc"
