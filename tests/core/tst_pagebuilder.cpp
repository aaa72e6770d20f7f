#include "PageBuilder.h"

#include "TestAppFolder.h"
#include "TestConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// The test template wraps each placeholder in [slot]...[/slot].
QString slot(const QString& filled, const QString& name)
{
    const QString open = '[' + name + ']';
    const qsizetype start = filled.indexOf(open) + open.size();
    return filled.mid(start, filled.indexOf("[/" + name + ']', start) - start);
}

void assign(PageFields& fields, const QString& name, const QString& value)
{
    static const QHash<QString, QString PageFields::*> members{
        {"mainTitle", &PageFields::mainTitle},       {"review", &PageFields::review},
        {"bonusHeadline", &PageFields::bonusHeadline}, {"ctaTitle", &PageFields::ctaTitle},
        {"ctaText", &PageFields::ctaText},           {"ctaUrl", &PageFields::ctaUrl},
        {"bonusInstructions", &PageFields::bonusInstructions},
    };
    QVERIFY2(members.contains(name), qPrintable(name));
    fields.*members.value(name) = value;
}
} // namespace

/** BuildPage: image copies, the filled template, page and PDF names, and every way it can fail. */
class TestPageBuilder final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fillsPlaceholders_data();
    void fillsPlaceholders();
    void pageNames_data();
    void pageNames();
    void bonusImage_data();
    void bonusImage();
    void sameFileNameForBothImages();
    void unreadableAffiliateImage();
    void missingBonusImage_data();
    void missingBonusImage();
    void namesTheFailingFile();
    void readOnlyBinFolder();
    void imageChosenFromBin();

private:
    PageFields typicalFields() const;
    QString bin(const QString& name) const { return m_app->file("bin/" + name); }

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<QTemporaryDir> m_pictures;
};

void TestPageBuilder::init()
{
    m_app = std::make_unique<TestAppFolder>();
    m_pictures = std::make_unique<QTemporaryDir>();
    QVERIFY(m_app->isValid() && m_pictures->isValid());
    QFile::remove(bin("template.html"));
    QVERIFY(QFile::copy(ORVANTA_TEST_DATA_DIR "/placeholders-template.html", bin("template.html")));
    m_app->write("products/AB12/salespage.gif", "cloud AB12");
    m_app->write("products/ZZ9/salespage.gif", "cloud ZZ9");
    writeFile(m_pictures->filePath("cover.png"), "affiliate cover");
    writeFile(m_pictures->filePath("own.png"), "own bonus");
}

PageFields TestPageBuilder::typicalFields() const
{
    PageFields fields;
    fields.mainTitle = "Product XYZ Review";
    fields.affiliateImagePath = m_pictures->filePath("cover.png");
    fields.review = "Great product.";
    fields.bonusHeadline = " Get Your Copy with Our Private Bonus! Take a Look:";
    fields.ownBonusImagePath = m_pictures->filePath("own.png");
    fields.rawProductId = "AB12\r\n";
    fields.ctaTitle = "Yes, Get Your Copy";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy";
    fields.pdfFileName = "guide";
    return fields;
}

void TestPageBuilder::fillsPlaceholders_data()
{
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("slotName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("title verbatim") << QVariantMap{{"mainTitle", "Caf\u00e9 <b>&</b> \"1\""}} << "title"
                                    << "Caf\u00e9 <b>&</b> \"1\"";
    QTest::newRow("title in both places") << QVariantMap{{"mainTitle", "Twice"}} << "titleAgain" << "Twice";
    QTest::newRow("empty value") << QVariantMap{{"mainTitle", ""}} << "title" << "";
    QTest::newRow("review CR LF becomes <br>") << QVariantMap{{"review", "one\r\ntwo\r\n"}} << "review"
                                               << "one<br>two<br>";
    QTest::newRow("review lone LF stays") << QVariantMap{{"review", "one\ntwo"}} << "review" << "one\ntwo";
    QTest::newRow("review lone CR stays") << QVariantMap{{"review", "one\rtwo"}} << "review" << "one\rtwo";
    QTest::newRow("review LF CR stays") << QVariantMap{{"review", "one\n\rtwo"}} << "review" << "one\n\rtwo";
    QTest::newRow("review CR CR LF") << QVariantMap{{"review", "one\r\r\ntwo"}} << "review" << "one\r<br>two";
    QTest::newRow("review tags verbatim") << QVariantMap{{"review", "<b>bold</b> & <u>x</u>"}} << "review"
                                          << "<b>bold</b> & <u>x</u>";
    QTest::newRow("instructions keep CR LF") << QVariantMap{{"bonusInstructions", "a\r\nb"}} << "instructions"
                                             << "a\r\nb";
    QTest::newRow("headline keeps its leading blank") << QVariantMap{} << "headline"
                                                      << " Get Your Copy with Our Private Bonus! Take a Look:";
    QTest::newRow("cta texts verbatim") << QVariantMap{{"ctaText", "Buy & <save>"}} << "ctaText" << "Buy & <save>";
    QTest::newRow("affiliate image by file name") << QVariantMap{} << "affiliate" << "cover.png";
    QTest::newRow("title holding a later placeholder")
        << QVariantMap{{"mainTitle", "#CTAURL#"}, {"ctaUrl", "http://x"}} << "title" << "http://x";
    QTest::newRow("review holding a later placeholder")
        << QVariantMap{{"review", "see #BONUSINSTRUCTIONS#"}, {"bonusInstructions", "mail us"}} << "review"
        << "see mail us";
    QTest::newRow("url holding an earlier placeholder") << QVariantMap{{"ctaUrl", "#OPENINGTITLE#"}} << "ctaUrl"
                                                        << "#OPENINGTITLE#";
    QTest::newRow("instructions holding an earlier placeholder")
        << QVariantMap{{"bonusInstructions", "#REVIEW#"}} << "instructions" << "#REVIEW#";
    QTest::newRow("value holding its own placeholder") << QVariantMap{{"ctaTitle", "#CTATITLE#"}} << "ctaTitle"
                                                       << "#CTATITLE#";
}

