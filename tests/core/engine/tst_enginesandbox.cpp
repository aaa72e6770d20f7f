#include "RealEngine.h"

#include "Catalogue.h"
#include "ChromiumBrowser.h"
#include "EngineReport.h"
#include "HelperOps.h"
#include "Sandbox.h"
#include "StagingFolder.h"

#include <QCryptographicHash>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QUrl>
#include <QUuid>

using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::engine;

namespace {
/** A local web and WebSocket server that counts every connection and answers each with its marker. */
class MarkerServer final : public QTcpServer {
public:
    const QByteArray marker = "Served" + QUuid::createUuid().toByteArray(QUuid::Id128);
    int connections = 0;

    MarkerServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++connections;
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            }
        });
    }

private:
    void answer(QTcpSocket* socket)
    {
        const QByteArray page = "<p>" + marker + "</p>";
        static const QRegularExpression keyLine("Sec-WebSocket-Key: *([^\r\n]+)",
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch key = keyLine.match(QString::fromLatin1(socket->readAll()));
        if (!key.hasMatch()) {
            socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + page);
            return socket->disconnectFromHost();
        }
        const QByteArray accept =
            QCryptographicHash::hash(key.captured(1).toLatin1() + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                     QCryptographicHash::Sha1)
                .toBase64();
        socket->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                      "Sec-WebSocket-Accept: " +
                      accept + "\r\n\r\n");
        // One text frame, short enough for its length to fit the first byte.
        socket->write(QByteArray(1, char(0x81)) + char(page.size()) + page);
    }
};

/** A local UDP service (STUN, DNS, a game) that counts what reaches it. */
class UdpListener final : public QUdpSocket {
public:
    int datagrams = 0;

    UdpListener()
    {
        connect(this, &QUdpSocket::readyRead, this, [this] {
            while (hasPendingDatagrams()) {
                receiveDatagram();
                ++datagrams;
            }
        });
    }
};
} // namespace

/** What a page may reach while an installed engine prints it: its own files, no network, no other page. */
class TestEngineSandbox final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void readsOnlyItsOwnFiles_data();
    void readsOnlyItsOwnFiles();
    void reachesNoNetwork_data() { everyEngine(); }
    void reachesNoNetwork();
    void hostilePages_data();
    void hostilePages();
    void withoutItsSandbox_data();
    void withoutItsSandbox();
};

void TestEngineSandbox::initTestCase()
{
    QString missing;
    if (!enginesAndToolsInstalled(&missing))
        QSKIP(qPrintable(missing));
}

// The browser's profile lies below the test's application folder, which goes now.
void TestEngineSandbox::cleanup()
{
    Sandbox::useProgram({});
    if (ChromiumBrowser* browser = ChromiumBrowser::existing())
        browser->stop();
}

void TestEngineSandbox::readsOnlyItsOwnFiles_data()
{
    // @FILE@ is the private file's URL; "notes.txt" in the page's folder links to it.
    const QString reads = "<script>x=new XMLHttpRequest();x.open(\"GET\",\"@FILE@\",false);x.send();"
                          "document.write(x.responseText)</script>";
    engineColumn();
    QTest::addColumn<QString>("review");
    QTest::addColumn<bool>("privateFolder");
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "script reads a file elsewhere") << reads << false;
        engineRow(engine, "frame shows a file elsewhere") << "<iframe src=\"@FILE@\"></iframe>" << false;
        engineRow(engine, "frame shows a link in the page's folder") << "<iframe src=\"notes.txt\"></iframe>" << false;
        engineRow(engine, "script reads through a link in the page's folder")
            << QString(reads).replace("@FILE@", "notes.txt") << false;
        engineRow(engine, "private folder, script reads a file elsewhere") << reads << true;
    }
}

// A campaign's review reaches the page verbatim and the converter runs its scripts: the PDF must not become a
// copy of the user's files, while the page's pictures and scripts still work.
void TestEngineSandbox::readsOnlyItsOwnFiles()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, review);
    QFETCH(bool, privateFolder);
    TestAppFolder app;
    QTemporaryDir home;
    QVERIFY(app.isValid() && home.isValid());
    const QByteArray secret = "Private" + QUuid::createUuid().toByteArray(QUuid::Id128);
    const QString secretFile = writeFile(home.filePath("secret.txt"), secret);
    app.write("bin/assets/js/probe.js", "document.write('ScriptsRan')");
    PageFields fields = twoPictures(app);
    fields.review = "<script src=\"assets/js/probe.js\"></script>" +
                    review.replace("@FILE@", QUrl::fromLocalFile(secretFile).toString());
    const StagingFolder staging(app.path(), "job");
    QVERIFY(staging.isValid());
    const PageTarget target = privateFolder ? staging.target() : PageTarget::ofApp(app.path());
    QVERIFY(QFile::link(secretFile, target.pageFolder + "/notes.txt"));
    const Result<BuiltPage> built = BuildPage(app.path(), fields, target);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QVERIFY(WritePage(built.value()).ok());

    const RenderResult rendered = convert(app, built.value(), engine);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built->pdfPath, "-"}));
    QVERIFY2(!text.contains(secret), qPrintable(text));
    QVERIFY2(text.contains("ScriptsRan"), qPrintable(text));
    QVERIFY(showsPicture(built->pdfPath, fields.affiliateImagePath));
    QVERIFY(showsPicture(built->pdfPath,
                         Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(fields.rawProductId))));
}

