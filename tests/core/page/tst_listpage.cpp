#include "ListPage.h"

#include "Designs.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace orvanta::page;

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

private:
    ProductList listOf(int count, ProductList::Kind kind = ProductList::Kind::Comparison) const
    {
        ProductList list;
        list.title = "Best cookbooks";
        list.kind = kind;
        list.howWeRanked = "We cooked from each.";
        list.checkedOn = QDate(2026, 12, 9);
        list.items.resize(count);
        list.rows << ListRow{ListRow::Kind::Price, {}, {}};
        for (int i = 0; i < count; ++i) {
            ListProduct product;
            product.fields.mainTitle = QStringLiteral("Product %1 Review").arg(char('A' + i));
            product.fields.affiliateImagePath =
                writeFile(m_app->file(QStringLiteral("in/p%1.gif").arg(i)), pictureBytes("p"));
            product.fields.ctaUrl = QStringLiteral("https://shop.example/%1?utm_source=x").arg(i);
            product.fields.rating = i == 0 ? "4.5" : "";
            product.fields.price = "$9";
            product.fields.pros = "Quick\r\nCheap";
            product.badge = i == 1 ? "Best value" : "";
            m_products << product;
        }
        return list;
    }
    Result<BuiltPage> build(const ProductList& list) const
    {
        QDir().mkpath(m_app->file("out"));
        const PageTarget target{m_app->file("out"), m_app->file("out")};
        return ListPage::build(m_app->path(), list, m_products, ListPage::fieldsOf(list, "list"), target);
    }

    std::unique_ptr<TestAppFolder> m_app;
    mutable QList<ListProduct> m_products;
};

void TestListPage::init()
{
    m_app = std::make_unique<TestAppFolder>();
    m_products.clear();
    QVERIFY(m_app->isValid());
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

// Whatever the shape, every product stands in rank order with its own Buy link, and so in the structured data,
// each with its editor's review and never a rating of many.
void TestListPage::shape()
{
    QFETCH(int, count);
    QFETCH(ProductList::Kind, kind);
    QFETCH(bool, table);
    const Result<BuiltPage> page = build(listOf(count, kind));
    QVERIFY2(page.ok(), qPrintable(page.error()));
    const QString& text = page->filledText;
    QCOMPARE(text.count("<th scope=\"col\">"), table ? count : 0);
    QCOMPARE(text.contains("<caption>Best cookbooks</caption>"), table);
    QCOMPARE(text.contains("<th scope=\"row\">Price</th>"), table);
    QVERIFY(text.contains("thead { display: table-header-group; }") && text.contains("tr { break-inside: avoid;"));
    QCOMPARE(text.count("rel=\"nofollow sponsored\""), count);
    QVERIFY(text.contains("<strong class=\"list-badge\">Best value</strong>"));
    const QJsonArray items = page->share.structuredData.value("itemListElement").toArray();
    QCOMPARE(items.size(), count);
    qsizetype name = 0;
    qsizetype link = 0;
    for (int i = 0; i < count; ++i) {
        const QString product = QStringLiteral("Product %1").arg(char('A' + i));
        const qsizetype nextName = text.indexOf(QStringLiteral("%1.</span> %2<").arg(i + 1).arg(product));
        const qsizetype nextLink = text.indexOf(QStringLiteral("href=\"https://shop.example/%1?utm_source=x\"").arg(i));
        QVERIFY2(nextName > name && nextLink > link, qPrintable(product));
        name = nextName;
        link = nextLink;
        QCOMPARE(items.at(i)["position"].toInt(), i + 1);
        QCOMPARE(items.at(i)["item"]["name"].toString(), product);
        QCOMPARE(items.at(i)["item"]["review"].toObject().contains("reviewRating"), i == 0);
        QCOMPARE(items.at(i)["item"]["review"]["positiveNotes"]["itemListElement"].toArray().size(), 2);
    }
    QVERIFY(!QJsonDocument(page->share.structuredData).toJson().contains("ggregateRating"));
}

void TestListPage::wordsAndEscaping()
{
    ProductList list = listOf(2);
    list.language = "de";
    list.title = "<script>alert(1)</script>";
    list.rows << ListRow{ListRow::Kind::Own, "<i>Pages</i>", {"#LISTPRODUCTS#", "120"}};
    m_products[1].badge = "<b>Tipp</b>";
    const Result<BuiltPage> page = build(list);
    QVERIFY2(page.ok(), qPrintable(page.error()));
    const QString& text = page->filledText;
    for (const char* german : {"Provision", "So haben wir bewertet", "Geprüft am", "Dezember 2026", "4,5 von 5"})
        QVERIFY2(text.contains(QString::fromUtf8(german)), german);
    for (const char* markup : {"<script>alert", "<b>Tipp", "<i>Pages"})
        QVERIFY2(!text.contains(markup), markup);
    QCOMPARE(text.count("<table"), 1);
}

void TestListPage::ownListTemplate_data()
{
    QTest::addColumn<QByteArray>("listHtml");
    QTest::addColumn<QString>("says"); ///< empty: the own page is used
    QTest::newRow("a whole list page") << QByteArray("<head></head>OWN #LISTTITLE# #DISCLOSURE# #LISTPRODUCTS# "
                                                     "#LISTMETHOD#")
                                       << "";
    QTest::newRow("no products") << QByteArray("<head></head>#LISTTITLE# #DISCLOSURE# #LISTMETHOD#")
                                 << "lacks the placeholder #LISTPRODUCTS#";
}

// A design's own list page is no stray page that makes the design unusable.
void TestListPage::ownListTemplate()
{
    QFETCH(QByteArray, listHtml);
    QFETCH(QString, says);
    QVERIFY(QFile::copy(m_app->file("designs/Calm/template.html"),
                        m_app->write("designs/Mine/list.html", listHtml).replace("list.html", "template.html")));
    QVERIFY2(Designs::find(m_app->path(), "Mine").usable(), qPrintable(Designs::find(m_app->path(), "Mine").problem));
    ProductList list = listOf(2);
    list.design = "Mine";
    const Result<BuiltPage> page = build(list);
    if (!says.isEmpty())
        QVERIFY2(!page && page.error().contains(says) && page.error().contains("Mine"), qPrintable(page.error()));
    else
        QVERIFY2(page && page->filledText.contains("OWN Best cookbooks") && page->filledText.contains("<table"),
                 qPrintable(page.error()));
}

QTEST_GUILESS_MAIN(TestListPage)
#include "tst_listpage.moc"
