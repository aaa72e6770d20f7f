#include "PageBuilder.h"

#include "Campaign.h"
#include "CreateChecks.h"
#include "PageFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace orvanta::campaign;
using namespace orvanta::page;

/** What BuildPage puts into the page: placeholder values, the bonus image, pictures and the link. */
class TestPageBuilder final : public PageTestCase {
    Q_OBJECT

private Q_SLOTS:
    void fillsPlaceholders_data();
    void fillsPlaceholders();
    void titleElement_data();
    void titleElement();
    void bonusImage_data();
    void bonusImage();
    void imagesWithOneName_data();
    void imagesWithOneName();
    void imageReferences_data();
    void imageReferences();
    void affiliateLink_data();
    void affiliateLink();
    void tenMegabyteReview();
};

void TestPageBuilder::fillsPlaceholders_data()
{
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("slotName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("title verbatim") << QVariantMap{{"mainTitle", "Caf\u00e9 <b>&</b> \"1\""}} << "title"
                                    << "Caf\u00e9 <b>&</b> \"1\"";
    QTest::newRow("title in both places") << QVariantMap{{"mainTitle", "Twice"}} << "titleAgain"
                                          << "Twice";
    QTest::newRow("empty value") << QVariantMap{{"mainTitle", ""}} << "title"
                                 << "";
    QTest::newRow("review CR LF becomes <br>") << QVariantMap{{"review", "one\r\ntwo\r\n"}} << "review"
                                               << "one<br>two<br>";
    QTest::newRow("review lone LF stays") << QVariantMap{{"review", "one\ntwo"}} << "review"
                                          << "one\ntwo";
    QTest::newRow("review lone CR stays") << QVariantMap{{"review", "one\rtwo"}} << "review"
                                          << "one\rtwo";
    QTest::newRow("review LF CR stays") << QVariantMap{{"review", "one\n\rtwo"}} << "review"
                                        << "one\n\rtwo";
    QTest::newRow("review CR CR LF") << QVariantMap{{"review", "one\r\r\ntwo"}} << "review"
                                     << "one\r<br>two";
    QTest::newRow("review tags verbatim") << QVariantMap{{"review", "<b>bold</b> & <u>x</u>"}} << "review"
                                          << "<b>bold</b> & <u>x</u>";
    QTest::newRow("instructions keep CR LF") << QVariantMap{{"bonusInstructions", "a\r\nb"}} << "instructions"
                                             << "a\r\nb";
    QTest::newRow("headline keeps its leading blank") << QVariantMap{} << "headline"
                                                      << " Get Your Copy with Our Private Bonus! Take a Look:";
    QTest::newRow("cta texts verbatim") << QVariantMap{{"ctaText", "Buy & <save>"}} << "ctaText"
                                        << "Buy & <save>";
    QTest::newRow("affiliate image by file name") << QVariantMap{} << "affiliate"
                                                  << "cover.png";
    QTest::newRow("title holding a later placeholder")
        << QVariantMap{{"mainTitle", "#CTAURL#"}, {"ctaUrl", "http://x"}} << "title"
        << "http://x";
    QTest::newRow("review holding a later placeholder")
        << QVariantMap{{"review", "see #BONUSINSTRUCTIONS#"}, {"bonusInstructions", "mail us"}} << "review"
        << "see mail us";
    QTest::newRow("url holding an earlier placeholder") << QVariantMap{{"ctaUrl", "#OPENINGTITLE#"}} << "ctaUrl"
                                                        << "#OPENINGTITLE#";
    QTest::newRow("instructions holding an earlier placeholder")
        << QVariantMap{{"bonusInstructions", "#REVIEW#"}} << "instructions"
        << "#REVIEW#";
    QTest::newRow("value holding its own placeholder") << QVariantMap{{"ctaTitle", "#CTATITLE#"}} << "ctaTitle"
                                                       << "#CTATITLE#";
}