// A local or intranet server's answer printed into the PDF would publish it; no page needs the network. One page
// asks in every way a page can: a frame, a picture, a script, a script's own request and fetch, a style sheet
// import, by the name localhost, a WebSocket, and WebRTC's UDP. Request rules know only some of these; the sandbox
// has no network at all.
void TestEngineSandbox::reachesNoNetwork()
{
    QFETCH(PdfEngine, engine);
    MarkerServer server;
    UdpListener udp;
    QVERIFY(server.listen(QHostAddress::LocalHost) && udp.bind(QHostAddress::LocalHost));
    const QString url = QString("http://127.0.0.1:%1").arg(server.serverPort());
    const QString shown = "function(t){document.body.insertAdjacentHTML('beforeend',t)}";
    const QString socket = QString("<script>try{var ws=new WebSocket('ws://127.0.0.1:%1/socket');"
                                   "ws.onmessage=function(m){(%2)(m.data)}}catch(e){}</script>")
                               .arg(server.serverPort())
                               .arg(shown);
    const QString fetched = QString("<script>try{fetch('%1/fetch').then(function(r){return r.text()}).then(%2)}"
                                    "catch(e){}</script>")
                                .arg(url, shown);
    const QString webRtc = QString("<script>try{var pc=new RTCPeerConnection({iceServers:[{urls:'stun:127.0.0.1:%1'},"
                                   "{urls:'turn:127.0.0.1:%1?transport=udp',username:'u',credential:'c'}]});"
                                   "pc.createDataChannel('d');pc.createOffer().then(function(o){"
                                   "return pc.setLocalDescription(o)})}catch(e){}</script>")
                               .arg(udp.localPort());
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = twoPictures(app);
    fields.review = QString("<iframe src=\"@URL@/frame\"></iframe><img src=\"@URL@/picture.png\">"
                            "<script src=\"@URL@/script.js\"></script>"
                            "<script>x=new XMLHttpRequest();x.open(\"GET\",\"@URL@/xhr\",false);x.send();"
                            "document.write(x.responseText)</script>"
                            "<style>@import url(\"@URL@/style.css\");</style>"
                            "<iframe src=\"http://localhost:%1/named\"></iframe>Reviewed")
                        .arg(server.serverPort())
                        .replace("@URL@", url) +
                    socket + fetched + webRtc;
    const Result<BuiltPage> built = BuildPage(app.path(), fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QVERIFY(WritePage(built.value()).ok());

    const RenderResult rendered = convert(app, built.value(), engine);
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    // What a page sent late would still be on its way.
    QTest::qWait(300);
    QCOMPARE(server.connections, 0);
    QCOMPARE(udp.datagrams, 0);
    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built->pdfPath, "-"}));
    QVERIFY2(text.contains("Reviewed") && !text.contains(server.marker), qPrintable(text));
    // Each refusal is named, the page tail's own remote script never.
    QVERIFY2(rendered->refused.contains(url + "/picture.png"), qPrintable(rendered->refused.join('\n')));
    QVERIFY2(!rendered->refused.join('\n').contains("jquery.easing"), qPrintable(rendered->refused.join('\n')));
}

void TestEngineSandbox::hostilePages_data()
{
    engineColumn();
    QTest::addColumn<QString>("review");    // @FILE@: a file outside the page's folder
    QTest::addColumn<QString>("message");   // empty: the PDF is made
    QTest::addColumn<QStringList>("named"); // in the lines below a made PDF
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "dialogs answered, also from a timer")
            << "<script>alert('a');confirm('b');prompt('c');setTimeout(function(){alert('late')},1)</script>"
               "Answered"
            << "" << QStringList();
        engineRow(engine, "leaves itself for an address")
            << "<script>location='http://away.invalid/away'</script>"
            // The converter names no address its proxy refused.
            << (engine == PdfEngine::Chromium ? "tried to leave itself for http://away.invalid/away"
                                              : "tried to leave itself")
            << QStringList();
        engineRow(engine, "leaves itself by a link") << "<a id=\"away\" href=\"http://away.invalid/link\">x</a>"
                                                        "<script>document.getElementById('away').click()</script>"
                                                     << "tried to leave itself" << QStringList();
        engineRow(engine, "a logo from the network and a file elsewhere named")
            << "<img src=\"http://logo.invalid/logo.png\"><img src=\"@FILE@\">Answered"
            << "" << QStringList{"http://logo.invalid/logo.png", "@PATH@"};
    }
}

