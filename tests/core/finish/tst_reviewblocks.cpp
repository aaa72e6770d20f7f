#include "ReviewBlocks.h"

#include "Campaign.h"
#include "CreateChecks.h"
#include "Designs.h"
#include "PageFixture.h"
#include "PageLanguage.h"
#include "PdfMetadata.h"
#include "TestConfig.h"

#include <QTest>

using namespace orvanta::page;
using namespace orvanta::finish;

namespace {
// Each optional placeholder inside a marker, named as in its list, lower case.
QByteArray markedTemplate()
{
    QByteArray text = "<!DOCTYPE html>\n<html lang=\"en\"><head></head><body>";
    for (const QString& placeholder : Designs::placeholders() + Designs::optionalPlaceholders()) {
        const QByteArray name = placeholder.mid(1, placeholder.size() - 2).toLower().toUtf8();
        text += "[" + name + "]" + placeholder.toUtf8() + "[/" + name + "]\n";
    }
    return text;
}

const QStringList shippedDesigns{"Classic", "Bold", "Calm", "Compact"};

QString templateOf(const TestAppFolder& app, const QString& design)
{
    return app.file(design == "Classic" ? QStringLiteral("bin/template.html")
                                        : QStringLiteral("designs/%1/template.html").arg(design));
}
} // namespace

/** The review's blocks, the pictures' descriptions and the page's language, as every design shows them. */
class TestReviewBlocks final : public PageTestCase {
    Q_OBJECT

private Q_SLOTS:
    void placeholderValues_data();
    void placeholderValues();
    void emptyBlocksLeaveThePage_data();
    void emptyBlocksLeaveThePage();
    void everyDesignShowsThem_data();
    void everyDesignShowsThem();
    void language_data();
    void language();
    void checkedBeforeCreate_data();
    void checkedBeforeCreate();
};

void TestReviewBlocks::placeholderValues_data()
{
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("slotName");
    QTest::addColumn<QString>("expected");
    const QString star = QStringLiteral("\u2605");
    const QString hollow = QStringLiteral("\u2606");
    QTest::newRow("rating in halves, as text and as stars")
        << QVariantMap{{"rating", "4.5"}} << "rating"
        << "<div class=\"review-rating\"><span class=\"review-stars\" role=\"img\" aria-label=\"4.5 out of 5 stars\">" +
               star.repeated(4) + "\u00BD</span> <span class=\"review-score\">Rating: 4.5 out of 5</span></div>";
    QTest::newRow("rating 0 is a rating")
        << QVariantMap{{"rating", "0"}} << "rating"
        << "<div class=\"review-rating\"><span class=\"review-stars\" role=\"img\" "
           "aria-label=\"0 out of 5 stars\">" +
               hollow.repeated(5) + "</span> <span class=\"review-score\">Rating: 0 out of 5</span></div>";
    QTest::newRow("pros one per line, blank lines left out")
        << QVariantMap{{"pros", "Fast\r\n\r\n  Cheap \r\n"}} << "prosandcons"
        << "<div class=\"review-proscons\"><div class=\"review-pros\"><h3>Pros</h3><ul><li>Fast</li><li>Cheap</li>"
           "</ul></div></div>";
    QTest::newRow("pros and cons side by side")
        << QVariantMap{{"pros", "A"}, {"cons", "B\r\nC"}} << "prosandcons"
        << "<div class=\"review-proscons review-pair\"><div class=\"review-pros\"><h3>Pros</h3><ul><li>A</li></ul>"
           "</div><div class=\"review-cons\"><h3>Cons</h3><ul><li>B</li><li>C</li></ul></div></div>";
    QTest::newRow("cons alone in their own placeholder")
        << QVariantMap{{"pros", "A"}, {"cons", "B"}} << "cons"
        << "<div class=\"review-cons\"><h3>Cons</h3><ul><li>B</li></ul></div>";
    QTest::newRow("verdict escaped")
        << QVariantMap{{"verdict", "<script>alert('x')</script> & \"y\""}} << "verdict"
        << "<p class=\"review-verdict\"><strong>Verdict:</strong> &lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; "
           "&amp; &quot;y&quot;</p>";
    QTest::newRow("a placeholder in a verdict stays as typed")
        << QVariantMap{{"verdict", "#PROS# #CTAURL#"}, {"pros", "A"}} << "verdict"
        << "<p class=\"review-verdict\"><strong>Verdict:</strong> &#35;PROS&#35; &#35;CTAURL&#35;</p>";
    QTest::newRow("a placeholder in a description stays as typed")
        << QVariantMap{{"affiliateImageAlt", "#RATING#"}, {"rating", "2"}} << "affiliateimagealt"
        << "&#35;RATING&#35;";
    QTest::newRow("a block's placeholder in the review stays as typed")
        << QVariantMap{{"review", "see #VERDICT#"}, {"verdict", "Good"}} << "review"
        << "see #VERDICT#";
    QTest::newRow("a block's placeholder in the main title stays as typed")
        << QVariantMap{{"mainTitle", "#RATING# stars"}, {"rating", "4"}} << "openingtitle"
        << "#RATING# stars";
    QTest::newRow("picture described by the main title, markup left out")
        << QVariantMap{{"mainTitle", "Keto <b>Guide</b> & more"}} << "affiliateimagealt"
        << "Keto Guide &amp; more";
    QTest::newRow("picture described as given, quotes escaped")
        << QVariantMap{{"affiliateImageAlt", "Cover \"2\" <new>"}} << "affiliateimagealt"
        << "Cover &quot;2&quot; &lt;new&gt;";
    QTest::newRow("bonus picture described by the headline")
        << QVariantMap{{"bonusHeadline", " Get it now: "}} << "salespagealt"
        << "Get it now:";
}