void TestPageBuilder::fillsPlaceholders()
{
    QFETCH(QVariantMap, values);
    QFETCH(QString, slotName);
    QFETCH(QString, expected);
    const Result<BuiltPage> result = m_fixture->build(PageFixture::withValues(m_fixture->typicalFields(), values));
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(PageFixture::slot(result->filledText, slotName), expected);
}

void TestPageBuilder::titleElement_data()
{
    QTest::addColumn<QString>("mainTitle");
    QTest::addColumn<QString>("inTitle");
    QTest::addColumn<QString>("inHeading");
    QTest::newRow("markup and entities") << "Keto <b>Guide</b> & \"more\" &amp; co"
                                         << "Keto Guide &amp; &quot;more&quot; &amp; co"
                                         << "Keto <b>Guide</b> & \"more\" &amp; co";
    QTest::newRow("a title that ends the head") << "</head><body>Fake"
                                                << "Fake"
                                                << "</head><body>Fake";
    QTest::newRow("a title that ends the title and starts a script") << "</title><script>alert(1)</script>"
                                                                     << "alert(1)"
                                                                     << "</title><script>alert(1)</script>";
    QTest::newRow("a later placeholder's text") << "#CTAURL#"
                                                << "&#35;CTAURL&#35;"
                                                << "https://example.com/buy";
}

// The title element holds text only; everywhere else the title stays as typed, and the head ends where the
// template ends it.
void TestPageBuilder::titleElement()
{
    QFETCH(QString, mainTitle);
    QFETCH(QString, inTitle);
    QFETCH(QString, inHeading);
    writeFile(m_fixture->bin("template.html"),
              "<html><head><meta name=\"description\" content=\"#OPENINGTITLE#\"><title>#OPENINGTITLE#</title>"
              "</head><body>[h]#OPENINGTITLE#[/h]#CTAURL#");
    PageFields fields = m_fixture->typicalFields();
    fields.mainTitle = mainTitle;
    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const QString& filled = result->filledText;
    const qsizetype title = filled.indexOf("<title>") + 7;
    QCOMPARE(filled.mid(title, filled.indexOf("</title>", title) - title), inTitle);
    QCOMPARE(PageFixture::slot(filled, "h"), inHeading);
    QVERIFY2(filled.mid(result->headEnd).startsWith("</head><body>[h]"), qPrintable(filled));
}

void TestPageBuilder::bonusImage_data()
{
    QTest::addColumn<bool>("ownBonus");
    QTest::addColumn<QString>("rawId");
    QTest::addColumn<QString>("imageName");
    QTest::addColumn<QByteArray>("imageBytes");
    QTest::newRow("cloud") << false << "ZZ9"
                           << "salespage.gif" << pictureBytes("cloud ZZ9");
    QTest::newRow("cloud, identifier with CR LF") << false << "AB12\r\n"
                                                  << "salespage.gif" << pictureBytes("cloud AB12");
    QTest::newRow("cloud, identifier with lone CR") << false << "AB\r12"
                                                    << "salespage.gif" << pictureBytes("cloud AB12");
    QTest::newRow("own bonus ignores the identifier") << true << "AB12"
                                                      << "own.png" << pictureBytes("own bonus");
    QTest::newRow("own bonus, no identifier") << true << ""
                                              << "own.png" << pictureBytes("own bonus");
}

void TestPageBuilder::bonusImage()
{
    QFETCH(bool, ownBonus);
    QFETCH(QString, rawId);
    QFETCH(QString, imageName);
    QFETCH(QByteArray, imageBytes);
    PageFields fields = m_fixture->typicalFields();
    fields.ownBonus = ownBonus;
    fields.rawProductId = rawId;
    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(PageFixture::slot(result->filledText, "bonus"), imageName);
    QCOMPARE(bytesOf(m_fixture->bin(imageName)), imageBytes);
    QCOMPARE(bytesOf(m_fixture->bin("cover.png")), pictureBytes("affiliate cover"));
    QCOMPARE(QFile::exists(m_fixture->bin("salespage.gif")), !ownBonus);
}

