#include "BookPage.h"

#include "TestAppFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace orvanta::page;

/** The book's markup: every text of the user's escaped wherever it stands, its language, its contents' numbers. */
class TestBookPage final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escaped_data();
    void escaped();
    void languageAndNumbers();
    void bonusPicture_data();
    void bonusPicture();
};

namespace {
QList<ListProduct> twoProducts(const TestAppFolder& app)
{
    QList<ListProduct> products(2);
    for (int i = 0; i < 2; ++i) {
        products[i].fields.mainTitle = QStringLiteral("Product %1 Review").arg(i);
        products[i].fields.affiliateImagePath =
            writeFile(app.file(QStringLiteral("in/p%1.gif").arg(i)), pictureBytes("p"));
    }
    return products;
}

Result<BuiltPage> built(const TestAppFolder& app, ProductList list, const QList<ListProduct>& products,
                        const QString& language = QString())
{
    list.items.resize(2);
    QDir().mkpath(app.file("out"));
    PageFields fields;
    fields.language = language;
    fields.pdfFileName = "book";
    return BookPage::build(app.path(), list, products, fields, {app.file("out"), app.file("out")});
}

// A book of two products whose @p list texts are set; its filled page, or why it was not built.
QString filled(const TestAppFolder& app, const ProductList& list, const QString& language = QString())
{
    const Result<BuiltPage> page = built(app, list, twoProducts(app), language);
    return page ? page->filledText : page.error();
}
} // namespace

void TestBookPage::escaped_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("never"); ///< what must not stand in the page as it was typed
    const auto row = [](const char* name, const char* field, const char* value, const char* never) {
        QTest::newRow(name) << QString(field) << QString(value) << QString(never);
    };
    row("subtitle", "subtitle", "<i>new</i> & true", "<i>new");
    row("author", "author", "<script>x()</script>", "<script>");
    row("introduction", "introduction", "<img src=x onerror=y>", "<img src=x");
    row("closing", "closing", "</section><h1>Buy</h1>", "</section><h1>Buy");
    row("chapter title in its heading", "chapter", "A <u>B</u>", "<u>B");
    row("chapter title in its running header", "chapter", "x\"; } body { display: none } </style>", "\"; }");
}

void TestBookPage::escaped()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, never);
    TestAppFolder app;
    QVERIFY(app.isValid());
    ProductList book;
    book.items.resize(1);
    for (auto [name, place] : {std::pair{"subtitle", &book.subtitle}, std::pair{"author", &book.author},
                               std::pair{"introduction", &book.introduction}, std::pair{"closing", &book.closing},
                               std::pair{"chapter", &book.items[0].chapterTitle}})
        if (field == name)
            *place = value;
    const QString page = filled(app, book);
    QVERIFY2(page.contains("<body>"), qPrintable(page));
    QVERIFY2(!page.contains(never), qPrintable(page));
    QCOMPARE(page.count("</style>"), 2);
}

// The numbers go only where the contents hold them; the page declares its language and its footer speaks it.
void TestBookPage::languageAndNumbers()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QString page = filled(app, ProductList(), "de");
    QVERIFY(page.contains("lang=\"de\""));
    QVERIFY(page.contains("\"Seite \" counter(page) \" von \" counter(pages)"));
    QString numbered = BookPage::withNumbers(page, {4, 12});
    QVERIFY(numbered.contains("id=\"toc-page-1\">4</span>"));
    QVERIFY(numbered.contains("id=\"toc-page-2\">12</span>"));
    const QString blank = ">&#8199;&#8199;&#8199;</span>";
    QCOMPARE(numbered.replace(">4</span>", blank).replace(">12</span>", blank), page);
}

void TestBookPage::bonusPicture_data()
{
    QTest::addColumn<QString>("headline");
    QTest::addColumn<bool>("pictureThere");
    QTest::addColumn<QString>("shows"); ///< empty: no bonus part; "missing": refused as a page refuses it
    QTest::newRow("the bonus's picture on its page")
        << "Bonus & more" << true << "<img src=\"book-bonus.gif\" alt=\"Bonus &amp; more\">";
    QTest::newRow("no bonus shown, no picture needed") << "" << false << "";
    QTest::newRow("a missing picture named") << "Bonus" << false << "missing";
}

void TestBookPage::bonusPicture()
{
    QFETCH(QString, headline);
    QFETCH(bool, pictureThere);
    QFETCH(QString, shows);
    TestAppFolder app;
    QVERIFY(app.isValid());
    QList<ListProduct> products = twoProducts(app);
    PageFields& first = products[0].fields;
    first.bonusHeadline = headline;
    first.ownBonus = true;
    first.ownBonusImagePath = app.file("in/bonus.gif");
    if (pictureThere)
        writeFile(first.ownBonusImagePath, pictureBytes("b"));
    const Result<BuiltPage> page = built(app, ProductList(), products);
    if (shows == "missing") {
        QVERIFY(!page && page.failure().is(BuildFailure::BonusImageMissing));
        QCOMPARE(page.error(), first.ownBonusImagePath);
        return;
    }
    QVERIFY2(page.ok(), qPrintable(page.error()));
    QCOMPARE(page->imageNames.contains("book-bonus.gif"), !shows.isEmpty());
    QCOMPARE(QFileInfo::exists(app.file("out/book-bonus.gif")), !shows.isEmpty());
    if (!shows.isEmpty())
        QVERIFY2(page->filledText.contains(shows), qPrintable(page->filledText));
}

QTEST_GUILESS_MAIN(TestBookPage)
#include "tst_bookpage.moc"
