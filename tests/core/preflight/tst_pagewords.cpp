#include "PageWords.h"

#include "PageFixture.h"
#include "PreflightPage.h"
#include "ShareKit.h"
#include "TestConfig.h"

#include <QRegularExpression>
#include <QTest>

using namespace orvanta::page;
using namespace orvanta::preflight;

namespace {
const QStringList shippedDesigns{"Classic", "Bold", "Calm", "Compact"};

// The page's words as an element's text: a page holds them escaped.
QString shown(const QString& word)
{
    return word.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}
} // namespace

/** The words Orvanta puts on a page, in the campaign's language, and a page written right to left. */
class TestPageWords final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void wordsOnThePage_data();
    void wordsOnThePage();
    void englishPageAsBefore_data();
    void englishPageAsBefore();
    void designWords_data();
    void designWords();
    void preflightKnowsEveryDisclosure();
    void direction_data();
    void direction();
    void sharedProductName_data();
    void sharedProductName();

private:
    /** The page of @p language in @p design with every block and the QR code on. */
    Result<BuiltPage> built(const QString& design, const QString& language);

    std::unique_ptr<PageFixture> m_fixture;
};

void TestPageWords::init()
{
    m_fixture = std::make_unique<PageFixture>();
    QVERIFY(m_fixture->isValid());
    QFile::remove(m_fixture->bin("template.html"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANTA_TEST_APP_DIR "/bin/template.html"), m_fixture->bin("template.html")));
}

Result<BuiltPage> TestPageWords::built(const QString& design, const QString& language)
{
    PageFields fields = m_fixture->typicalFields();
    fields.design = design;
    fields.language = language;
    fields.rating = "4.5";
    fields.pros = "Quick to read";
    fields.cons = "No index";
    fields.verdict = "Worth it.";
    fields.qrCode = true;
    return m_fixture->build(fields);
}

void TestPageWords::wordsOnThePage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("ratingLine");
    const auto row = [](const char* language, const char* table, const char* ratingLine) {
        QTest::addRow("%s", *language ? language : "none") << language << table << QString::fromUtf8(ratingLine);
    };
    row("en", "en", "Rating: 4.5 out of 5");
    row("de", "de", "Bewertung: 4,5 von 5");
    row("fr", "fr", "Note\u00A0: 4,5 sur 5");
    row("es", "es", "Valoración: 4,5 de 5");
    row("it", "it", "Valutazione: 4,5 su 5");
    row("pt-BR", "pt-BR", "Avaliação: 4,5 de 5");
    row("pt-PT", "pt-PT", "Avaliação: 4,5 em 5");
    row("nl", "nl", "Beoordeling: 4,5 van 5");
    row("pl", "pl", "Ocena: 4,5 na 5");
    // By the primary language; Portuguese by its region too. Any other: English words and numbers.
    row("de-AT", "de", "Bewertung: 4,5 von 5");
    row("PT-br", "pt-BR", "Avaliação: 4,5 de 5");
    row("pt", "pt-PT", "Avaliação: 4,5 em 5");
    row("pt-Latn-BR", "pt-BR", "Avaliação: 4,5 de 5");
    row("", "en", "Rating: 4.5 out of 5");
    row("ja", "en", "Rating: 4.5 out of 5");
    row("depp", "en", "Rating: 4.5 out of 5");
}

// Each word of the table reaches its place on the page, and no English one is left on another language's page.
void TestPageWords::wordsOnThePage()
{
    QFETCH(QString, language);
    QFETCH(QString, table);
    QFETCH(QString, ratingLine);
    const PageWords words = PageWordTables::of(language);
    QCOMPARE(words.tag, table);
    const Result<BuiltPage> result = built("Classic", language);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const QString& page = result->filledText;
    const QString number = QRegularExpression("\\d[.,]\\d").match(ratingLine).captured();
    for (const QString& shownWord :
         {">" + shown(ratingLine) + "<", "aria-label=\"" + shown(words.stars.arg(number)) + "\"",
          "<strong>" + shown(words.verdict) + "</strong> Worth it.", "<h3>" + shown(words.pros) + "</h3><ul><li>Quick",
          "<h3>" + shown(words.cons) + "</h3><ul><li>No index", "aria-label=\"" + shown(words.qrCode) + "\"",
          "<p class=\"disclosure\">" + shown(words.disclosure) + "</p>"})
        QVERIFY2(page.contains(shownWord), qPrintable(shownWord));
    for (const char* english : {"Rating:", "Verdict:", ">Pros<", ">Cons<", "QR code of the link", "Disclosure:"})
        QVERIFY2(table == "en" || !page.contains(QLatin1String(english)), english);
}

