#include "AppFolder.h"

#include "OrvantaConfig.h"

#include <QTest>

using namespace orvanta::files;

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
    const auto row = [](const char* name, const QString& app, const char* dataHome, bool packaged) {
        QTest::newRow(name) << app << QString(dataHome) << packaged;
    };
    row("installed folder", installed, "", true);
    row("below it", installed + "/sub", "", true);
    row("a name that only begins alike", installed + "-old", "", false);
    row("per-user copy", "/home/ann/.local/share/orvanta", "", true);
    row("per-user copy in XDG_DATA_HOME", "/data/ann/orvanta", "/data/ann", true);
    row("home copy beside XDG_DATA_HOME", "/home/ann/.local/share/orvanta", "/data/ann", false);
    row("a build folder", "/home/ann/src/orvanta/build/orvanta", "", false);
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