void TestReviewBlocks::placeholderValues()
{
    QFETCH(QVariantMap, values);
    QFETCH(QString, slotName);
    QFETCH(QString, expected);
    writeFile(m_fixture->bin("template.html"), markedTemplate());
    const Result<BuiltPage> result = m_fixture->build(PageFixture::withValues(m_fixture->typicalFields(), values));
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(PageFixture::slot(result->filledText, slotName), expected);
}

void TestReviewBlocks::emptyBlocksLeaveThePage_data()
{
    QTest::addColumn<QString>("design");
    for (const QString& design : shippedDesigns)
        QTest::newRow(qPrintable(design)) << design;
}

// The page a campaign without blocks makes is the page of the design without their placeholders, byte for byte.
void TestReviewBlocks::emptyBlocksLeaveThePage()
{
    QFETCH(QString, design);
    PageFields fields = m_fixture->typicalFields();
    fields.design = design;
    fields.pros = fields.cons = QStringLiteral("\r\n \r\n");
    const TestAppFolder& app = m_fixture->app();
    QFile::remove(m_fixture->bin("template.html"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANTA_TEST_APP_DIR "/bin/template.html"), m_fixture->bin("template.html")));
    const Result<BuiltPage> withPlaceholders = m_fixture->build(fields);
    QVERIFY2(withPlaceholders.ok(), qPrintable(withPlaceholders.error()));

    QString text = QString::fromUtf8(bytesOf(templateOf(app, design)));
    const QStringList blocks = Designs::optionalPlaceholders().mid(2);
    for (const QString& placeholder : blocks)
        text.remove(placeholder);
    writeFile(templateOf(app, design), text.toUtf8());
    const Result<BuiltPage> without = m_fixture->build(fields);
    QVERIFY2(without.ok(), qPrintable(without.error()));
    QCOMPARE(withPlaceholders->filledText, without->filledText);
    QVERIFY(!without->filledText.contains("review-"));
}

void TestReviewBlocks::everyDesignShowsThem_data()
{
    emptyBlocksLeaveThePage_data();
}

void TestReviewBlocks::everyDesignShowsThem()
{
    QFETCH(QString, design);
    QFile::remove(m_fixture->bin("template.html"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANTA_TEST_APP_DIR "/bin/template.html"), m_fixture->bin("template.html")));
    PageFields fields = m_fixture->typicalFields();
    fields.design = design;
    fields.rating = "4.5";
    fields.pros = "Quick to read\r\nHonest numbers";
    fields.cons = "No index";
    fields.verdict = "Worth it.";
    fields.affiliateImageAlt = "The cookbook's cover";
    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const QString& page = result->filledText;
    for (const char* shown :
         {"Rating: 4.5 out of 5", "<li>Quick to read</li>", "<li>Honest numbers</li>", "<li>No index</li>", "Worth it.",
          "alt=\"The cookbook&#39;s cover\"", "alt=\"Get Your Copy with Our Private Bonus! Take a Look:\""})
        QVERIFY2(page.contains(QLatin1String(shown)), shown);
    QCOMPARE(page.count("<style>\n.review-rating"), 1);
    // Rating and verdict near the top: before the review's text.
    QVERIFY(page.indexOf("class=\"review-rating\"") < page.indexOf("Great product."));
    QVERIFY(page.indexOf("class=\"review-verdict\"") < page.indexOf("Great product."));
    QVERIFY(page.indexOf("class=\"review-pros\"") > page.indexOf("Great product."));
    QVERIFY(!page.contains("Product preview") && !page.contains("Bonus preview"));
}

