#include "DesignThumbnails.h"

#include "Campaign.h"
#include "Designs.h"
#include "ScriptedPlatform.h"
#include "TestAppFolder.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace orvanta::campaign;

/** Thumbnails come from the real converter on the user's page, never more than two converters at once. */
class TestDesignThumbnails final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rendersEveryDesign_data();
    void rendersEveryDesign();
};

void TestDesignThumbnails::initTestCase()
{
    if (QStandardPaths::findExecutable("wkhtmltopdf").isEmpty())
        QSKIP("wkhtmltopdf is not installed");
}

void TestDesignThumbnails::rendersEveryDesign_data()
{
    QTest::addColumn<QStringList>("designs");
    QTest::addColumn<int>("ready");
    QTest::newRow("the four shipped") << QStringList{"Classic", "Calm", "Bold", "Compact"} << 4;
    // One gone meanwhile: it says so and the others still come.
    QTest::newRow("one no longer there") << QStringList{"Calm", "Gone", "Bold"} << 2;
}

void TestDesignThumbnails::rendersEveryDesign()
{
    QFETCH(QStringList, designs);
    QFETCH(int, ready);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const Result<CampaignFile::OpenedCampaign> read =
        CampaignFile::read(app.file("campaigns/keto-cookbook.orvanta"), app.path());
    QVERIFY(read.ok());
    ScriptedPlatform platform;
    int running = 0;
    int most = 0;
    platform.onRunStarted = [&] { most = qMax(most, ++running); };
    platform.onRunFinished = [&] { --running; };
    DesignThumbnails thumbnails(platform, app.path(), nullptr);
    QSignalSpy made(&thumbnails, &DesignThumbnails::thumbnailReady);
    QSignalSpy failed(&thumbnails, &DesignThumbnails::thumbnailFailed);
    thumbnails.render(pageFieldsOf(read->campaign), designs, 120);
    QTRY_COMPARE_WITH_TIMEOUT(made.size() + failed.size(), designs.size(), 120000);
    QCOMPARE(made.size(), ready);
    QVERIFY(most <= DesignThumbnails::MaxRunning);
    QVERIFY(most >= 1);
    QStringList names;
    for (const QList<QVariant>& one : made) {
        names << one.at(0).toString();
        const QImage image = one.at(1).value<QImage>();
        QCOMPARE(image.width(), 120);
        QCOMPARE(image.height(), 150);
    }
    for (const QList<QVariant>& one : failed)
        QVERIFY2(one.at(1).toString().contains("no design"), qPrintable(one.at(1).toString()));
    QTRY_COMPARE(thumbnails.running(), 0);
}

QTEST_MAIN(TestDesignThumbnails)
#include "tst_designthumbnails.moc"
