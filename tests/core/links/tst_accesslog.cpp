#include "AccessLogReader.h"
#include "AppFolder.h"
#include "ClickCounts.h"
#include "ClickImport.h"
#include "ClickPaths.h"
#include "LinkJudgement.h"
#include "ShortLinkStore.h"
#include "TestAppFolder.h"

#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

using namespace orvanta::files;
using namespace orvanta::links;

namespace {
const QByteArray Browser = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0";

QByteArray line(const QByteArray& address, const QByteArray& request, int status, const QByteArray& agent = Browser,
                const QByteArray& time = "10/Dec/2026:08:00:00 +0000")
{
    return address + " - - [" + time + "] \"" + request + " HTTP/1.1\" " + QByteArray::number(status) + " 0 \"-\" \"" +
           agent + "\"\n";
}

QByteArray get(const QByteArray& address, const QByteArray& path, const QByteArray& time = "10/Dec/2026:08:00:00 +0000")
{
    return line(address, "GET " + path, 302, Browser, time);
}

QList<LinkEntry> links()
{
    return {{"guide", "https://example.com/go/guide", "https://a.example/", "G", "guide", {}, {}, {}},
            {"book", "https://example.com/go/book", "https://b.example/", "B", "book", {}, {}, {}}};
}

// "book/web/2026-12-10=2 guide/link/2026-12-10=3", so a wrong count names where it went.
QString countsText(const ClickCounts& counts)
{
    QStringList parts;
    for (auto slug = counts.all().cbegin(); slug != counts.all().cend(); ++slug)
        for (auto channel = slug->cbegin(); channel != slug->cend(); ++channel)
            for (auto day = channel->cbegin(); day != channel->cend(); ++day)
                parts << QStringLiteral("%1/%2/%3=%4")
                             .arg(slug.key(), channel.key(), day.key().toString(Qt::ISODate))
                             .arg(day.value());
    return parts.join(' ');
}

QString leftOutText(const ClickTally& t)
{
    const QList<std::pair<const char*, qint64>> reasons{
        {"checker", t.checker},         {"crawler", t.crawler},         {"earlier", t.earlier},
        {"notAnswered", t.notAnswered}, {"otherMethod", t.otherMethod}, {"otherPath", t.otherPath},
        {"repeat", t.repeat},           {"tooLong", t.tooLong},         {"unreadable", t.unreadable}};
    QStringList parts;
    for (const auto& [name, count] : reasons)
        if (count > 0)
            parts << QStringLiteral("%1=%2").arg(name).arg(count);
    return parts.join(' ');
}

QString writeLog(const QString& path, const QByteArray& bytes, bool gzipped)
{
    if (!gzipped)
        return writeFile(path, bytes);
    gzFile file = gzopen(QFile::encodeName(path).constData(), "wb");
    gzwrite(file, bytes.constData(), unsigned(bytes.size()));
    gzclose(file);
    return path;
}

// Counts @p log as an import would, through the counts' own file, so what a later import knows is what was saved.
AccessLogReader::Reading import(const QString& countsPath, const QString& log)
{
    Result<ClickCounts> counts = ClickCounts::read(countsPath);
    if (!counts)
        return {{}, counts.error()};
    const ClickPaths paths(links());
    AccessLogReader reader(paths, counts.value());
    const Result<AccessLogReader::Reading> reading = reader.read(log);
    if (!reading)
        return {{}, reading.error()};
    if (const Result<void> written = counts->write(countsPath); !written)
        return {{}, written.error()};
    return *reading;
}

QByteArray humans(int count, const QByteArray& path = "/go/guide")
{
    QByteArray log;
    for (int i = 0; i < count; ++i)
        log += get("10.0." + QByteArray::number(i / 250) + "." + QByteArray::number(i % 250), path);
    return log;
}
} // namespace

/** Clicks read from access logs: what counts, what is left out and why, and a log read again counting once. */
class TestAccessLog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void counted_data();
    void counted();
    void readAgain_data();
    void readAgain();
    void damaged();
    void imported();
};

