#include "StagingFolder.h"

#include "PageFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace orvanta::page;

/** A job's private folder: the page and its images land there, bin stays untouched, nothing stays behind. */
class TestStagingFolder final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildsBesideBinAndLeavesNothing();
    void unwritableTempFolder();
};

void TestStagingFolder::buildsBesideBinAndLeavesNothing()
{
    PageFixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(QDir().mkpath(fixture.bin("assets/js")));
    writeFile(fixture.bin("assets/js/site.js"), "//");
    const QStringList before = fixture.app().snapshot();
    QString folder;
    {
        const StagingFolder staging(fixture.app().path(), QStringLiteral("job"));
        QVERIFY2(staging.isValid(), qPrintable(staging.error()));
        folder = staging.path();
        const Result<BuiltPage> built = BuildPage(fixture.app().path(), fixture.typicalFields(), staging.target());
        QVERIFY2(built.ok(), qPrintable(built.error()));
        QVERIFY(WritePage(built.value()).ok());
        QCOMPARE(QFileInfo(built->htmlPath).absolutePath(), QDir::fromNativeSeparators(folder));
        QCOMPARE(QFileInfo(built->pdfPath).absolutePath(), QDir::fromNativeSeparators(folder));
        QVERIFY(QFileInfo::exists(folder + "/cover.png"));
        QVERIFY(QFileInfo::exists(folder + "/salespage.gif"));
        // The page reaches its scripts by the same relative path as in bin.
        QCOMPARE(bytesOf(folder + "/assets/js/site.js"), QByteArray("//"));
    }
    QVERIFY(!QFileInfo::exists(folder));
    // The scripts behind the link survive the folder's removal; only the temp folder's own time moved.
    const auto withoutTemp = [&](QStringList files) {
        files.removeIf([&](const QString& line) { return line.startsWith(fixture.app().file("temp") + ' '); });
        return files;
    };
    QCOMPARE(withoutTemp(fixture.app().snapshot()), withoutTemp(before));
}

void TestStagingFolder::unwritableTempFolder()
{
    PageFixture fixture;
    QVERIFY(fixture.isValid());
    const QString temp = fixture.app().file("temp");
    QVERIFY(QDir(temp).removeRecursively());
    writeFile(temp, "a file where the folder belongs");
    const StagingFolder staging(fixture.app().path(), QStringLiteral("job"));
    QVERIFY(!staging.isValid());
    QVERIFY2(staging.error().contains(QDir::toNativeSeparators(temp)), qPrintable(staging.error()));
}

QTEST_GUILESS_MAIN(TestStagingFolder)
#include "tst_stagingfolder.moc"
