#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "MainWindow.h"
#include "ProductViewer.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(FaultSetup)

/** The product preview when its image or its page in the temp folder cannot be had. */
class TestPreviewFaults final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void previewFaults_data();
    void previewFaults();
};

void TestPreviewFaults::previewFaults_data()
{
    QTest::addColumn<FaultSetup>("arrange");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("appChanges");
    QTest::newRow("temp folder missing") << FaultSetup([](WindowFixture& f, ImmutableFiles&) {
        return QDir(f.app.file("temp")).removeRecursively();
    })
                                         << "Error: Could not copy the image to \"@APP@/temp/salespage.gif\": "
                                            "No such file or directory."
                                         << QStringList();
    QTest::newRow("preview page missing")
        << FaultSetup([](WindowFixture& f, ImmutableFiles&) { return QFile::remove(f.app.file("temp/index.html")); })
        << "Error: The preview page was not found: @APP@/temp/index.html" << QStringList{"+temp/salespage.gif"};
    QTest::newRow("sales page missing") << FaultSetup([](WindowFixture& f, ImmutableFiles&) {
        return QFile::remove(f.bonusFolder(WindowFixture::BonusRow) + "/salespage.gif");
    }) << "Error: Target file not found.\n@APP@/products/elb2024/salespage.gif"
                                        << QStringList();
}

void TestPreviewFaults::previewFaults()
{
    QFETCH(FaultSetup, arrange);
    QFETCH(QString, message);
    QFETCH(QStringList, appChanges);
    WindowFixture& f = fx();
    ImmutableFiles locks;
    f.window().ShowStep(1);
    f.selectBonus(WindowFixture::BonusRow);
    if (!arrange(f, locks))
        QSKIP("This system cannot set up the fault (no chattr, or a file system without the immutable flag)");
    GuardedRun run(f);

    QTest::mouseClick(f.button("cmdProductPreview"), Qt::LeftButton);
    QPointer<ProductViewer> viewer = f.window().findChild<ProductViewer*>();
    QVERIFY(viewer);
    QCOMPARE(run.messages(), QStringList{expand(f, message)});
    QTest::mouseClick(viewer->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    QTRY_VERIFY(viewer.isNull());
    QVERIFY(f.isIdle() && f.window().isEnabled());
    QCOMPARE(run.appChanges(), sorted(appChanges));
    QCOMPARE(run.outsideChanges(), QStringList());
}

QTEST_MAIN(TestPreviewFaults)
#include "tst_previewfaults.moc"
