#include "WindowLayout.h"

#include <QTest>

using WindowLayout::Size;

class TestWindowLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void arrange_data();
    void arrange();
    void conversion_data();
    void conversion();
};

void TestWindowLayout::arrange_data()
{
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<int>("pleaseWaitLeft");

    // The previous page size in every row is 7000 x 4000.
    QTest::newRow("medium window") << 15000 << 9000 << 14200 << 5410 << 8245;
    QTest::newRow("start-up client area") << 19530 << 9720 << 18730 << 6130 << 12775;
    QTest::newRow("exactly the margins") << 800 << 3590 << 0 << 0 << -5955;
    QTest::newRow("too narrow keeps width") << 799 << 9000 << 7000 << 5410 << -5956;
    QTest::newRow("too low keeps height") << 15000 << 3589 << 14200 << 4000 << 8245;
    QTest::newRow("too small keeps both") << 300 << 300 << 7000 << 4000 << -6455;
}

void TestWindowLayout::arrange()
{
    QFETCH(int, windowWidth);
    QFETCH(int, windowHeight);
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QFETCH(int, pleaseWaitLeft);

    const WindowLayout::Arrangement result = WindowLayout::arrange(Size{windowWidth, windowHeight}, Size{7000, 4000});
    QCOMPARE(result.page.width, pageWidth);
    QCOMPARE(result.page.height, pageHeight);
    QCOMPARE(result.pleaseWaitLeft, pleaseWaitLeft);
}

void TestWindowLayout::conversion_data()
{
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");

    QTest::newRow("one inch at 96") << qreal(96) << 1440 << 96;
    QTest::newRow("page top at 96") << qreal(96) << 1890 << 126;
    QTest::newRow("page top at 144") << qreal(144) << 1890 << 189;
    QTest::newRow("negative at 96") << qreal(96) << -6055 << -404;
}

void TestWindowLayout::conversion()
{
    QFETCH(qreal, dpi);
    QFETCH(int, twips);
    QFETCH(int, pixels);

    QCOMPARE(WindowLayout::toPixels(twips, dpi), pixels);
    // Whole pixels come back within half a pixel's worth of twips.
    QVERIFY(qAbs(WindowLayout::toTwips(pixels, dpi) - twips) <= qCeil(WindowLayout::TwipsPerInch / dpi / 2));
}

QTEST_APPLESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
