#include "AppFolder.h"
#include "LinksTable.h"
#include "RedirectFiles.h"
#include "ShortLinkStore.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvanta::files;
using namespace orvanta::links;

namespace {
LinkEntry entry(const QString& slug, const QString& target, const QString& pdf = QStringLiteral("guide"))
{
    return {slug, "https://example.com/go/" + slug, target, QStringLiteral("Guide"), pdf, {}, {}, {}};
}

QByteArray entryJson(const QByteArray& slug, const QByteArray& link, const QByteArray& target)
{
    return "{\"slug\":\"" + slug + "\",\"link\":\"" + link + "\",\"target\":\"" + target +
           "\",\"campaign\":\"C\",\"pdf\":\"p\",\"made\":\"2026-12-09T19:00:00Z\",\"lastCheck\":\"\"}";
}

QByteArray tableJson(const QByteArray& links, const QByteArray& version = "1")
{
    return "{\"format\":\"orvanta-links\",\"version\":" + version + ",\"links\":" + links + "}";
}
} // namespace

/** The links table on disk: what it keeps, what it refuses, and the redirect files that follow every change. */
class TestLinksTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableOnDisk();
    void damaged_data();
    void damaged();
    void keptOnRewrite();
    void pageOutsideTheSite();
    void onePageFails();
    void serverFileFails();
};

// Written, read back and re-pointed; the redirect files follow every change.
void TestLinksTable::tableOnDisk()
{
    QTemporaryDir app;
    {
        const Result<LinksTable> none = ShortLinkStore::read(app.path());
        QVERIFY(none.ok());
        QVERIFY(none->entries().isEmpty());
    }
    QVERIFY(ShortLinkStore::record(app.path(), entry("guide", "https://a.example/?x=1")).ok());
    QVERIFY(ShortLinkStore::record(app.path(), entry("book", "https://b.example/", "book")).ok());
    QVERIFY(
        ShortLinkStore::record(app.path(), entry("book", "https://c.example/", "other")).error().contains("\"book\""));
    QVERIFY(ShortLinkStore::repoint(app.path(), "guide", "https://new.example/a b?y=2#f").ok());
    QVERIFY(!ShortLinkStore::repoint(app.path(), "missing", "https://new.example/").ok());
    QVERIFY(!ShortLinkStore::repoint(app.path(), "guide", "https://new.example/\nx").ok());
    const Result<LinksTable> read = ShortLinkStore::read(app.path());
    QVERIFY(read.ok());
    QCOMPARE(read->entries().size(), 2);
    const LinkEntry* guide = read->find("guide");
    QVERIFY(guide);
    QCOMPARE(guide->target, QStringLiteral("https://new.example/a%20b?y=2#f"));
    QVERIFY(guide->repointed.isValid());
    QCOMPARE(read->find("book")->target, QStringLiteral("https://b.example/"));
    const QString folder = AppFolder::linksFolder(app.path());
    QVERIFY(bytesOf(folder + "/.htaccess").contains("^/go/guide/?$\" \"https://new.example/a%20b?y=2#f\""));
    QVERIFY(bytesOf(folder + "/_redirects").contains("/go/book https://b.example/ 302"));
    QVERIFY(bytesOf(folder + "/site/go/guide/index.html").contains("url=https://new.example/a%20b?y=2#f\""));

    // What a check said of the old target says nothing of the new one.
    LinksTable checked = *read;
    checked.setLastCheck("guide", "2026-12-09: target working");
    QVERIFY(checked.repoint("guide", "https://other.example/", QDateTime::currentDateTimeUtc()).ok());
    QCOMPARE(checked.find("guide")->lastCheck, QString());
}

// A hand edit the table cannot stand by is refused by name, never read as empty, and nothing is written over it.
void TestLinksTable::damaged_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: the table's name is a folder
    QTest::addColumn<QString>("words");
    const QByteArray guide = entryJson("guide", "https://example.com/go/guide", "https://a.example/");
    QTest::newRow("links an object") << tableJson("{\"0\":" + guide + "}") << "is no list";
    QTest::newRow("links missing") << QByteArray("{\"format\":\"orvanta-links\",\"version\":1}") << "is no list";
    QTest::newRow("a slug twice") << tableJson("[" + guide + "," + guide + "]") << "\"guide\" stands in it twice";
    QTest::newRow("a newer version") << tableJson("[" + guide + "]", "2") << "newer Orvanta (version 2)";
    QTest::newRow("a target stored raw")
        << tableJson("[" + entryJson("guide", "https://example.com/go/guide", "https://a.example/a b") + "]")
        << "\"guide\" is no sound";
    QTest::newRow("a directive after a slug")
        << tableJson("[" +
                     entryJson("guide\\nRedirect 302 / x", "https://example.com/go/guide\\nRedirect 302 / x",
                               "https://a.example/") +
                     "]")
        << "is no sound";
    QTest::newRow("a base climbing out")
        << tableJson("[" + entryJson("guide", "https://example.com/go/../../../guide", "https://a.example/") + "]")
        << "\"guide\" is no sound";
    QTest::newRow("no JSON") << QByteArray("{\"format\":") << "no table Orvanta wrote";
    QTest::newRow("unreadable") << QByteArray() << "cannot be read";
}