void TestAccessLog::counted_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("leftOut");

    const QByteArray checker(LinkJudging::CheckerAgent);
    QTest::newRow("goal fixture")
        << get("10.0.0.1", "/go/guide") + get("10.0.0.2", "/go/guide/") + get("2001:db8::7", "/go/guide?utm=x") +
               get("10.0.0.3", "/go/guide/p") + get("10.0.0.4", "/go/guide/p") + get("10.0.0.5", "/go/guide/p") +
               get("10.0.0.6", "/go/guide/q") + get("10.0.0.7", "/go/guide/q/") + get("10.0.0.8", "/go/book/w") +
               get("10.0.0.9", "/go/book/w/index.html") +
               line("66.249.66.1", "GET /go/guide", 302, "Mozilla/5.0 (compatible; Googlebot/2.1)") +
               line("31.13.1.1", "GET /go/guide/q", 302, "facebookexternalhit/1.1") +
               line("3.3.3.3", "GET /go/book/w", 200, "Slackbot-LinkExpanding 1.0") +
               line("10.0.1.1", "HEAD /go/guide", 302) + line("10.0.1.2", "HEAD /go/book/w", 302) +
               line("127.0.0.1", "GET /go/guide", 302, checker) + line("127.0.0.1", "GET /go/book", 302, checker) +
               get("10.0.0.1", "/go/guide", "10/Dec/2026:08:00:20 +0000") + line("10.0.2.1", "GET /go/guide", 404) +
               get("10.0.2.2", "/blog/")
        << "book/web/2026-12-10=2 guide/button/2026-12-10=3 guide/link/2026-12-10=3 guide/qr/2026-12-10=2"
        << "checker=2 crawler=3 notAnswered=1 otherMethod=2 otherPath=1 repeat=1";
    QTest::newRow("same visitor after 31 s")
        << get("10.0.0.1", "/go/guide") + get("10.0.0.1", "/go/guide", "10/Dec/2026:08:00:31 +0000")
        << "guide/link/2026-12-10=2"
        << "";
    QTest::newRow("repeat written before the first")
        << get("10.0.0.1", "/go/guide", "10/Dec/2026:08:00:20 +0000") + get("10.0.0.1", "/go/guide")
        << "guide/link/2026-12-10=1"
        << "repeat=1";
    QTest::newRow("day in UTC from other zones") << get("10.0.0.1", "/go/guide", "10/Dec/2026:00:30:00 +0100") +
                                                        get("10.0.0.2", "/go/guide", "10/Dec/2026:20:00:00 -0500")
                                                 << "guide/link/2026-12-09=1 guide/link/2026-12-11=1"
                                                 << "";
    QTest::newRow("invalid UTF-8") << line("10.0.0.1", "GET /go/guide", 302, "Mozilla/5.0 \xc3\x28") << ""
                                   << "unreadable=1";
    QTest::newRow("another format") << QByteArray("10.0.0.1 - - [10/Dec/2026:08:00:00 +0000] \"GET /go/guide\" 302 0\n")
                                    << ""
                                    << "unreadable=1";
    QTest::newRow("long line in one chunk")
        << line("10.0.0.1", "GET /go/guide", 302, Browser + QByteArray(20000, 'x')) + get("10.0.0.2", "/go/guide")
        << "guide/link/2026-12-10=1"
        << "tooLong=1";
    QTest::newRow("line of megabytes") << line("10.0.0.1", "GET /go/guide", 302, QByteArray(3 << 20, 'x')) +
                                              get("10.0.0.2", "/go/guide")
                                       << "guide/link/2026-12-10=1"
                                       << "tooLong=1";
    QTest::newRow("unfinished last line")
        << get("10.0.0.1", "/go/guide") + get("10.0.0.2", "/go/guide").chopped(1) << "guide/link/2026-12-10=1"
        << "";
}

void TestAccessLog::counted()
{
    QFETCH(QByteArray, log);
    QFETCH(QString, counts);
    QFETCH(QString, leftOut);
    QTemporaryDir dir;
    ClickCounts clicks;
    const ClickPaths paths(links());
    AccessLogReader reader(paths, clicks);
    const Result<AccessLogReader::Reading> reading = reader.read(writeFile(dir.filePath("access.log"), log));
    QVERIFY2(reading.ok(), qPrintable(reading.error()));
    QCOMPARE(reading->problem, QString());
    QCOMPARE(countsText(clicks), counts);
    QCOMPARE(leftOutText(reading->tally), leftOut);
}

