#include "ListPage.h"

#include "Designs.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace orvanta::page;

namespace {
struct Built {
    QString text;
    QString error;
    QJsonObject structured;
};
} // namespace

/** The list page's parts that matter: its shape, its order and links, its words, its escaping and its design. */
class TestListPage final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void shape_data();
    void shape();
    void wordsAndEscaping();
    void ownListTemplate_data();
    void ownListTemplate();
    void structuredData();

private:
    ProductList listOf(int count, ProductList::Kind kind = ProductList::Kind::Comparison) const;
    QList<ListProduct> productsOf(int count) const;
    Built build(const ProductList& list, const QList<ListProduct>& products) const;

    std::unique_ptr<TestAppFolder> m_app;
};

void TestListPage::init()
{
    m_app = std::make_unique<TestAppFolder>();
    QVERIFY(m_app->isValid());
}

ProductList TestListPage::listOf(int count, ProductList::Kind kind) const
{
    ProductList list;
    list.title = "Best cookbooks";
    list.kind = kind;
    list.howWeRanked = "We cooked from each.";
    list.checkedOn = QDate(2026, 12, 9);
    for (int i = 0; i < count; ++i)
        list.items << ListItem{QStringLiteral("/c%1.orvanta").arg(i), i == 1 ? "Best value" : "", ""};
    list.rows << ListRow{ListRow::Kind::Price, {}, {}};
    return list;
}

QList<ListProduct> TestListPage::productsOf(int count) const
{
    QList<ListProduct> products;
    for (int i = 0; i < count; ++i) {
        ListProduct product;
        product.fields.mainTitle = QStringLiteral("Product %1 Review").arg(char('A' + i));
        product.fields.affiliateImagePath =
            writeFile(m_app->file(QStringLiteral("in/p%1.gif").arg(i)), pictureBytes("p"));
        product.fields.ctaUrl = QStringLiteral("https://shop.example/%1?utm_source=x").arg(i);
        product.fields.price = QStringLiteral("$%1").arg(10 + i);
        product.fields.rating = i == 0 ? "4.5" : "";
        product.fields.pros = "Quick\r\nCheap";
        product.badge = i == 1 ? "Best value" : "";
        products << product;
    }
    return products;
}

Built TestListPage::build(const ProductList& list, const QList<ListProduct>& products) const
{
    const QString folder = m_app->file("out");
    QDir().mkpath(folder);
    const Result<BuiltPage> page =
        ListPage::build(m_app->path(), list, products, ListPage::fieldsOf(list, "list"), {folder, folder});
    if (!page)
        return {{}, page.error(), {}};
    return {page->filledText, {}, page->share.structuredData};
}

void TestListPage::shape_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<ProductList::Kind>("kind");
    QTest::addColumn<bool>("table");
    QTest::newRow("two compared: a table") << 2 << ProductList::Kind::Comparison << true;
    QTest::newRow("four compared: a table") << 4 << ProductList::Kind::Comparison << true;
    QTest::newRow("five compared: blocks") << 5 << ProductList::Kind::Comparison << false;
    QTest::newRow("a top three: blocks") << 3 << ProductList::Kind::Top << false;
}

// Whatever the shape, every product stands in rank order with its own Buy link.
void TestListPage::shape()
{
    QFETCH(int, count);
    QFETCH(ProductList::Kind, kind);
    QFETCH(bool, table);
    const Built page = build(listOf(count, kind), productsOf(count));
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QCOMPARE(page.text.contains("<table"), table);
    QCOMPARE(page.text.count("<th scope=\"col\">"), table ? count : 0);
    QCOMPARE(page.text.contains("<caption>Best cookbooks</caption>"), table);
    QVERIFY(page.text.contains("<th scope=\"row\">Price</th>") == table);
    QVERIFY(page.text.contains("thead { display: table-header-group; }"));
    QVERIFY(page.text.contains("tr { break-inside: avoid;"));
    qsizetype name = 0;
    qsizetype link = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype nextName =
            page.text.indexOf(QStringLiteral("%1.</span> Product %2<").arg(i + 1).arg(char('A' + i)));
        const qsizetype nextLink =
            page.text.indexOf(QStringLiteral("href=\"https://shop.example/%1?utm_source=x\"").arg(i));
        QVERIFY2(nextName > name && nextLink > link, qPrintable(QString::number(i)));
        name = nextName;
        link = nextLink;
    }
    QCOMPARE(page.text.count("rel=\"nofollow sponsored\""), count);
    QVERIFY(page.text.contains("<strong class=\"list-badge\">Best value</strong>"));
}