void TestPageBuilder::imagesWithOneName_data()
{
    QTest::addColumn<QString>("cover");
    QTest::addColumn<QString>("ownBonus"); ///< empty: the cloud bonus
    QTest::addColumn<QString>("bonusCopy");
    QTest::newRow("own bonus from another folder") << "a/cover.png"
                                                   << "b/cover.png"
                                                   << "cover-bonus.png";
    QTest::newRow("names differ in letter case") << "a/cover.png"
                                                 << "b/COVER.png"
                                                 << "COVER-bonus.png";
    QTest::newRow("cover named like the sales page") << "a/salespage.gif"
                                                     << ""
                                                     << "salespage-bonus.gif";
    QTest::newRow("dots in the name") << "a/cover.v2.png"
                                      << "b/cover.v2.png"
                                      << "cover.v2-bonus.png";
    QTest::newRow("one file for both") << "a/cover.png"
                                       << "a/cover.png"
                                       << "cover.png";
}

void TestPageBuilder::imagesWithOneName()
{
    QFETCH(QString, cover);
    QFETCH(QString, ownBonus);
    QFETCH(QString, bonusCopy);
    PageFields fields = m_fixture->typicalFields();
    fields.affiliateImagePath = writeFile(m_fixture->picture(cover), pictureBytes("affiliate"));
    fields.ownBonus = !ownBonus.isEmpty();
    if (fields.ownBonus)
        fields.ownBonusImagePath = ownBonus == cover ? fields.affiliateImagePath
                                                     : writeFile(m_fixture->picture(ownBonus), pictureBytes("bonus"));
    const QByteArray bonusBytes = fields.ownBonus ? bytesOf(fields.ownBonusImagePath) : pictureBytes("cloud AB12");
    const QString coverCopy = QFileInfo(cover).fileName();

    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(PageFixture::slot(result->filledText, "affiliate"), coverCopy);
    QCOMPARE(PageFixture::slot(result->filledText, "bonus"), bonusCopy);
    QCOMPARE(bytesOf(m_fixture->bin(coverCopy)), pictureBytes("affiliate"));
    QCOMPARE(bytesOf(m_fixture->bin(bonusCopy)), bonusBytes);
}

void TestPageBuilder::imageReferences_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reference");
    const auto row = [](const char* name, const QString& file, const char* reference) {
        QTest::newRow(name) << file << QString(reference);
    };
    row("plain", "cover.png", "cover.png");
    row("blanks", "my cover.png", "my%20cover.png");
    row("fragment and query", "cover#2?.png", "cover%232%3F.png");
    row("percent", "100%41.png", "100%2541.png");
    row("ampersand, as of an entity", "a&lt;b.png", "a%26lt%3Bb.png");
    row("quotes", "say \"hi\" it's.png", "say%20%22hi%22%20it%27s.png");
    row("non-Latin", "\u00e9t\u00e9 \u6307.png", "%C3%A9t%C3%A9%20%E6%8C%87.png");
}

void TestPageBuilder::imageReferences()
{
    QFETCH(QString, name);
    QFETCH(QString, reference);
    PageFields fields = m_fixture->typicalFields();
    fields.affiliateImagePath = writeFile(m_fixture->picture(name), pictureBytes("affiliate"));
    fields.ownBonus = true;
    fields.ownBonusImagePath = writeFile(m_fixture->picture("bonus " + name), pictureBytes("bonus"));
    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(PageFixture::slot(result->filledText, "affiliate"), reference);
    QCOMPARE(PageFixture::slot(result->filledText, "bonus"), "bonus%20" + reference);
    QCOMPARE(bytesOf(m_fixture->bin(name)), pictureBytes("affiliate"));
}