void TestPageWords::englishPageAsBefore_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("language");
    for (const QString& design : shippedDesigns) {
        QTest::addRow("%s, no language", qPrintable(design)) << design << "";
        QTest::addRow("%s, en", qPrintable(design)) << design << "en";
    }
}

// The English page is the page of the design that held its English words itself, byte for byte.
void TestPageWords::englishPageAsBefore()
{
    QFETCH(QString, design);
    QFETCH(QString, language);
    const Result<BuiltPage> now = built(design, language);
    QVERIFY2(now.ok(), qPrintable(now.error()));
    const QString path = m_fixture->app().file(design == "Classic" ? QStringLiteral("bin/template.html")
                                                                   : "designs/" + design + "/template.html");
    QString text = QString::fromUtf8(bytesOf(path));
    QCOMPARE(text.count(PageWordTables::disclosurePlaceholder()), 1);
    writeFile(path, text.replace(PageWordTables::disclosurePlaceholder(),
                                 "Disclosure: we may earn a commission if you buy through this link, at no extra "
                                 "cost to you.")
                        .toUtf8());
    QCOMPARE(now->filledText, built(design, QString())->filledText);
    for (const char* english : {"Rating: 4.5 out of 5", "=\"4.5 out of 5 stars\"", "<strong>Verdict:</strong>",
                                "<h3>Pros</h3>", "<h3>Cons</h3>", "=\"QR code of the link\""})
        QVERIFY2(now->filledText.contains(QLatin1String(english)), english);
}

void TestPageWords::designWords_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected"); // the verdict's word, or what the design's problem says
    const QByteArray both = "word.verdict=Our verdict\nword.de.verdict=Unser Fazit\nword.pt-br.verdict=Nossa opinião\n";
    const auto row = [](const char* name, const char* file, const QByteArray& settings, const char* language,
                        const char* expected) {
        QTest::newRow(name) << file << settings << language << QString::fromUtf8(expected);
    };
    row("every language", "design.ini", both, "fr", "Our verdict");
    row("one language, by its primary tag", "design.ini", both, "de-CH", "Unser Fazit");
    row("one region", "design.ini", both, "pt-BR", "Nossa opinião");
    row("another region keeps every language's", "design.ini", both, "pt-PT", "Our verdict");
    row("no language is English", "design.ini", "word.en.verdict=In short\n", "", "In short");
    row("a key in any letter case", "design.ini", "Word.DE.Verdict=Kurz gesagt\n", "de", "Kurz gesagt");
    row("escaped like text", "design.ini", "word.verdict=<b>Ours</b> & #CTAURL#\n", "en",
        "&lt;b&gt;Ours&lt;/b&gt; &amp; &#35;CTAURL&#35;");
    row("the disclosure escaped", "design.ini", "word.disclosure=<b>Paid</b> & #CTAURL#\n", "en",
        "&lt;b&gt;Paid&lt;/b&gt; &amp; &#35;CTAURL&#35;");
    row("a word of no page", "design.ini", "word.verdicts=x\n", "en", "word.verdicts is not a word");
    row("too many parts", "design.ini", "word.de.at.verdict=x\n", "de", "is not a word");
    row("a rating without its number", "design.ini", "word.de.rating=Sehr gut\n", "de", "word.de.rating lacks %1");
    row("stars without their number", "design.ini", "word.stars=Five\n", "de", "word.stars lacks %1");
    row("mirrored rules not UTF-8", "rtl.css", "p { content: \"caf\xe9\"; }", "he", "rtl.css is not UTF-8");
    row("mirrored rules unread by other pages", "rtl.css", "p { content: \"caf\xe9\"; }", "de", "Fazit:");
}

// A design says a word its own way in design.ini; a file it cannot mean stops its pages, with the key named.
void TestPageWords::designWords()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, settings);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    const QString path = m_fixture->app().file("designs/Calm/" + file);
    writeFile(path, bytesOf(path) + "\n" + settings);
    const Result<BuiltPage> result = built("Calm", language);
    if (expected.contains(QRegularExpression("word|rtl"))) {
        QVERIFY(!result.ok());
        QVERIFY2(result.error().contains(expected) && result.error().contains("\"Calm\""), qPrintable(result.error()));
    } else {
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QVERIFY2(result->filledText.contains(">" + expected + "<"), qPrintable(expected));
    }
}