void TestPageBuilder::fillsPlaceholders()
{
    QFETCH(QVariantMap, values);
    QFETCH(QString, slotName);
    QFETCH(QString, expected);
    PageFields fields = typicalFields();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        assign(fields, it.key(), it.value().toString());

    const BuildResult result = BuildPage(m_app->path(), fields);
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(slot(result.page.filledText, slotName), expected);
}

void TestPageBuilder::pageNames_data()
{
    QTest::addColumn<QString>("pdfFileName");
    QTest::addColumn<QString>("pageName");
    QTest::addColumn<QString>("htmlName");
    QTest::addColumn<QString>("pdfName");
    QTest::newRow("blanks become dashes") << "My first guide" << "My-first-guide" << "My-first-guide.html"
                                          << "My-first-guide.pdf";
    QTest::newRow("only blanks") << "  " << "--" << "--.html" << "--.pdf";
    QTest::newRow("template") << "template" << "template" << "etemplate.html" << "template.pdf";
    QTest::newRow("Template") << "Template" << "Template" << "eTemplate.html" << "Template.pdf";
    QTest::newRow("TEMPLATE") << "TEMPLATE" << "TEMPLATE" << "eTEMPLATE.html" << "TEMPLATE.pdf";
    QTest::newRow("templates") << "templates" << "templates" << "templates.html" << "templates.pdf";
    QTest::newRow("my template") << "my template" << "my-template" << "my-template.html" << "my-template.pdf";
    QTest::newRow("ends in .html") << "template.html" << "template.html" << "template.html.html"
                                   << "template.html.pdf";
}

void TestPageBuilder::pageNames()
{
    QFETCH(QString, pdfFileName);
    QFETCH(QString, pageName);
    QFETCH(QString, htmlName);
    QFETCH(QString, pdfName);
    PageFields fields = typicalFields();
    fields.pdfFileName = pdfFileName;
    const BuildResult result = BuildPage(m_app->path(), fields);
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(result.page.pageName, pageName);
    QCOMPARE(result.page.htmlPath, bin(htmlName));
    QCOMPARE(result.page.pdfPath, bin("output/" + pdfName));
}

void TestPageBuilder::bonusImage_data()
{
    QTest::addColumn<bool>("ownBonus");
    QTest::addColumn<QString>("rawId");
    QTest::addColumn<QString>("imageName");
    QTest::addColumn<QByteArray>("imageBytes");
    QTest::newRow("cloud") << false << "ZZ9" << "salespage.gif" << QByteArray("cloud ZZ9");
    QTest::newRow("cloud, identifier with CR LF") << false << "AB12\r\n" << "salespage.gif" << QByteArray("cloud AB12");
    QTest::newRow("cloud, identifier with lone CR") << false << "AB\r12" << "salespage.gif" << QByteArray("cloud AB12");
    QTest::newRow("own bonus ignores the identifier") << true << "AB12" << "own.png" << QByteArray("own bonus");
    QTest::newRow("own bonus, no identifier") << true << "" << "own.png" << QByteArray("own bonus");
}

void TestPageBuilder::bonusImage()
{
    QFETCH(bool, ownBonus);
    QFETCH(QString, rawId);
    QFETCH(QString, imageName);
    QFETCH(QByteArray, imageBytes);
    PageFields fields = typicalFields();
    fields.ownBonus = ownBonus;
    fields.rawProductId = rawId;
    const BuildResult result = BuildPage(m_app->path(), fields);
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(slot(result.page.filledText, "bonus"), imageName);
    QCOMPARE(readAll(bin(imageName)), imageBytes);
    QCOMPARE(readAll(bin("cover.png")), QByteArray("affiliate cover"));
    QCOMPARE(QFile::exists(bin("salespage.gif")), !ownBonus);
}