void TestPageBuilder::affiliateLink_data()
{
    // Tagged rows carry utm_source=pdf; "refused" is the start of the Missing Info text, else the link in the page.
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("tagged");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("refused");
    const QString notWeb = "Your Affiliate Link must be a web address";
    const auto made = [](const char* name, const QString& link, bool tagged, const QString& href) {
        QTest::newRow(name) << link << tagged << href << QString();
    };
    const auto refused = [](const char* name, const QString& link, const QString& message, bool tagged = false) {
        QTest::newRow(name) << link << tagged << QString() << message;
    };
    made("plain", "https://example.com/buy", false, "https://example.com/buy");
    made("HTTP upper case", "HTTP://EXAMPLE.COM/Buy", false, "HTTP://EXAMPLE.COM/Buy");
    made("quote and script stay inside the attribute", "https://x.com/?a=\"><script>alert(1)</script>", false,
         "https://x.com/?a=%22%3E%3Cscript%3Ealert(1)%3C/script%3E");
    made("single quote, backtick, blank, tab", "https://x.com/a b'c`d\te", false, "https://x.com/a%20b%27c%60d%09e");
    made("query and fragment kept byte for byte", "https://x.com/p?q=%41&r=a+b;c#frag/ment?x", false,
         "https://x.com/p?q=%41&r=a+b;c#frag/ment?x");
    made("tag before the fragment, own query kept", "https://x.com/p?q=%41&b=1#top", true,
         "https://x.com/p?q=%41&b=1&utm_source=pdf#top");
    made("tag already in the link not added", "https://x.com/p?utm_source=mail#top", true,
         "https://x.com/p?utm_source=mail#top");
    made("non-Latin stays", "https://x.com/caf\u00e9", false, "https://x.com/caf\u00e9");
    refused("javascript", "javascript:alert(document.cookie)", notWeb);
    refused("JavaScript with a blank before it", " JavaScript:alert(1)", notWeb);
    refused("data", "data:text/html,<script>alert(1)</script>", notWeb);
    refused("file", "file:///etc/passwd", notWeb);
    refused("no scheme", "example.com/buy", notWeb);
    refused("left at http://", "http://", "Please complete all the required fields.");
    refused("tagged, left at http://", "http://", "Please complete all the required fields.", true);
}

void TestPageBuilder::affiliateLink()
{
    QFETCH(QString, link);
    QFETCH(bool, tagged);
    QFETCH(QString, href);
    QFETCH(QString, refused);
    Campaign campaign;
    campaign.ctaUrl = link;
    if (tagged)
        campaign.utmSource = "pdf";
    PageFields fields = m_fixture->typicalFields();
    fields.ctaUrl = taggedAffiliateLink(campaign);
    const QString problem = missingInfo(fields, true);
    if (!refused.isEmpty()) {
        QVERIFY2(problem.startsWith(refused), qPrintable(problem));
        return;
    }
    QCOMPARE(problem, QString());
    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(PageFixture::slot(result->filledText, "ctaUrl"), href);
}

// Sheer size: every line of a ten-megabyte review reaches the written page, nothing cut.
void TestPageBuilder::tenMegabyteReview()
{
    const QString line = QString::fromUtf8("Zeile mit Umlauten äöü und 😀, damit jedes Byte zählt. ").repeated(2);
    QStringList lines;
    for (qsizetype size = 0; size < 10 * 1024 * 1024; size += line.toUtf8().size() + 1)
        lines << line;
    PageFields fields = m_fixture->typicalFields();
    fields.review = lines.join("\r\n");
    const Result<BuiltPage> result = m_fixture->build(fields);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const QString review = lines.join("<br>");
    QVERIFY(review.toUtf8().size() > 10 * 1024 * 1024);
    QVERIFY(PageFixture::slot(result->filledText, "review") == review);
    QVERIFY(WritePage(result.value()).ok());
    QCOMPARE(bytesOf(result->htmlPath).size(), (result->filledText + pageTail()).toUtf8().size());
}

QTEST_GUILESS_MAIN(TestPageBuilder)
#include "tst_pagebuilder.moc"
