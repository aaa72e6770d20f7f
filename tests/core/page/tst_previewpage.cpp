#include "PreviewPage.h"

#include "PageFixture.h"
#include "StagingFolder.h"

#include <QFileInfo>
#include <QTest>

using namespace orvanta::page;

/** The preview's page: missing input shows as what the page will hold instead of stopping the preview. */
class TestPreviewPage final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void missingImagesStayMissing_data();
    void missingImagesStayMissing();
};

void TestPreviewPage::missingImagesStayMissing_data()
{
    QTest::addColumn<QString>("affiliateImage");
    QTest::addColumn<bool>("ownBonus");
    QTest::addColumn<QString>("productId");
    QTest::addColumn<QString>("shownCover");
    QTest::addColumn<QString>("shownBonus");
    QTest::addColumn<bool>("coverIsEmpty");
    QTest::addColumn<bool>("bonusIsEmpty");

    const auto row = [](const char* name, const char* cover, bool own, const char* id, const char* shownCover,
                        const char* shownBonus, bool coverEmpty, bool bonusEmpty) {
        QTest::newRow(name) << QString(cover) << own << QString(id) << QString(shownCover) << QString(shownBonus)
                            << coverEmpty << bonusEmpty;
    };
    row("complete", "cover.png", false, "AB12\r\n", "cover.png", "salespage.gif", false, false);
    row("no cover chosen", "", false, "AB12", "product.png", "salespage.gif", true, false);
    row("cover gone", "gone.png", false, "AB12", "gone.png", "salespage.gif", true, false);
    row("no bonus chosen", "cover.png", false, "", "cover.png", "salespage.gif", false, true);
    row("catalogue image gone", "cover.png", false, "NOPE", "cover.png", "salespage.gif", false, true);
    row("own bonus without image", "cover.png", true, "AB12", "cover.png", "bonus.png", false, true);
}

void TestPreviewPage::missingImagesStayMissing()
{
    QFETCH(QString, affiliateImage);
    QFETCH(bool, ownBonus);
    QFETCH(QString, productId);
    QFETCH(QString, shownCover);
    QFETCH(QString, shownBonus);
    QFETCH(bool, coverIsEmpty);
    QFETCH(bool, bonusIsEmpty);
    PageFixture fixture;
    QVERIFY(fixture.isValid());
    PageFields fields = fixture.typicalFields();
    fields.affiliateImagePath = affiliateImage.isEmpty() ? QString() : fixture.picture(affiliateImage);
    fields.ownBonus = ownBonus;
    fields.ownBonusImagePath.clear();
    fields.rawProductId = productId;
    fields.pdfFileName.clear(); // an unfinished name does not stop the preview
    const QStringList before = fixture.app().snapshot().filter(fixture.bin(""));

    const StagingFolder staging(fixture.app().path(), "preview");
    const Result<BuiltPage> built = buildPreviewPage(fixture.app().path(), fields, staging.target());
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QCOMPARE(PageFixture::slot(built->filledText, "affiliate"), shownCover);
    QCOMPARE(PageFixture::slot(built->filledText, "bonus"), shownBonus);
    QCOMPARE(QFileInfo(staging.path() + "/" + shownCover).size() == 0, coverIsEmpty);
    QCOMPARE(QFileInfo(staging.path() + "/" + shownBonus).size() == 0, bonusIsEmpty);
    QCOMPARE(fixture.app().snapshot().filter(fixture.bin("")), before);
}

QTEST_GUILESS_MAIN(TestPreviewPage)
#include "tst_previewpage.moc"
