#include "SizedPictureCache.h"

#include <QTest>

/** A sized copy handed out again only for the very bytes it was sized from, within the memory it may hold. */
class TestSizedPictureCache final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handsOutOnlyWhatMatches_data();
    void handsOutOnlyWhatMatches();
};

void TestSizedPictureCache::handsOutOnlyWhatMatches_data()
{
    QTest::addColumn<QByteArray>("asked");
    QTest::addColumn<int>("width");
    QTest::addColumn<qsizetype>("budget");
    QTest::addColumn<bool>("found");
    const QByteArray photo(1000, 'a');
    QByteArray retouched = photo;
    retouched[999] = 'b';
    QTest::newRow("the same bytes") << photo << 1600 << qsizetype(4000) << true;
    QTest::newRow("one byte changed, same size") << retouched << 1600 << qsizetype(4000) << false;
    QTest::newRow("sized for another width") << photo << 800 << qsizetype(4000) << false;
    // Kept first, so dropped first when the second copy needs room.
    QTest::newRow("the oldest dropped for room") << photo << 1600 << qsizetype(1500) << false;
}

void TestSizedPictureCache::handsOutOnlyWhatMatches()
{
    QFETCH(QByteArray, asked);
    QFETCH(int, width);
    QFETCH(qsizetype, budget);
    QFETCH(bool, found);
    SizedPictureCache cache(budget);
    cache.keep(QByteArray(1000, 'a'), 1600, "jpeg", "sized a");
    cache.keep(QByteArray(1000, 'c'), 1600, "jpeg", "sized c");
    const std::optional<QByteArray> copy = cache.find(asked, width, "jpeg");
    QCOMPARE(copy.has_value(), found);
    if (found)
        QCOMPARE(*copy, QByteArray("sized a"));
    QVERIFY(cache.find(QByteArray(1000, 'c'), 1600, "jpeg"));
}

QTEST_GUILESS_MAIN(TestSizedPictureCache)
#include "tst_sizedpicturecache.moc"