// A page that does what no page for a PDF should still ends at once, and says what it did.
void TestEngineSandbox::hostilePages()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, review);
    QFETCH(QString, message);
    QFETCH(QStringList, named);
    TestAppFolder app;
    QTemporaryDir home;
    QVERIFY(app.isValid() && home.isValid());
    const QString outside = writeFile(home.filePath("logo.png"), bytesOf(twoPictures(app).affiliateImagePath));
    const BuiltPage page = writtenPage(app, review.replace("@FILE@", QUrl::fromLocalFile(outside).toString()));
    QVERIFY(!page.htmlPath.isEmpty());
    const RenderResult rendered = convert(app, page, engine);
    if (!message.isEmpty()) {
        QVERIFY(!rendered.ok());
        QVERIFY2(rendered.error().contains(message) && rendered.error().contains(page.htmlPath),
                 qPrintable(rendered.error()));
        QVERIFY(!QFile::exists(page.pdfPath));
        return;
    }
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    QVERIFY(runTool("pdftotext", {page.pdfPath, "-"}).contains("Answered"));
    const QString said = refusedLines(rendered->refused).join('\n');
    for (const QString& name : named)
        QVERIFY2(said.contains(QString(name).replace("@PATH@", outside)), qPrintable(said));
}

void TestEngineSandbox::withoutItsSandbox_data()
{
    engineColumn();
    QTest::addColumn<QString>("sandbox"); // the program, or @NONS@ for one that finds user namespaces off
    QTest::addColumn<bool>("bare");       // the user allowed engines without it
    QTest::addColumn<QString>("said");    // the note beside the PDF, or the error when none is made
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "in its sandbox") << "" << false << "";
        engineRow(engine, "bwrap missing: refused, the fix named")
            << "/nonexistent/bwrap" << false << "bubblewrap (/nonexistent/bwrap), is not installed. Install bubblewrap";
        engineRow(engine, "bwrap missing, allowed bare: made, and said")
            << "/nonexistent/bwrap" << true
            << "The PDF engine ran without its sandbox: bubblewrap (bwrap) is not installed.";
        engineRow(engine, "bwrap cannot start: refused")
            << "/usr/bin/false" << false << "bubblewrap (/usr/bin/false), could not start: exit code 1";
        engineRow(engine, "user namespaces off: refused, the cause named")
            << "@NONS@" << false << "could not start because user namespaces are off";
        engineRow(engine, "bwrap cannot start, allowed bare")
            << "/usr/bin/false" << true
            << "The PDF engine ran without its sandbox: bubblewrap (/usr/bin/false) could not start: exit code 1";
    }
}

// Where the sandbox cannot start, no engine runs and the message says why and what to do; a user who allowed
// engines without it gets the PDF, and the note with it.
void TestEngineSandbox::withoutItsSandbox()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, sandbox);
    QFETCH(bool, bare);
    QFETCH(QString, said);
    TestAppFolder app;
    QVERIFY(app.isValid());
    if (sandbox == "@NONS@") {
        sandbox = writeFile(app.file("bwrap"), "#!/bin/sh\necho 'bwrap: No permissions to creating new namespace, "
                                               "likely because the kernel does not allow non-privileged user "
                                               "namespaces.' >&2\nexit 1\n");
        QFile::setPermissions(sandbox, QFile::permissions(sandbox) | QFile::ExeOwner);
    }
    Sandbox::useProgram(sandbox);
    if (bare)
        qputenv(Sandbox::BareVariable, "1");
    const BuiltPage page = writtenPage(app, "Made all the same");
    QVERIFY(!page.htmlPath.isEmpty());
    QString note;
    const RenderResult rendered = convert(app, page, engine, &note);
    qunsetenv(Sandbox::BareVariable);
    if (!bare && !sandbox.isEmpty()) {
        QVERIFY(!rendered.ok());
        QVERIFY2(rendered.error().startsWith("The PDF engine was not started") && rendered.error().contains(said) &&
                     rendered.error().contains(Sandbox::BareVariable),
                 qPrintable(rendered.error()));
        QVERIFY(!QFile::exists(page.pdfPath));
        return;
    }
    QVERIFY2(rendered.ok(), qPrintable(rendered.error()));
    QCOMPARE(note, said);
    QVERIFY(runTool("pdftotext", {page.pdfPath, "-"}).contains("Made all the same"));
}

QTEST_GUILESS_MAIN(TestEngineSandbox)
#include "tst_enginesandbox.moc"
