#include "PdfSample.h"
#include "PreflightList.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::preflight;

Q_DECLARE_METATYPE(ListPreflightInput)

/** A list's own checks: how it ranked stands in the PDF, and no badge ranks against the ratings. */
class TestPreflightList final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findings_data();
    void findings();
};

void TestPreflightList::findings_data()
{
    QTest::addColumn<QString>("drawn"); ///< the PDF's text
    QTest::addColumn<ListPreflightInput>("input");
    QTest::addColumn<QString>("says"); ///< empty: passed
    const QString heading = "How we ranked";
    const auto ranked = [&heading](QList<RankedProduct> products) { return ListPreflightInput{heading, products}; };
    const ListPreflightInput fair = ranked({{"Keto", 4.5, "Best overall"}, {"Budget", 4, ""}});
    QTest::newRow("fair") << heading << fair << "";
    QTest::newRow("a badge below one without")
        << heading << ranked({{"Keto", 4.5, ""}, {"Budget", 3, "Best value"}, {"Video", 3.5, ""}})
        << "Ranking: the badge \"Best value\" stands on Budget, rated 3, while Keto, rated 4.5";
    QTest::newRow("a badge on an equal rating")
        << heading << ranked({{"Keto", 4, ""}, {"Budget", 4, "Best value"}}) << "";
    QTest::newRow("no ranking said") << heading << ListPreflightInput{{}, fair.products}
                                     << "does not say how it ranked";
    QTest::newRow("the ranking not in the PDF") << "Something else" << fair << "\"How we ranked\" cannot be found";
}

void TestPreflightList::findings()
{
    QFETCH(QString, drawn);
    QFETCH(ListPreflightInput, input);
    QFETCH(QString, says);
    QTemporaryDir dir;
    Sample sample;
    sample.drawnTitle = drawn;
    const QString pdf = dir.filePath("list.pdf");
    writeSample(sample, pdf);
    const QStringList lines = listPreflight(pdf, input);
    if (says.isEmpty()) {
        QVERIFY2(lines.isEmpty(), qPrintable(lines.join('\n')));
        return;
    }
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(says), qPrintable(lines.first()));
}

QTEST_GUILESS_MAIN(TestPreflightList)
#include "tst_preflightlist.moc"
