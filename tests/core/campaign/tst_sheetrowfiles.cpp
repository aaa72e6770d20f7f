#include "SheetRowFiles.h"

#include "Translations.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;

/** A sheet's rows saved as campaign files: their names, and which rows are written over what stands there. */
class TestSheetRowFiles final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // German: a row's file is named alike in every language of the window.
    void initTestCase() { QCOMPARE(Translations::install({QStringLiteral("de-DE")}), QStringLiteral("de")); }
    void fileName_data();
    void fileName();
    void save_data();
    void save();
};

void TestSheetRowFiles::fileName_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::newRow("the sheet's name and the row") << "/data/offers.csv" << 4 << "offers row 4.orvanta";
    QTest::newRow("only the last suffix goes") << "spring.v2.csv" << 12 << "spring.v2 row 12.orvanta";
}

void TestSheetRowFiles::fileName()
{
    QFETCH(QString, sheet);
    QFETCH(int, row);
    QFETCH(QString, name);
    QCOMPARE(SheetRowFiles::fileName(sheet, row), name);
}

void TestSheetRowFiles::save_data()
{
    QTest::addColumn<bool>("readWhole");
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("titleAfter");
    QTest::newRow("read whole: written") << true << false << true << "new";
    QTest::newRow("read whole over an old file: replaced") << true << true << true << "new";
    QTest::newRow("not read whole: not written, the old file kept") << false << true << false << "old";
}

void TestSheetRowFiles::save()
{
    QFETCH(bool, readWhole);
    QFETCH(bool, oldFile);
    QFETCH(bool, written);
    QFETCH(QString, titleAfter);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString sheetPath = QStringLiteral("/sheets/offers.csv");
    const QString path = QDir(folder.path()).filePath(QStringLiteral("offers row 2.orvanta"));
    if (oldFile) {
        Campaign old;
        old.mainTitle = QStringLiteral("old");
        QVERIFY(CampaignFile::write(path, old).ok());
    }
    Sheet sheet;
    SheetRow row;
    row.number = 2;
    row.campaign.mainTitle = QStringLiteral("new");
    row.problem = readWhole ? QString() : QStringLiteral("The row has 3 cells, the header 2.");
    sheet.rows << row;

    // Asked before the save: a row that is not written replaces nothing.
    const bool replaces = readWhole && oldFile;
    QCOMPARE(SheetRowFiles::replaced(sheet, sheetPath, folder.path()),
             replaces ? QStringList{QStringLiteral("offers row 2.orvanta")} : QStringList());
    const std::vector<SavedRow> saved = SheetRowFiles::save(sheet, sheetPath, folder.path());
    QCOMPARE(saved.size(), size_t(1));
    QCOMPARE(saved.front().number, 2);
    QCOMPARE(saved.front().path, path);
    QCOMPARE(saved.front().written.ok(), written);
    QCOMPARE(saved.front().written.error(), row.problem);
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(path);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->campaign.mainTitle, titleAfter);
}

QTEST_GUILESS_MAIN(TestSheetRowFiles)
#include "tst_sheetrowfiles.moc"
