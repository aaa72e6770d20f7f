#include "SavedWebPage.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "ConvertedPage.h"
#include "FinishStage.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

/** The saved web page: it works when moved elsewhere, and never writes through a link left in its folder. */
class TestSavedWebPage final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void savedWebPageWorksElsewhere();
    void webPageNeverWritesThroughALink_data();
    void webPageNeverWritesThroughALink();
    void webPageCopiesNoLinkFromAssets_data();
    void webPageCopiesNoLinkFromAssets();

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
    // Relative to the saved folder; "" is the folder itself. Folders link to a folder, files to a file.
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("no link: saved") << QString() << false;
    QTest::newRow("the page's folder") << "" << true;
    QTest::newRow("index.html") << "index.html" << false;
    QTest::newRow("a picture") << "salespage.gif" << false;
    QTest::newRow("assets") << "assets" << true;
    QTest::newRow("a folder in assets") << "assets/js" << true;
    QTest::newRow("a script in assets") << "assets/js/stylish-portfolio.js" << false;
}

// The folder is uploaded as it is; a link in it, left by anyone, must not carry the page's files elsewhere.
void TestSavedWebPage::webPageNeverWritesThroughALink()
{
    QFETCH(QString, link);
    QFETCH(bool, isFolder);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = pageToSave(app);
    QVERIFY(!page.htmlPath.isEmpty());
    const QString folder = app.file("bin/output/linked");
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(isFolder ? "folder" : "file");
    if (!link.isNull()) {
        if (isFolder)
            QVERIFY(QDir().mkpath(target));
        else
            writeFile(target, "the user's own");
        const QString at = link.isEmpty() ? folder : folder + "/" + link;
        QVERIFY(QDir().mkpath(QFileInfo(at).absolutePath()));
        QVERIFY(QFile::link(target, at));
    }

    const Result<QString> saved = saveWebPage(app.path(), page, AppFolder::outputFolder(app.path()));
    QCOMPARE(saved.ok(), link.isNull());
    if (link.isNull()) {
        QVERIFY(QFileInfo(folder + "/index.html").isFile());
        return;
    }
    const QString at = QDir::toNativeSeparators(link.isEmpty() ? folder : folder + "/" + link);
    QVERIFY2(saved.error().contains(at), qPrintable(saved.error()));
    QVERIFY(QFileInfo(at).isSymLink());
    if (isFolder)
        QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    else
        QCOMPARE(bytesOf(target), QByteArray("the user's own"));
}

void TestSavedWebPage::webPageCopiesNoLinkFromAssets_data()
{
    // Relative to bin/assets; folders link to a folder, files to a file, both outside the application folder.
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("a file, in assets") << "notes.txt" << false;
    QTest::newRow("a folder, in assets/js") << "js/private" << true;
}

// The scripts are published with the page: a link left among them must not publish what it points to.
void TestSavedWebPage::webPageCopiesNoLinkFromAssets()
{
    QFETCH(QString, link);
    QFETCH(bool, isFolder);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = pageToSave(app);
    QVERIFY(!page.htmlPath.isEmpty());
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("secret");
    if (isFolder)
        writeFile(target + "/key.txt", "the user's own");
    else
        writeFile(target, "the user's own");
    const QString at = AppFolder::assetsFolder(app.path()) + '/' + link;
    QVERIFY(QFile::link(target, at));

    CreateOptions options;
    options.saveWebPage = true;
    FinishExtras extras;
    extras.pdfFinished = true;
    const FinishResult finished = finishPdf(app.path(), page, options, AppFolder::outputFolder(app.path()), extras);
    QVERIFY(!finished.webPage.ok());
    QVERIFY2(finished.webPage.error().contains(QDir::toNativeSeparators(at)), qPrintable(finished.webPage.error()));
    // Refused before the first script is copied: nothing of the link, nor half the scripts.
    QVERIFY(!QFileInfo::exists(app.file("bin/output/linked/assets")));
    QVERIFY(!QFileInfo::exists(app.file("bin/output/linked/index.html")));
}

BuiltPage TestSavedWebPage::pageToSave(const TestAppFolder& app)
{
    const QStringList entries = Catalogue::entries(app.path());
    PageFields fields;
    fields.affiliateImagePath = Catalogue::salesPagePath(
        app.path(), Catalogue::cleanProductId(Catalogue::readProductId(app.path(), entries.at(1))));
    fields.rawProductId = Catalogue::readProductId(app.path(), entries.at(0));
    fields.pdfFileName = "linked";
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    return built.ok() ? built.value() : BuiltPage();
}

QTEST_GUILESS_MAIN(TestSavedWebPage)
#include "tst_savedwebpage.moc"
