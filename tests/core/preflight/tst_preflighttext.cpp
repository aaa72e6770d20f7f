#include "PdfSample.h"
#include "Preflight.h"
#include "ReadingText.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::preflight;

/** The PDF's text compared as a screen reader reads it, and only what a reader sees of it counted. */
class TestPreflightText final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readAsAReaderDoes_data();
    void readAsAReaderDoes();
    void onlyWhatIsSeen_data();
    void onlyWhatIsSeen();
};

void TestPreflightText::readAsAReaderDoes_data()
{
    QTest::addColumn<QString>("pdfText"); // as Qt's PDF module gives it
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    const auto row = [](const char* name, const char* pdfText, const char* typed, bool found) {
        QTest::newRow(name) << QString::fromUtf8(pdfText) << QString::fromUtf8(typed) << found;
    };
    row("hyphenated where the line breaks, another dash", "All-in-\nOne Cook-\nbook\x02Review \u2013 Now",
        "All-in-One Cookbook Review \u2014 Now", true);
    row("another apostrophe", "Keto's Review", "Keto\u2019s Review", true);
    // The reader gives a lam-alef's two letters in the line's order, right to left.
    row("lam-alef with hamza", "صناعة األفالم", "صناعة الأفلام", true);
    row("lam-alef as one presentation form", "مراجعة دورة \uFEFB مثيل لها", "مراجعة دورة لا مثيل لها", true);
    row("a Latin run read first", "iPhone 15 Pro مراجعة", "مراجعة iPhone 15 Pro", true);
    row("embedding marks in the PDF", "Pro 2 \u202Bمراجعة دورة\u202C", "مراجعة دورة Pro 2", true);
    row("isolates and marks typed", "iPhone مراجعة", "\u200Fمراجعة \u2067iPhone\u2069\u200E", true);
    row("a word missing", "Keto Easy Cookbook Review", "Keto Made Easy Cookbook Review", false);
    row("its words apart", "Keto Made Easy. Our Cookbook Review", "Keto Made Easy Cookbook Review", false);
    row("an article is no lam-alef", "لافيلم", "الفيلم", false);
}

void TestPreflightText::readAsAReaderDoes()
{
    QFETCH(QString, pdfText);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    FoldedText all;
    fold(all, QStringLiteral("Page one.\n"), 0);
    fold(all, pdfText, 1);
    const QList<std::pair<qsizetype, qsizetype>> places = placesOf(all, typed);
    QCOMPARE(!places.isEmpty(), found);
    // Traced back to the second page, where it stands.
    if (found)
        QCOMPARE(all.from.at(places.first().first).first, 1);
}

void TestPreflightText::onlyWhatIsSeen_data()
{
    QTest::addColumn<Sample>("sample");
    QTest::addColumn<QString>("typedTitle");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("disclosure"); // the page's own line, as its design words it
    QTest::addColumn<QStringList>("failed");
    const auto row = [](const char* name, const Sample& sample, const QStringList& failed,
                        const QString& title = SampleTitle, const QString& link = SampleLink,
                        const QString& disclosure = {}) {
        QTest::newRow(name) << sample << title << link << disclosure << failed;
    };
    Sample s;
    // The PDF's strings are WinAnsi: \222 is ’, \227 is —.
    s.drawnTitle = "All-in-One Keto\\222s Review \\227 Made Easy";
    s.titleByLetter = true;
    row("a hyphen, a dash and an apostrophe, shown", s, {}, "All-in-One Keto\u2019s Review \u2014 Made Easy");
    s = Sample();
    s.overDisclosure = "1 1 1 rg 60 590 480 25 re f";
    row("disclosure covered by a box of the page's colour", s, {"Disclosure"});
    s.boxBottom = 150;
    row("disclosure covered on a page whose box starts above 0", s, {"Disclosure"});
    s = Sample();
    s.disclosureY = 40;
    s.linkRect = {72, 5, 148, 30};
    row("disclosure seen at the page's foot, far below the title", s, {});
    s = Sample();
    s.disclosureGroupAlpha = 0.3;
    row("disclosure faint in a group opaque within", s, {"Disclosure"});
    s = Sample();
    s.linkUri = "https://example.com/a%27b?utm_source=orvanta";
    row("clean: a quote in the link, escaped in the PDF", s, {}, SampleTitle,
        "https://example.com/a'b?utm_source=orvanta");
    s = Sample();
    s.disclosure = QStringList{"Anzeige: Wir erhalten eine Vergutung."};
    row("a design's own disclosure", s, {}, SampleTitle, SampleLink, "Anzeige: Wir erhalten eine Vergutung.");
}

void TestPreflightText::onlyWhatIsSeen()
{
    QFETCH(Sample, sample);
    QFETCH(QString, typedTitle);
    QFETCH(QString, link);
    QFETCH(QString, disclosure);
    QFETCH(QStringList, failed);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sample.pdf");
    writeSample(sample, pdf);
    PreflightInput input;
    input.links = QStringList{link};
    input.mainTitle = typedTitle;
    input.disclosure = disclosure;
    const PreflightReport report = preflight(pdf, input);
    QStringList names;
    for (const PreflightFinding& finding : report.failures)
        names << preflightCheckName(finding.check);
    QVERIFY2(names == failed, qPrintable(report.lines().join('\n')));
}

QTEST_GUILESS_MAIN(TestPreflightText)
#include "tst_preflighttext.moc"