void TestLinksTable::damaged()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, words);
    QTemporaryDir app;
    const QString path = AppFolder::linksTablePath(app.path());
    if (file.isEmpty())
        QVERIFY(QDir().mkpath(path));
    else
        writeFile(path, file);
    const Result<LinksTable> read = ShortLinkStore::read(app.path());
    QVERIFY2(read.error().contains(words) && read.error().contains(QDir::toNativeSeparators(path)),
             qPrintable(read.error()));
    QVERIFY(!ShortLinkStore::record(app.path(), entry("book", "https://b.example/", "book")).ok());
    QVERIFY(!ShortLinkStore::repoint(app.path(), "guide", "https://c.example/").ok());
    QCOMPARE(bytesOf(path), file);
    QVERIFY(!QFile::exists(AppFolder::linksFolder(app.path()) + "/.htaccess"));
}

// What a newer Orvanta wrote beside the fields stays, and so does a link made at a site's root before such bases were
// refused; what an ended write left beside the files goes.
void TestLinksTable::keptOnRewrite()
{
    QTemporaryDir app;
    const QString path = AppFolder::linksTablePath(app.path());
    QJsonObject guide =
        QJsonDocument::fromJson(entryJson("guide", "https://example.com/go/guide", "https://a/")).object();
    guide.insert("clicks", 7);
    writeFile(path, tableJson("[" + QJsonDocument(guide).toJson() + "," +
                              entryJson("root", "https://example.com/root", "https://r/") + "]")
                        .replace("\"version\"", "\"owner\":\"me\",\"version\""));
    const QString folder = AppFolder::linksFolder(app.path());
    const QStringList leftovers{folder + "/.htaccess.Ab12Cd", folder + "/links.json.x1Y2z3",
                                folder + "/site/go/guide/index.html.QwErTy"};
    for (const QString& leftover : leftovers)
        writeFile(leftover, "half");
    const QString own = writeFile(folder + "/site/go/guide/notes.txt", "mine");
    QVERIFY(ShortLinkStore::repoint(app.path(), "guide", "https://b.example/").ok());
    const QJsonObject root = QJsonDocument::fromJson(bytesOf(path)).object();
    QCOMPARE(root.value("owner").toString(), "me");
    const QJsonObject kept = root.value("links").toArray().first().toObject();
    QCOMPARE(kept.value("clicks").toInt(), 7);
    QCOMPARE(kept.value("target").toString(), "https://b.example/");
    for (const QString& leftover : leftovers)
        QVERIFY2(!QFile::exists(leftover), qPrintable(leftover));
    QVERIFY(QFile::exists(own));
    QVERIFY(bytesOf(folder + "/nginx-locations.conf").contains("location = /root/ {"));
}

// A folder of the site that leads elsewhere: the link is refused before it is recorded, and a table that holds one
// is damaged.
void TestLinksTable::pageOutsideTheSite()
{
    QTemporaryDir app;
    QTemporaryDir elsewhere;
    const QString site = AppFolder::linksFolder(app.path()) + "/site";
    QVERIFY(QDir().mkpath(site));
    QVERIFY(QFile::link(elsewhere.path(), site + "/go"));
    const Result<void> refused = ShortLinkStore::record(app.path(), entry("guide", "https://a.example/"));
    QVERIFY2(refused.error().contains("\"guide\"") && refused.error().contains("outside"), qPrintable(refused.error()));
    QVERIFY(!QFile::exists(AppFolder::linksTablePath(app.path())));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
    writeFile(AppFolder::linksTablePath(app.path()),
              tableJson("[" + entryJson("guide", "https://example.com/go/guide", "https://a.example/") + "]"));
    QVERIFY(ShortLinkStore::read(app.path()).error().contains("outside"));
    LinkEntry climbing = entry("guide", "https://a.example/");
    climbing.link = "https://example.com/../../../guide";
    QVERIFY(RedirectFiles::pageFolderOf(AppFolder::linksFolder(app.path()), climbing).error().contains("outside"));
}

// One page that cannot be written holds back none of the others, and the failure names its link.
void TestLinksTable::onePageFails()
{
    QTemporaryDir app;
    const QString site = AppFolder::linksFolder(app.path()) + "/site/go";
    writeFile(site + "/aaa", "a file where the page's folder would go");
    const Result<void> recorded = ShortLinkStore::record(app.path(), entry("aaa", "https://a.example/"));
    QVERIFY2(recorded.error().contains("\"aaa\""), qPrintable(recorded.error()));
    QVERIFY(ShortLinkStore::record(app.path(), entry("zzz", "https://z.example/", "z")).error().contains("\"aaa\""));
    QVERIFY(bytesOf(site + "/zzz/index.html").contains("https://z.example/"));
    QCOMPARE(ShortLinkStore::read(app.path())->entries().size(), 2);
}

// The table is written last: when a server's file cannot be written, it still says what the files say.
void TestLinksTable::serverFileFails()
{
    QTemporaryDir app;
    QVERIFY(ShortLinkStore::record(app.path(), entry("guide", "https://a.example/")).ok());
    const QString table = AppFolder::linksTablePath(app.path());
    const QByteArray before = bytesOf(table);
    const QString htaccess = AppFolder::linksFolder(app.path()) + "/.htaccess";
    QVERIFY(QFile::remove(htaccess) && QDir().mkpath(htaccess + "/x"));
    QVERIFY(ShortLinkStore::repoint(app.path(), "guide", "https://b.example/").error().contains(".htaccess"));
    QCOMPARE(bytesOf(table), before);
}

QTEST_GUILESS_MAIN(TestLinksTable)
#include "tst_linkstable.moc"