void TestAccessLog::readAgain_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<bool>("firstGzipped");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<bool>("secondGzipped");
    QTest::addColumn<qint64>("total");

    const QByteArray log = humans(3);
    // Past the head a log is known by, so a short log that grew is still the same log.
    const QByteArray grown = log + humans(60, "/blog/") + get("10.9.9.9", "/go/guide");
    QTest::newRow("same log twice") << log << false << log << false << qint64(3);
    QTest::newRow("gzipped copy") << log << false << log << true << qint64(3);
    QTest::newRow("plain after gzipped") << log << true << log << false << qint64(3);
    QTest::newRow("grown past the head") << log << false << grown << false << qint64(4);
    QTest::newRow("copy cut shorter than the head")
        << grown << false << grown.first(grown.indexOf("\n", 2000) + 1) << false << qint64(4);
    QTest::newRow("rotated, newer read last")
        << log << true << get("10.8.8.8", "/go/guide") + humans(60, "/blog/") << false << qint64(4);
}

void TestAccessLog::readAgain()
{
    QFETCH(QByteArray, first);
    QFETCH(bool, firstGzipped);
    QFETCH(QByteArray, second);
    QFETCH(bool, secondGzipped);
    QFETCH(qint64, total);
    QTemporaryDir dir;
    const QString counts = dir.filePath("clicks.json");
    const AccessLogReader::Reading one = import(counts, writeLog(dir.filePath("a.log"), first, firstGzipped));
    const AccessLogReader::Reading two = import(counts, writeLog(dir.filePath("b.log"), second, secondGzipped));
    QCOMPARE(one.problem + two.problem, QString());
    QCOMPARE(one.tally.counted + two.tally.counted, total);
    QCOMPARE(ClickCounts::read(counts)->total("guide"), total);
    QVERIFY(!bytesOf(counts).contains("10.0.0"));
}

// A cut gzip counts the lines before the cut, says so, and a whole copy later adds only the rest.
void TestAccessLog::damaged()
{
    QTemporaryDir dir;
    const QString counts = dir.filePath("clicks.json");
    const QString whole = writeLog(dir.filePath("access.log.2.gz"), humans(5000), true);
    const QString cut = writeFile(dir.filePath("access.log.1.gz"), bytesOf(whole).chopped(bytesOf(whole).size() / 2));
    const AccessLogReader::Reading damaged = import(counts, cut);
    QVERIFY(damaged.problem.contains("access.log.1.gz"));
    QVERIFY(damaged.tally.counted > 0 && damaged.tally.counted < 5000);
    const AccessLogReader::Reading rest = import(counts, whole);
    QCOMPARE(rest.problem, QString());
    QCOMPARE(damaged.tally.counted + rest.tally.counted, qint64(5000));
    QCOMPARE(ClickCounts::read(counts)->total("guide"), qint64(5000));

    ClickCounts none;
    const ClickPaths paths(links());
    AccessLogReader reader(paths, none);
    QVERIFY(reader.read(dir.filePath("missing.log")).error().contains("missing.log"));
}

// One import over several logs: the readable ones counted and saved once, the others named; no links, no reading.
void TestAccessLog::imported()
{
    QTemporaryDir app;
    const QString log = writeFile(app.filePath("access.log"), humans(2) + get("10.0.0.9", "/go/book/q"));
    QVERIFY(ClickImport::run(app.path(), {log}).error().contains("links.json"));
    QVERIFY(!QFile::exists(AppFolder::clicksPath(app.path())));
    for (const LinkEntry& link : links())
        QVERIFY(ShortLinkStore::record(app.path(), link).ok());
    const Result<ClickImportSummary> summary =
        ClickImport::run(app.path(), {app.filePath("gone.log"), log, app.path()});
    QVERIFY2(summary.ok(), qPrintable(summary.error()));
    QCOMPARE(summary->total.counted, qint64(3));
    QCOMPARE(summary->problems().size(), 2);
    QVERIFY(summary->problems().at(0).contains("gone.log"));
    QVERIFY(summary->problems().at(1).contains("not a file"));
    QCOMPARE(ClickCounts::read(AppFolder::clicksPath(app.path()))->total("book"), qint64(1));
    QCOMPARE(ClickImport::run(app.path(), {log})->total.earlier, qint64(3));
}

QTEST_GUILESS_MAIN(TestAccessLog)
#include "tst_accesslog.moc"
