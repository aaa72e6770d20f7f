#include "ChromiumBrowser.h"
#include "ChromiumRun.h"
#include "DevToolsPipe.h"
#include "EngineShared.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace orvanta::engine;

/** The browser's pipe as bytes, and which of the page's requests it may serve. */
class TestDevToolsPipe final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void framing_data();
    void framing();
    void messages_data();
    void messages();
    void commandRoundTrips();
    void confinement_data();
    void confinement();
    void browserShutsTheNetwork_data();
    void browserShutsTheNetwork();
};

void TestDevToolsPipe::framing_data()
{
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<QByteArrayList>("messages");
    QTest::addColumn<int>("pending");
    QTest::newRow("two in one read") << QByteArrayList{QByteArray("{\"id\":1}\0{\"id\":2}\0", 18)}
                                     << QByteArrayList{"{\"id\":1}", "{\"id\":2}"} << 0;
    QTest::newRow("one split over three reads, the end in the last")
        << QByteArrayList{"{\"i", "d\":", QByteArray("7}\0", 3)} << QByteArrayList{"{\"id\":7}"} << 0;
    QTest::newRow("a whole one, then the start of the next kept")
        << QByteArrayList{QByteArray("{\"id\":1}\0{\"me", 13)} << QByteArrayList{"{\"id\":1}"} << 4;
    QTest::newRow("end arrives alone") << QByteArrayList{"{\"id\":3}", QByteArray("\0", 1)}
                                       << QByteArrayList{"{\"id\":3}"} << 0;
    QTest::newRow("nothing ended yet") << QByteArrayList{"{\"id\":3}"} << QByteArrayList{} << 8;
}

void TestDevToolsPipe::framing()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(QByteArrayList, messages);
    QFETCH(int, pending);
    DevToolsFramer framer;
    QByteArrayList got;
    for (const QByteArray& read : reads)
        got += framer.feed(read);
    QCOMPARE(got, messages);
    QCOMPARE(framer.pending(), pending);
}

void TestDevToolsPipe::messages_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("sessionId");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("field");
    const int reply = int(DevToolsMessage::Kind::Reply);
    const int event = int(DevToolsMessage::Kind::Event);
    const int unreadable = int(DevToolsMessage::Kind::Unreadable);
    QTest::newRow("reply") << QByteArray(R"({"id":4,"result":{"targetId":"T1"}})") << reply << 4 << ""
                           << ""
                           << ""
                           << "T1";
    QTest::newRow("reply in a page session")
        << QByteArray(R"({"id":9,"sessionId":"S2","result":{"targetId":"T9"}})") << reply << 9 << ""
        << "S2"
        << ""
        << "T9";
    QTest::newRow("error reply") << QByteArray(R"({"id":5,"error":{"code":-32000,"message":"No target"}})") << reply
                                 << 5 << ""
                                 << ""
                                 << "No target"
                                 << "";
    QTest::newRow("error reply without words") << QByteArray(R"({"id":6,"error":{}})") << reply << 6 << ""
                                               << ""
                                               << "error"
                                               << "";
    QTest::newRow("error reply as bare text") << QByteArray(R"({"id":7,"error":"No such target"})") << reply << 7 << ""
                                              << ""
                                              << "No such target"
                                              << "";
    QTest::newRow("error reply of null") << QByteArray(R"({"id":8,"error":null,"result":{"targetId":"T8"}})") << reply
                                         << 8 << ""
                                         << ""
                                         << "error"
                                         << "T8";
    QTest::newRow("event with its session")
        << QByteArray(R"({"method":"Fetch.requestPaused","sessionId":"S1","params":{"targetId":"R1"}})") << event << 0
        << "Fetch.requestPaused"
        << "S1"
        << ""
        << "R1";
    QTest::newRow("garbage") << QByteArray("not json") << unreadable << 0 << ""
                             << ""
                             << ""
                             << "";
    QTest::newRow("an array") << QByteArray("[1,2]") << unreadable << 0 << ""
                              << ""
                              << ""
                              << "";
    QTest::newRow("neither id nor method") << QByteArray(R"({"result":{}})") << unreadable << 0 << ""
                                           << ""
                                           << ""
                                           << "";
    QTest::newRow("cut short") << QByteArray(R"({"id":4,"result":{"data":"JVBER)") << unreadable << 0 << ""
                               << ""
                               << ""
                               << "";
}

