#include "Campaign.h"
#include "Designs.h"
#include "SheetReader.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::campaign;
using namespace orvanta::page;

/** Each file the program reads whole stops at its limit, and says how large it was in words a reader can check. */
class TestSizeLimits final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizeAtTheLimit_data();
    void sizeAtTheLimit();
};

void TestSizeLimits::sizeAtTheLimit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("says");
    const qint64 mb = 1024 * 1024;
    QTest::newRow("campaign at the limit") << "campaign" << 16 * mb << "";
    QTest::newRow("campaign a byte over")
        << "campaign" << 16 * mb + 1 << "(16,777,217 bytes; a campaign holds at most 16 MB)";
    QTest::newRow("campaign far over") << "campaign" << 50 * mb + 12345 << "(50 MB; a campaign holds at most 16 MB)";
    QTest::newRow("sheet at the limit") << "sheet" << 8 * mb << "";
    QTest::newRow("sheet a byte over") << "sheet" << 8 * mb + 1 << "(8,388,609 bytes; a sheet holds at most 8 MB)";
    QTest::newRow("sheet half a MB over") << "sheet" << 8 * mb + mb / 2 << "(8.5 MB; a sheet holds at most 8 MB)";
    QTest::newRow("design at the limit") << "design" << 2 * mb << "";
    QTest::newRow("design a byte over") << "design" << 2 * mb + 1
                                        << "it holds 2,097,153 bytes; a design holds at most 2 MB";
    QTest::newRow("design far over") << "design" << 7 * mb << "it holds 7 MB; a design holds at most 2 MB";
}

// A file a byte too large never reads as large as the limit it broke.
void TestSizeLimits::sizeAtTheLimit()
{
    QFETCH(QString, file);
    QFETCH(qint64, bytes);
    QFETCH(QString, says);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(file == "design" ? "app/designs/Big/padding.bin" : "file");
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile padding(path);
    QByteArray page;
    if (file == "design") {
        for (const QString& placeholder : Designs::placeholders())
            page += placeholder.toUtf8();
        writeFile(dir.filePath("app/designs/Big/template.html"), page);
    }
    QVERIFY(padding.open(QIODevice::WriteOnly) && padding.resize(bytes - page.size())); // sparse, quick
    padding.close();
    QString error;
    if (file == "campaign")
        error = CampaignFile::read(path).error();
    else if (file == "sheet")
        error = SheetReader::read(path, Campaign()).error;
    else
        error = Designs::find(dir.filePath("app"), "Big").problem;
    if (says.isEmpty())
        QVERIFY2(!error.contains("at most"), qPrintable(error));
    else
        QVERIFY2(error.contains(says), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestSizeLimits)
#include "tst_sizelimits.moc"