void TestReviewBlocks::language_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected");
    QTest::newRow("replaces the design's") << "<html lang=\"en\"><head>"
                                           << "de"
                                           << "<html lang=\"de\"><head>";
    QTest::newRow("none set: the design's own") << "<html lang=\"en\"><head>"
                                                << ""
                                                << "<html lang=\"en\"><head>";
    QTest::newRow("added where the design has none") << "<HTML class=\"x\">"
                                                     << "pt-BR"
                                                     << "<HTML lang=\"pt-BR\" class=\"x\">";
    QTest::newRow("single quotes and spaces") << "<html dir=ltr lang = 'en'>"
                                              << "fr"
                                              << "<html dir=ltr lang=\"fr\">";
    QTest::newRow("xml:lang is another attribute") << "<html xml:lang=\"en\">"
                                                   << "de"
                                                   << "<html lang=\"de\" xml:lang=\"en\">";
    QTest::newRow("no html element: one after the doctype") << "<!DOCTYPE html>\n<body>"
                                                            << "ja"
                                                            << "<!DOCTYPE html><html lang=\"ja\">\n<body>";
    QTest::newRow("only the first html element")
        << "<html><body><p>&lt;html lang=en&gt;</p><html lang=\"en\">"
        << "de"
        << "<html lang=\"de\"><body><p>&lt;html lang=en&gt;</p><html lang=\"en\">";
}

// The PDF's language is read back from the page; it must follow what the page declares.
void TestReviewBlocks::language()
{
    QFETCH(QString, page);
    QFETCH(QString, tag);
    QFETCH(QString, expected);
    const QString result = PageLanguage::withLanguage(page, tag);
    QCOMPARE(result, expected);
    if (!tag.isEmpty())
        QCOMPARE(pageLanguage(result), tag);
}

void TestReviewBlocks::checkedBeforeCreate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("says"); // empty: Create goes on
    const auto row = [](const char* name, const char* field, const QString& value, const char* says) {
        QTest::newRow(name) << field << value << says;
    };
    for (const char* rating : {"0", "0.5", "5", " 4 ", "4,5", ""})
        row(qPrintable(QStringLiteral("rating \"%1\"").arg(rating)), "rating", rating, "");
    for (const char* rating : {"5.5", "-0.5", "4.3", "nan", "inf", "four", "4.5.1", "1e1"})
        row(qPrintable(QStringLiteral("rating \"%1\"").arg(rating)), "rating", rating, "from 0 to 5 in halves");
    // A decimal comma is taken, so a comma before three digits would read 1,000 as 1.
    for (const char* rating : {"1,000", "2.500", "1,000,000", " 4,500 "})
        row(qPrintable(QStringLiteral("rating \"%1\"").arg(rating)), "rating", rating, "thousands separator");
    for (const char* tag : {"de", "pt-BR", "zh-Hant-TW", "en-US-x-twain", ""})
        row(qPrintable(QStringLiteral("language \"%1\"").arg(tag)), "language", tag, "");
    for (const char* tag : {"de_DE", "de\" onload=\"x", "pt BR", "-de", "de-", "123", "de--x", "toolonglanguage"})
        row(qPrintable(QStringLiteral("language \"%1\"").arg(tag)), "language", tag, "is not a language tag");
    row("language of 40,000 characters", "language", QString(40000, QLatin1Char('x')), "is not a language tag");
    for (const char* engine : {"wkhtmltopdf", "chromium", ""})
        row(qPrintable(QStringLiteral("engine \"%1\"").arg(engine)), "engine", engine, "");
    for (const char* engine : {"Chromium", "pdf", " chromium"})
        row(qPrintable(QStringLiteral("engine \"%1\"").arg(engine)), "engine", engine, "is unknown");
}

// A value a sheet or a campaign file brought that the page cannot hold stops Create with its reason.
void TestReviewBlocks::checkedBeforeCreate()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, says);
    const PageFields fields = PageFixture::withValues(m_fixture->typicalFields(), {{field, value}});
    const QString problem = missingInfo(fields, true);
    QVERIFY2(says.isEmpty() ? problem.isEmpty() : problem.contains(says), qPrintable(problem));
    if (!says.isEmpty()) {
        // The value is named, cut when it is long: a message is read, never scrolled.
        QVERIFY2(problem.contains(value.left(40)), qPrintable(problem));
        QVERIFY2(problem.size() < 300, qPrintable(problem.left(300)));
    }
}

QTEST_GUILESS_MAIN(TestReviewBlocks)
#include "tst_reviewblocks.moc"
