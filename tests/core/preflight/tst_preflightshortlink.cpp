#include "PdfSample.h"
#include "Preflight.h"
#include "TestAppFolder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::preflight;

/** With a link base the PDF's offer links are the short link; an offer reached around it is named. */
class TestPreflightShortLink final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offerLinks_data();
    void offerLinks();
};

void TestPreflightShortLink::offerLinks_data()
{
    QTest::addColumn<QString>("pdfLink");   ///< the one link the PDF holds
    QTest::addColumn<QString>("shortLink"); ///< empty without a link base
    QTest::addColumn<int>("checksRun");
    QTest::addColumn<QStringList>("lines"); ///< each failed check's line, its beginning
    const QString shortLink = "https://me.example/go/keto-guide";
    QTest::newRow("the short link as the buy button's link") << shortLink << shortLink << 10 << QStringList();
    QTest::newRow("no link base: the affiliate link") << SampleLink << "" << 9 << QStringList();
    QTest::newRow("the tagged offer around the short link")
        << SampleLink << shortLink << 10
        << QStringList{"Links: " + shortLink + " is not a clickable link",
                       "Short link: Offer links bypass the short link: " + SampleLink + ". Link them to " + shortLink};
    QTest::newRow("the offer without its tags") << "https://example.com/buy" << shortLink << 10
                                                << QStringList{"Links: ", "Short link: Offer links bypass the short "
                                                                          "link: https://example.com/buy. Link"};
}

void TestPreflightShortLink::offerLinks()
{
    QFETCH(QString, pdfLink);
    QFETCH(QString, shortLink);
    QFETCH(int, checksRun);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    Sample sample;
    sample.linkUri = pdfLink;
    const QString pdf = dir.filePath("sample.pdf");
    writeSample(sample, pdf);
    PreflightInput input;
    // As the pipeline hands them over: the page's links are the short link once a base is set.
    input.links = QStringList{shortLink.isEmpty() ? SampleLink : shortLink};
    input.shortLink = shortLink;
    input.offerTarget = shortLink.isEmpty() ? QString() : SampleLink;
    input.mainTitle = SampleTitle;
    const PreflightReport report = preflight(pdf, input);
    QCOMPARE(report.checksRun, checksRun);
    const QStringList found = report.lines();
    QCOMPARE(found.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(found.at(i).startsWith(lines.at(i)), qPrintable(found.at(i)));
}

QTEST_GUILESS_MAIN(TestPreflightShortLink)
#include "tst_preflightshortlink.moc"