void TestDevToolsPipe::messages()
{
    QFETCH(QByteArray, text);
    QFETCH(int, kind);
    QFETCH(int, id);
    QFETCH(QString, method);
    QFETCH(QString, sessionId);
    QFETCH(QString, error);
    QFETCH(QString, field);
    const DevToolsMessage message = parseDevToolsMessage(text);
    QCOMPARE(int(message.kind), kind);
    QCOMPARE(message.id, id);
    QCOMPARE(message.method, method);
    QCOMPARE(message.sessionId, sessionId);
    QCOMPARE(message.error, error);
    QCOMPARE(message.data.value("targetId").toString(), field);
}

// A command is one message on the pipe, and what the browser reads back is what was meant.
void TestDevToolsPipe::commandRoundTrips()
{
    const QByteArray bytes = devToolsCommand(12, "Page.navigate", {{"url", "file:///a b/\"q\".html"}}, "S3");
    QVERIFY(bytes.endsWith('\0'));
    QCOMPARE(bytes.count('\0'), 1);
    DevToolsFramer framer;
    const QByteArrayList messages = framer.feed(bytes);
    QCOMPARE(messages.size(), 1);
    const DevToolsMessage read = parseDevToolsMessage(messages.first());
    QCOMPARE(read.id, 12);
    QCOMPARE(read.sessionId, "S3");
}

void TestDevToolsPipe::confinement_data()
{
    // Paths below the page's folder "page", beside it "page2" and a file "secret.txt" outside both.
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("served");
    QTest::newRow("the page") << "@DIR@/page/index.html" << true;
    QTest::newRow("a picture with blanks and a query") << "@DIR@/page/my%20cover.gif?x=1#top" << true;
    QTest::newRow("the page scripts through the page's link") << "@DIR@/page/assets/js/app.js" << true;
    QTest::newRow("a file elsewhere") << "@DIR@/secret.txt" << false;
    QTest::newRow("out through ..") << "@DIR@/page/../secret.txt" << false;
    QTest::newRow("out through a link in the page's folder") << "@DIR@/page/notes.txt" << false;
    QTest::newRow("a folder whose name begins like the page's") << "@DIR@/page2/index.html" << false;
    QTest::newRow("a missing file") << "@DIR@/page/missing.gif" << false;
    QTest::newRow("a file on another host") << "file://server/share/page/index.html" << false;
    QTest::newRow("http") << "http://127.0.0.1:8080/page/index.html" << false;
    QTest::newRow("https") << "https://example.com/x.js" << false;
    QTest::newRow("web socket") << "ws://127.0.0.1:9/" << false;
    QTest::newRow("data") << "data:text/html,<p>x</p>" << false;
}

void TestDevToolsPipe::confinement()
{
    QFETCH(QString, url);
    QFETCH(bool, served);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    writeFile(root + "/page/index.html", "<p>page</p>");
    writeFile(root + "/page/my cover.gif", "GIF89a");
    writeFile(root + "/page2/index.html", "<p>other</p>");
    writeFile(root + "/assets/js/app.js", "1");
    const QString secret = writeFile(root + "/secret.txt", "secret");
    QVERIFY(QFile::link(root + "/assets", root + "/page/assets"));
    QVERIFY(QFile::link(secret, root + "/page/notes.txt"));
    const QString fileUrl = QUrl::fromLocalFile(root).toString();
    QCOMPARE(isConfinedRequest(url.replace("@DIR@", fileUrl), {root + "/page", root + "/assets"}), served);
}

void TestDevToolsPipe::browserShutsTheNetwork_data()
{
    QTest::addColumn<QString>("argument");
    QTest::newRow("every request goes to the refusing proxy") << "--proxy-server=" + refusingProxy();
    QTest::newRow("loopback through the proxy too") << "--proxy-bypass-list=<-loopback>";
    QTest::newRow("no host name resolves") << "--host-resolver-rules=MAP * ~NOTFOUND";
    QTest::newRow("no UDP beside the proxy") << "--force-webrtc-ip-handling-policy=disable_non_proxied_udp";
}

// Each tab's requests are stopped as well, yet the browser stays shut on its own: what the tab's interception never
// sees (the browser's own requests, a page's WebRTC) must find no way out either.
void TestDevToolsPipe::browserShutsTheNetwork()
{
    QFETCH(QString, argument);
    QVERIFY(ChromiumBrowser::arguments("/profile").contains(argument));
}

QTEST_GUILESS_MAIN(TestDevToolsPipe)
#include "tst_devtoolspipe.moc"