void TestPageBuilder::sameFileNameForBothImages()
{
    PageFields fields = typicalFields();
    fields.affiliateImagePath = writeFile(m_pictures->filePath("a/cover.png"), "affiliate");
    fields.ownBonusImagePath = writeFile(m_pictures->filePath("b/cover.png"), "bonus");
    fields.ownBonus = true;
    const BuildResult result = BuildPage(m_app->path(), fields);
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(readAll(bin("cover.png")), QByteArray("bonus"));
    QCOMPARE(slot(result.page.filledText, "affiliate"), "cover.png");
    QCOMPARE(slot(result.page.filledText, "bonus"), "cover.png");
}

void TestPageBuilder::unreadableAffiliateImage()
{
    QVERIFY(QDir(m_pictures->path()).mkdir("folder.png"));
    for (const QString& image : {m_pictures->filePath("missing.png"), m_pictures->filePath("folder.png")}) {
        const QStringList before = m_app->snapshot();
        PageFields fields = typicalFields();
        fields.affiliateImagePath = image;
        const BuildResult result = BuildPage(m_app->path(), fields);
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(image), qPrintable(result.error));
        QVERIFY(result.page.htmlPath.isEmpty());
        QCOMPARE(m_app->snapshot(), before);
    }
}

void TestPageBuilder::missingBonusImage_data()
{
    QTest::addColumn<bool>("ownBonus");
    QTest::addColumn<QString>("rawId");
    QTest::addColumn<QString>("ownImage");
    QTest::newRow("cloud product without sales page") << false << "NOPE" << "";
    QTest::newRow("cloud sales page is a folder") << false << "DIR" << "";
    QTest::newRow("cloud, no identifier") << false << "" << "";
    QTest::newRow("own image missing") << true << "AB12" << "missing.png";
    QTest::newRow("own image not chosen") << true << "AB12" << "";
}

void TestPageBuilder::missingBonusImage()
{
    QFETCH(bool, ownBonus);
    QFETCH(QString, rawId);
    QFETCH(QString, ownImage);
    QVERIFY(QDir().mkpath(m_app->file("products/DIR/salespage.gif")));
    PageFields fields = typicalFields();
    fields.ownBonus = ownBonus;
    fields.rawProductId = rawId;
    fields.ownBonusImagePath = ownImage.isEmpty() ? QString() : m_pictures->filePath(ownImage);
    const BuildResult result = BuildPage(m_app->path(), fields);
    QCOMPARE(result.status, BuildResult::Status::BonusImageMissing);
    QVERIFY(result.page.htmlPath.isEmpty());
    QCOMPARE(readAll(bin("cover.png")), QByteArray("affiliate cover"));
    QVERIFY(!QFile::exists(bin("salespage.gif")));
}

void TestPageBuilder::namesTheFailingFile()
{
    // Each step in the order BuildPage takes them: affiliate copy, bonus copy, template.
    {
        QVERIFY(QDir().mkdir(bin("cover.png")));
        const BuildResult result = BuildPage(m_app->path(), typicalFields());
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(bin("cover.png")), qPrintable(result.error));
        QVERIFY(QFileInfo(bin("cover.png")).isDir());
        QVERIFY(QDir().rmdir(bin("cover.png")));
    }
    {
        QVERIFY(QDir().mkdir(bin("salespage.gif")));
        const BuildResult result = BuildPage(m_app->path(), typicalFields());
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(bin("salespage.gif")), qPrintable(result.error));
        QVERIFY(QDir().rmdir(bin("salespage.gif")));
    }
    {
        QVERIFY(QFile::remove(bin("template.html")));
        const BuildResult result = BuildPage(m_app->path(), typicalFields());
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(bin("template.html")), qPrintable(result.error));
        QVERIFY(result.page.htmlPath.isEmpty());
    }
}

void TestPageBuilder::readOnlyBinFolder()
{
    const QString binFolder = m_app->file("bin");
    const QFile::Permissions writable = QFile::permissions(binFolder);
    QVERIFY(QFile::setPermissions(binFolder, QFile::ReadOwner | QFile::ExeOwner));
    const bool stillWritable = QFileInfo(binFolder).isWritable();
    BuildResult result;
    if (!stillWritable)
        result = BuildPage(m_app->path(), typicalFields());
    QFile::setPermissions(binFolder, writable);
    if (stillWritable)
        QSKIP("permissions do not bind this user (root)");
    QCOMPARE(result.status, BuildResult::Status::FileError);
    QVERIFY2(result.error.contains(bin("cover.png")), qPrintable(result.error));
}

void TestPageBuilder::imageChosenFromBin()
{
    // Copying a file onto itself would truncate it; both images here already lie in bin.
    m_app->write("bin/inbin.png", "already here");
    PageFields fields = typicalFields();
    fields.affiliateImagePath = m_app->file("bin/./inbin.png");
    fields.ownBonusImagePath = m_app->file("bin/../bin/inbin.png");
    fields.ownBonus = true;
    const QStringList before = m_app->snapshot();
    const BuildResult result = BuildPage(m_app->path(), fields);
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(readAll(bin("inbin.png")), QByteArray("already here"));
    QCOMPARE(m_app->snapshot(), before);
}

QTEST_GUILESS_MAIN(TestPageBuilder)
#include "tst_pagebuilder.moc"
