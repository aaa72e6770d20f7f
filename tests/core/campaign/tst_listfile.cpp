#include "ListFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::campaign;

namespace {
QJsonArray items(int count)
{
    QJsonArray all{QJsonObject{{"campaign", "a.orvanta"}, {"badge", "Best overall"}},
                   QJsonObject{{"campaign", "sub/b.orvanta"}}};
    for (int i = 2; i < count; ++i)
        all << QJsonObject{{"campaign", QStringLiteral("c%1.orvanta").arg(i)}};
    return count < 2 ? QJsonArray{all.first()} : all;
}

const QJsonObject validList{
    {"format", "orvanta-list"},  {"version", 1},      {"title", "Best cookbooks"},
    {"kind", "comparison"},      {"items", items(2)}, {"rows", QJsonArray{"price"}},
    {"checkedOn", "2026-12-09"},
};
} // namespace

/** The list file: what it reads, what it refuses by name, what cannot make a page, and its round trip. */
class TestListFile final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refused_data();
    void refused();
    void roundTrip();
    void bookWritten_data();
    void bookWritten();
};

void TestListFile::refused_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("says"); ///< empty: read and usable
    const auto row = [](const char* name, const char* key, const QJsonValue& value, const char* says) {
        QTest::newRow(name) << QString(key) << value << QString(says);
    };
    row("valid", "title", "Best cookbooks", "");
    row("a campaign file", "format", "orvanta-campaign", "is not an Orvanta list");
    row("newer version", "version", 3, "made by a newer Orvanta");
    row("a book's subtitle not a text", "subtitle", 5, "\"subtitle\" should be a text");
    row("unknown kind", "kind", "best", "\"kind\" should be");
    row("items not a list", "items", "a.orvanta", "\"items\" should be");
    row("item without campaign", "items", QJsonArray{QJsonObject{{"badge", "x"}}}, "item 1: it names no campaign");
    row("unknown row", "rows", QJsonArray{"colour"}, "\"colour\" is no row");
    row("own row without label", "rows", QJsonArray{QJsonObject{{"values", QJsonArray{}}}}, "needs a label");
    row("bad date", "checkedOn", "9.12.2026", "\"checkedOn\" should be a date");
    row("brand colour", "brand", QJsonObject{{"accentColor", "red"}}, "red");
    row("one product", "items", items(1), "needs at least 2 products");
    row("thirty products", "items", items(30), "");
    row("thirty-one products", "items", items(31), "a list holds at most 30");
    row("a campaign twice, written two ways", "items",
        QJsonArray{items(2).first(), QJsonObject{{"campaign", "sub/../a.orvanta"}}}, "twice (item 2)");
    row("own row short of values", "rows", QJsonArray{QJsonObject{{"label", "Pages"}, {"values", QJsonArray{"1"}}}},
        "has 1 values for 2 products");
}

void TestListFile::refused()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QFETCH(QString, says);
    QJsonObject root = validList;
    root[key] = value;
    const QString file = QStringLiteral("/lists/cooks.orvantalist");
    const Result<ProductList> read = ListFile::fromJson(QJsonDocument(root).toJson(), "/lists", file);
    const QString problem = read ? ListFile::problem(read.value(), file) : read.error();
    QVERIFY2(says.isEmpty() ? problem.isEmpty() : problem.contains(says) && problem.contains(file),
             qPrintable(problem));
}

// Campaigns are kept relative to the list, so a folder copied elsewhere still finds them; rows keep their order.
void TestListFile::roundTrip()
{
    QTemporaryDir dir;
    QJsonObject root = validList;
    root["rows"] = QJsonArray{"price", QJsonObject{{"label", "Pages"}, {"values", QJsonArray{"120", "300"}}}};
    const Result<ProductList> read = ListFile::fromJson(QJsonDocument(root).toJson(), dir.path(), "x");
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QVERIFY(ListFile::write(dir.filePath("cooks.orvantalist"), read.value()).ok());
    QTemporaryDir moved;
    QVERIFY(QFile::copy(dir.filePath("cooks.orvantalist"), moved.filePath("cooks.orvantalist")));
    const Result<ProductList> again = ListFile::read(moved.filePath("cooks.orvantalist"));
    QVERIFY2(again.ok(), qPrintable(again.error()));
    QCOMPARE(again->items.at(1).campaignPath, moved.filePath("sub/b.orvanta"));
    QCOMPARE(again->items.at(0).badge, QStringLiteral("Best overall"));
    QCOMPARE(again->rows.at(0).kind, ListRow::Kind::Price);
    QCOMPARE(again->rows.at(1).values, QStringList({"120", "300"}));
    QCOMPARE(again->checkedOn, QDate(2026, 12, 9));
}

void TestListFile::bookWritten_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("version");
    QTest::newRow("a comparison stays readable by an older Orvanta") << "comparison" << 1;
    QTest::newRow("a book keeps its own texts") << "book" << 2;
}

// A book's texts come back; a file without them stays one an older Orvanta reads.
void TestListFile::bookWritten()
{
    QFETCH(QString, kind);
    QFETCH(int, version);
    QJsonObject root = validList;
    root["kind"] = kind;
    root["subtitle"] = "Tried for a month";
    root["items"] = QJsonArray{items(2).first(), QJsonObject{{"campaign", "b.orvanta"}, {"chapterTitle", "Two"}}};
    const QJsonObject written =
        QJsonDocument::fromJson(
            ListFile::toJson(ListFile::fromJson(QJsonDocument(root).toJson(), "/l", "x").value(), "/l"))
            .object();
    QCOMPARE(written.value("version").toInt(), version);
    const Result<ProductList> again = ListFile::fromJson(QJsonDocument(written).toJson(), "/l", "x");
    QCOMPARE(again->subtitle, version == 2 ? QStringLiteral("Tried for a month") : QString());
    QCOMPARE(again->items.at(1).chapterTitle, QStringLiteral("Two"));
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
