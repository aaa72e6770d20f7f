#include "ListFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace orvanta::campaign;

using JsonChange = std::function<void(QJsonObject&)>;
Q_DECLARE_METATYPE(JsonChange)

namespace {
QJsonObject validList()
{
    return QJsonObject{
        {"format", "orvanta-list"},
        {"version", 1},
        {"title", "Best cookbooks"},
        {"kind", "comparison"},
        {"items", QJsonArray{QJsonObject{{"campaign", "a.orvanta"}, {"badge", "Best overall"}},
                             QJsonObject{{"campaign", "sub/b.orvanta"}}}},
        {"rows", QJsonArray{"price", QJsonObject{{"label", "Pages"}, {"values", QJsonArray{"120", "300"}}}}},
        {"checkedOn", "2026-12-09"},
    };
}

QJsonArray items(int count)
{
    QJsonArray all;
    for (int i = 0; i < count; ++i)
        all << QJsonObject{{"campaign", QStringLiteral("c%1.orvanta").arg(i)}};
    return all;
}
} // namespace

/** The list file: what it reads, what it refuses by name, what cannot make a page, and its round trip. */
class TestListFile final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refused_data();
    void refused();
    void roundTrip();
};

void TestListFile::refused_data()
{
    QTest::addColumn<JsonChange>("change");
    QTest::addColumn<QString>("says"); ///< empty: read and usable
    const auto row = [](const char* name, JsonChange change, const char* says) {
        QTest::newRow(name) << change << QString::fromUtf8(says);
    };
    row(
        "valid", [](QJsonObject&) {}, "");
    row(
        "a campaign file", [](QJsonObject& o) { o["format"] = "orvanta-campaign"; }, "is not an Orvanta list");
    row(
        "newer version", [](QJsonObject& o) { o["version"] = 2; }, "made by a newer Orvanta");
    row(
        "version as text", [](QJsonObject& o) { o["version"] = "1"; }, "no valid format version");
    row(
        "unknown kind", [](QJsonObject& o) { o["kind"] = "best"; }, "\"kind\" should be");
    row(
        "items not a list", [](QJsonObject& o) { o["items"] = "a.orvanta"; }, "\"items\" should be");
    row(
        "item without campaign",
        [](QJsonObject& o) {
            o["items"] = QJsonArray{QJsonObject{{"badge", "x"}}};
        },
        "item 1: it names no campaign");
    row(
        "badge as number",
        [](QJsonObject& o) {
            o["items"] = QJsonArray{QJsonObject{{"campaign", "a.orvanta"}, {"badge", 1}}};
        },
        "item 1: badge");
    row(
        "unknown row", [](QJsonObject& o) { o["rows"] = QJsonArray{"colour"}; }, "\"colour\" is no row");
    row(
        "own row without label",
        [](QJsonObject& o) {
            o["rows"] = QJsonArray{QJsonObject{{"values", QJsonArray{}}}};
        },
        "needs a label");
    row(
        "bad date", [](QJsonObject& o) { o["checkedOn"] = "9.12.2026"; }, "\"checkedOn\" should be a date");
    row(
        "brand colour",
        [](QJsonObject& o) {
            o["brand"] = QJsonObject{{"accentColor", "red"}};
        },
        "red");
    row(
        "one product", [](QJsonObject& o) { o["items"] = items(1); }, "needs at least 2 products");
    row(
        "thirty products", [](QJsonObject& o) { o["items"] = items(30), o.remove("rows"); }, "");
    row(
        "thirty-one products", [](QJsonObject& o) { o["items"] = items(31); }, "a list holds at most 30");
    row(
        "a campaign twice, written two ways",
        [](QJsonObject& o) {
            o["items"] =
                QJsonArray{QJsonObject{{"campaign", "a.orvanta"}}, QJsonObject{{"campaign", "sub/../a.orvanta"}}};
        },
        "twice (item 2)");
    row(
        "own row short of values",
        [](QJsonObject& o) {
            o["rows"] = QJsonArray{QJsonObject{{"label", "Pages"}, {"values", QJsonArray{"1"}}}};
        },
        "has 1 values for 2 products");
}

void TestListFile::refused()
{
    QFETCH(JsonChange, change);
    QFETCH(QString, says);
    QJsonObject root = validList();
    change(root);
    const QString file = QStringLiteral("/lists/cooks.orvantalist");
    const Result<ProductList> read = ListFile::fromJson(QJsonDocument(root).toJson(), "/lists", file);
    const QString problem = read ? ListFile::problem(read.value(), file) : read.error();
    if (says.isEmpty()) {
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        return;
    }
    QVERIFY2(problem.contains(says), qPrintable(problem));
    QVERIFY2(problem.contains(file), qPrintable(problem));
}

// Campaigns are kept relative to the list, so a folder copied elsewhere still finds them; rows keep their order.
void TestListFile::roundTrip()
{
    QTemporaryDir dir;
    const Result<ProductList> read = ListFile::fromJson(QJsonDocument(validList()).toJson(), dir.path(), "x");
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->items.at(1).campaignPath, dir.filePath("sub/b.orvanta"));
    const QString path = dir.filePath("cooks.orvantalist");
    QVERIFY(ListFile::write(path, read.value()).ok());
    QTemporaryDir moved;
    QVERIFY(QFile::copy(path, moved.filePath("cooks.orvantalist")));
    const Result<ProductList> again = ListFile::read(moved.filePath("cooks.orvantalist"));
    QVERIFY2(again.ok(), qPrintable(again.error()));
    QCOMPARE(again->items.at(1).campaignPath, moved.filePath("sub/b.orvanta"));
    QCOMPARE(again->items.at(0).badge, QStringLiteral("Best overall"));
    QCOMPARE(again->rows.size(), 2);
    QCOMPARE(again->rows.at(0).kind, ListRow::Kind::Price);
    QCOMPARE(again->rows.at(1).values, QStringList({"120", "300"}));
    QCOMPARE(again->checkedOn, QDate(2026, 12, 9));
    QVERIFY(!ListFile::write(dir.path(), read.value()).ok());
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
