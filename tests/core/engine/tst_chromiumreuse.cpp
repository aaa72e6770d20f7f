#include "AppFolder.h"
#include "ChromiumBrowser.h"
#include "PdfEngine.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::engine;

/** One browser for every job's page the engines read, started again only for a page of another folder. */
class TestChromiumReuse final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void jobsShareTheBrowser_data();
    void jobsShareTheBrowser();
};

void TestChromiumReuse::jobsShareTheBrowser_data()
{
    QTest::addColumn<QString>("second"); ///< the next job's folder, in the application folder
    QTest::addColumn<bool>("sameBrowser");
    const QString root = QStringLiteral("temp/.pages %1 root/").arg(QCoreApplication::applicationPid());
    QTest::newRow("another job's copy") << root + ".orvanta 1 second" << true;
    QTest::newRow("a page in bin") << QStringLiteral("bin") << false;
    QTest::newRow("a folder inside a job's copy") << root + ".orvanta 1 first/inner" << false;
}

void TestChromiumReuse::jobsShareTheBrowser()
{
    QFETCH(QString, second);
    QFETCH(bool, sameBrowser);
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QString first = QDir(AppFolder::engineCopiesFolder(app.path())).filePath(".orvanta 1 first");
    for (const QString& folder : {first, app.file(second)})
        QVERIFY(QDir().mkpath(folder));
    ChromiumBrowser& browser = ChromiumBrowser::instance();
    QCOMPARE(browser.ensureRunning(app.path(), first).error(), QString());
    const qint64 started = browser.processId();
    QCOMPARE(browser.ensureRunning(app.path(), app.file(second)).error(), QString());
    QCOMPARE(browser.processId() == started, sameBrowser);
    browser.stop();
}

QTEST_GUILESS_MAIN(TestChromiumReuse)
#include "tst_chromiumreuse.moc"
