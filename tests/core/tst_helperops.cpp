#include "HelperOps.h"

#include <QTest>

class TestHelperOps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileNameOf_data();
    void fileNameOf();
};

void TestHelperOps::fileNameOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << "/home/a/cover.png" << "cover.png";
    QTest::newRow("backslash") << "C:\\pics\\cover.png" << "cover.png";
    QTest::newRow("bare") << "cover.png" << "cover.png";
    QTest::newRow("trailing separator") << "/home/a/" << "";
}

void TestHelperOps::fileNameOf()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(vFile::FileNameOf(path), name);
}

QTEST_GUILESS_MAIN(TestHelperOps)
#include "tst_helperops.moc"