void TestListPage::wordsAndEscaping()
{
    ProductList list = listOf(2);
    list.language = "de";
    list.title = "<script>alert(1)</script>";
    list.rows << ListRow{ListRow::Kind::Own, "<i>Pages</i>", {"#LISTPRODUCTS#", "120"}};
    QList<ListProduct> products = productsOf(2);
    products[1].badge = "<b>Tipp</b>";
    const Built page = build(list, products);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QVERIFY(page.text.contains("Provision"));
    QVERIFY(page.text.contains("So haben wir bewertet"));
    QVERIFY(page.text.contains("Geprüft am"));
    QVERIFY(page.text.contains("Dezember 2026"));
    QVERIFY(page.text.contains("Bewertung: 4,5 von 5"));
    QVERIFY(!page.text.contains("<script>alert"));
    QVERIFY(!page.text.contains("<b>Tipp"));
    QVERIFY(!page.text.contains("<i>Pages"));
    QCOMPARE(page.text.count("<table"), 1);
}

void TestListPage::ownListTemplate_data()
{
    QTest::addColumn<QByteArray>("listHtml");
    QTest::addColumn<QString>("says"); ///< empty: the own page is used
    QTest::newRow("a whole list page") << QByteArray("<html><head></head><body>OWN #LISTTITLE# #DISCLOSURE# "
                                                     "#LISTPRODUCTS# #LISTMETHOD#</body>")
                                       << "";
    QTest::newRow("no products") << QByteArray("<html><head></head><body>#LISTTITLE# #DISCLOSURE# #LISTMETHOD#")
                                 << "lacks the placeholder #LISTPRODUCTS#";
}

// A design's own list page is no stray page that makes the design unusable.
void TestListPage::ownListTemplate()
{
    QFETCH(QByteArray, listHtml);
    QFETCH(QString, says);
    const QString calm = m_app->file("designs/Calm/template.html");
    QFile source(calm);
    QVERIFY(source.open(QIODevice::ReadOnly));
    m_app->write("designs/Mine/template.html", source.readAll());
    m_app->write("designs/Mine/list.html", listHtml);
    QVERIFY2(Designs::find(m_app->path(), "Mine").usable(), qPrintable(Designs::find(m_app->path(), "Mine").problem));
    ProductList list = listOf(2);
    list.design = "Mine";
    const Built page = build(list, productsOf(2));
    if (!says.isEmpty()) {
        QVERIFY2(page.error.contains(says) && page.error.contains("Mine"), qPrintable(page.error));
        return;
    }
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QVERIFY(page.text.contains("OWN Best cookbooks"));
    QVERIFY(page.text.contains("<table"));
}

// Positions follow the page's order; each product carries its editor's review, never a rating of many.
void TestListPage::structuredData()
{
    const Built page = build(listOf(3), productsOf(3));
    QCOMPARE(page.structured.value("@type").toString(), QStringLiteral("ItemList"));
    const QJsonArray items = page.structured.value("itemListElement").toArray();
    QCOMPARE(items.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject item = items.at(i).toObject();
        QCOMPARE(item.value("position").toInt(), i + 1);
        const QJsonObject product = item.value("item").toObject();
        QCOMPARE(product.value("name").toString(), QStringLiteral("Product %1").arg(char('A' + i)));
        const QJsonObject review = product.value("review").toObject();
        QCOMPARE(review.contains("reviewRating"), i == 0);
        QCOMPARE(review.value("positiveNotes").toObject().value("itemListElement").toArray().size(), 2);
    }
    QVERIFY(!QJsonDocument(page.structured).toJson().contains("AggregateRating"));
    QVERIFY(!QJsonDocument(page.structured).toJson().contains("aggregateRating"));
}

QTEST_GUILESS_MAIN(TestListPage)
#include "tst_listpage.moc"
