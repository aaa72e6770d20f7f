#include "PageBuilder.h"

#include "PageFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

/** How BuildPage handles files: unreadable sources, blocked targets, the template and images already in bin. */
class TestPageFiles final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void unreadableAffiliateImage();
    void missingBonusImage_data();
    void missingBonusImage();
    void namesTheFailingFile();
    void readOnlyBinFolder();
    void imageChosenFromBin();
    void replacesALinkInsteadOfItsTarget();

private:
    QStringList leftoversInBin() const;

    std::unique_ptr<PageFixture> m_fixture;
};

void TestPageFiles::init()
{
    m_fixture = std::make_unique<PageFixture>();
    QVERIFY(m_fixture->isValid());
}

QStringList TestPageFiles::leftoversInBin() const
{
    return QDir(m_fixture->bin(QString())).entryList({"*.png.*", "*.gif.*"}, QDir::AllEntries | QDir::Hidden);
}

void TestPageFiles::unreadableAffiliateImage()
{
    QVERIFY(QDir(m_fixture->picture(QString())).mkdir("folder.png"));
    for (const QString& image : {m_fixture->picture("missing.png"), m_fixture->picture("folder.png")}) {
        const QStringList before = m_fixture->app().snapshot();
        PageFields fields = m_fixture->typicalFields();
        fields.affiliateImagePath = image;
        const BuildResult result = m_fixture->build(fields);
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(image), qPrintable(result.error));
        QVERIFY(result.page.htmlPath.isEmpty());
        QCOMPARE(m_fixture->app().snapshot(), before);
    }
}

void TestPageFiles::missingBonusImage_data()
{
    QTest::addColumn<bool>("ownBonus");
    QTest::addColumn<QString>("rawId");
    QTest::addColumn<QString>("ownImage");
    QTest::newRow("cloud product without sales page") << false << "NOPE"
                                                      << "";
    QTest::newRow("cloud sales page is a folder") << false << "DIR"
                                                  << "";
    QTest::newRow("cloud, no identifier") << false << ""
                                          << "";
    QTest::newRow("own image missing") << true << "AB12"
                                       << "missing.png";
    QTest::newRow("own image not chosen") << true << "AB12"
                                          << "";
}

void TestPageFiles::missingBonusImage()
{
    QFETCH(bool, ownBonus);
    QFETCH(QString, rawId);
    QFETCH(QString, ownImage);
    QVERIFY(QDir().mkpath(m_fixture->app().file("products/DIR/salespage.gif")));
    PageFields fields = m_fixture->typicalFields();
    fields.ownBonus = ownBonus;
    fields.rawProductId = rawId;
    fields.ownBonusImagePath = ownImage.isEmpty() ? QString() : m_fixture->picture(ownImage);
    const BuildResult result = m_fixture->build(fields);
    QCOMPARE(result.status, BuildResult::Status::BonusImageMissing);
    // The missing file is named without doubled separators, even for an empty identifier.
    QCOMPARE(result.error, QDir::toNativeSeparators(QDir::cleanPath(result.error)));
    QVERIFY(result.page.htmlPath.isEmpty());
    QCOMPARE(bytesOf(m_fixture->bin("cover.png")), QByteArray("affiliate cover"));
    QVERIFY(!QFile::exists(m_fixture->bin("salespage.gif")));
}

void TestPageFiles::namesTheFailingFile()
{
    // In the order BuildPage meets them: affiliate copy, bonus copy, template.
    for (const QString& blocked : {m_fixture->bin("cover.png"), m_fixture->bin("salespage.gif")}) {
        QVERIFY(QDir().mkdir(blocked));
        const BuildResult result = m_fixture->build(m_fixture->typicalFields());
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(blocked), qPrintable(result.error));
        QVERIFY(QFileInfo(blocked).isDir());
        QCOMPARE(leftoversInBin(), QStringList());
        QVERIFY(QDir().rmdir(blocked));
    }
    {
        QVERIFY(QFile::remove(m_fixture->bin("template.html")));
        const BuildResult result = m_fixture->build(m_fixture->typicalFields());
        QCOMPARE(result.status, BuildResult::Status::FileError);
        QVERIFY2(result.error.contains(m_fixture->bin("template.html")), qPrintable(result.error));
        QVERIFY(result.page.htmlPath.isEmpty());
    }
}

void TestPageFiles::readOnlyBinFolder()
{
    const QString binFolder = m_fixture->app().file("bin");
    const QFile::Permissions writable = QFile::permissions(binFolder);
    QVERIFY(QFile::setPermissions(binFolder, QFile::ReadOwner | QFile::ExeOwner));
    const bool stillWritable = QFileInfo(binFolder).isWritable();
    BuildResult result;
    if (!stillWritable)
        result = m_fixture->build(m_fixture->typicalFields());
    QFile::setPermissions(binFolder, writable);
    if (stillWritable)
        QSKIP("permissions do not bind this user (root)");
    QCOMPARE(result.status, BuildResult::Status::FileError);
    QVERIFY2(result.error.contains(m_fixture->bin("cover.png")), qPrintable(result.error));
}

void TestPageFiles::imageChosenFromBin()
{
    // Both images already lie in bin, named differently from how bin is named here.
    m_fixture->app().write("bin/inbin.png", "already here");
    PageFields fields = m_fixture->typicalFields();
    fields.affiliateImagePath = m_fixture->app().file("bin/./inbin.png");
    fields.ownBonusImagePath = m_fixture->app().file("bin/../bin/inbin.png");
    fields.ownBonus = true;
    const QStringList before = m_fixture->app().snapshot();
    const BuildResult result = m_fixture->build(fields);
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(bytesOf(m_fixture->bin("inbin.png")), QByteArray("already here"));
    QCOMPARE(m_fixture->app().snapshot(), before);
}

void TestPageFiles::replacesALinkInsteadOfItsTarget()
{
    const QString outside = writeFile(m_fixture->picture("elsewhere/keep.png"), "keep me");
    QVERIFY(QFile::link(outside, m_fixture->bin("cover.png")));
    const BuildResult result = m_fixture->build(m_fixture->typicalFields());
    QCOMPARE(result.status, BuildResult::Status::Built);
    QCOMPARE(bytesOf(outside), QByteArray("keep me"));
    QVERIFY(!QFileInfo(m_fixture->bin("cover.png")).isSymLink());
    QCOMPARE(bytesOf(m_fixture->bin("cover.png")), QByteArray("affiliate cover"));
}

QTEST_GUILESS_MAIN(TestPageFiles)
#include "tst_pagefiles.moc"