// The preflight finds each language's disclosure line wherever the PDF breaks its lines, and reads no wording of
// one in a plain sentence.
void TestPageWords::preflightKnowsEveryDisclosure()
{
    for (const char* language : {"en", "de", "fr", "es", "it", "pt-BR", "pt-PT", "nl", "pl"}) {
        const QString line = PageWordTables::of(language).disclosure;
        bool found = false;
        for (const QString& wording : disclosureWordings()) {
            const QRegularExpression pattern(QRegularExpression::escape(wording).replace("\\ ", "\\s+"),
                                             QRegularExpression::CaseInsensitiveOption);
            found = found || pattern.match(QString(line).replace(' ', " \n ")).hasMatch();
            QVERIFY2(!pattern.match("We made provision for a commissioned test.").hasMatch(), qPrintable(wording));
        }
        QVERIFY2(found, qPrintable(line));
    }
}

void TestPageWords::direction_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("rightToLeft");
    for (const char* language : {"ar", "he", "fa", "ur", "ar-EG"})
        QTest::addRow("%s", language) << "Classic" << language << true;
    for (const char* language : {"", "en", "de", "ja"})
        QTest::addRow("%s", *language ? language : "none") << "Classic" << language << false;
    for (const QString& design : shippedDesigns.mid(1))
        QTest::addRow("%s, ar", qPrintable(design)) << design << "ar" << true;
}

// A language written right to left mirrors the page: the html element says so, the blocks, the QR code and the
// design's own rules follow, the brand's colours in them; a page of any other keeps its direction.
void TestPageWords::direction()
{
    QFETCH(QString, design);
    QFETCH(QString, language);
    QFETCH(bool, rightToLeft);
    const Result<BuiltPage> result = built(design, language);
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const QString& page = result->filledText;
    QCOMPARE(QRegularExpression("<html\\b[^>]*\\bdir=\"rtl\"[^>]*>").match(page).hasMatch(), rightToLeft);
    QCOMPARE(page.contains("html[dir=rtl] body { direction: rtl; }"), rightToLeft);
    QCOMPARE(page.contains("[dir=rtl] .review-verdict"), rightToLeft);
    QCOMPARE(page.contains("margin: 8px 16px 0 0"), rightToLeft);
    QCOMPARE(page.contains("<style>\n/* A page written right to left"), rightToLeft);
    QVERIFY(!page.contains("#BRAND"));
    // The blocks' mirrored rules stand before the design's own, which may restyle them; its mirrored ones after.
    const qsizetype own = page.indexOf("PDF engine is an old WebKit");
    QVERIFY(own > 0 && (!rightToLeft || (page.indexOf("[dir=rtl] .review-verdict") < own &&
                                         page.indexOf("<style>\n/* A page written right to left") > own)));
}

void TestPageWords::sharedProductName_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("mainTitle");
    QTest::addColumn<QString>("product");
    const auto row = [](const char* language, const char* title, const char* product) {
        QTest::addRow("%s: %s", language, title) << language << QString::fromUtf8(title) << QString::fromUtf8(product);
    };
    row("", "Keto Cookbook Review", "Keto Cookbook");
    row("en", "Review of the Keto Cookbook", "the Keto Cookbook");
    row("de", "Keto-Kochbuch im Test", "Keto-Kochbuch");
    row("de", "Rezension zum Keto-Kochbuch", "Keto-Kochbuch");
    row("fr", "Avis sur Keto Facile", "Keto Facile");
    row("es", "Reseña de Keto Fácil", "Keto Fácil");
    row("pt-BR", "Análise do Keto Fácil", "Keto Fácil");
    row("pl", "Recenzja: Planer budżetu", "Planer budżetu");
    // The word alone is the whole name; inside a name it is part of it.
    row("de", "Test", "Test");
    row("de", "Testosteron Plus", "Testosteron Plus");
}

// A shared review names the product its title names, in the words of the page's language.
void TestPageWords::sharedProductName()
{
    QFETCH(QString, language);
    QFETCH(QString, mainTitle);
    QFETCH(QString, product);
    PageFields fields = m_fixture->typicalFields();
    fields.mainTitle = mainTitle;
    fields.language = language;
    QCOMPARE(Sharing::of(fields).productName, product);
}

QTEST_GUILESS_MAIN(TestPageWords)
#include "tst_pagewords.moc"
