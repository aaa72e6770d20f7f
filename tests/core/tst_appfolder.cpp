#include "AppFolder.h"

#include "OrvantaConfig.h"

#include <QTest>

/** Where the application folder lies decides which advice the start-up warning gives. */
class TestApplicationFolder final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void packagedInstall_data();
    void packagedInstall();
};

void TestApplicationFolder::packagedInstall_data()
{
    const QString installed = QStringLiteral(ORVANTA_PACKAGE_DIR);
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<bool>("packaged");
    QTest::newRow("installed folder") << installed << "" << true;
    QTest::newRow("below it") << installed + "/sub"
                              << "" << true;
    QTest::newRow("a name that only begins alike") << installed + "-old"
                                                   << "" << false;
    QTest::newRow("per-user copy") << "/home/ann/.local/share/orvanta"
                                   << "" << true;
    QTest::newRow("per-user copy in XDG_DATA_HOME") << "/data/ann/orvanta"
                                                    << "/data/ann" << true;
    QTest::newRow("home copy beside XDG_DATA_HOME") << "/home/ann/.local/share/orvanta"
                                                    << "/data/ann" << false;
    QTest::newRow("a build folder") << "/home/ann/src/orvanta/build/orvanta"
                                    << "" << false;
}

void TestApplicationFolder::packagedInstall()
{
    QFETCH(QString, app);
    QFETCH(QString, dataHome);
    QFETCH(bool, packaged);
    const QByteArray home = qgetenv("HOME");
    const QByteArray dataHomeBefore = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", "/home/ann");
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    const bool result = AppFolder::isPackagedInstall(app);
    qputenv("HOME", home);
    qputenv("XDG_DATA_HOME", dataHomeBefore);
    QCOMPARE(result, packaged);
}

QTEST_GUILESS_MAIN(TestApplicationFolder)
#include "tst_appfolder.moc"
