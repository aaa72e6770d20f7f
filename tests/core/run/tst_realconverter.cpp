#include "AppFolder.h"
#include "Catalogue.h"
#include "ChromiumBrowser.h"
#include "ChromiumRun.h"
#include "Converter.h"
#include "ConverterStarter.h"
#include "EngineReport.h"
#include "HelperOps.h"
#include "PageBuilder.h"
#include "PagePipeline.h"
#include "Sandbox.h"
#include "StagingFolder.h"
#include "TestAppFolder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <QUrl>
#include <QUuid>

#include <signal.h>

namespace {
/** Runs @p engine as the pipeline would, on a page already written. */
RenderResult convert(const TestAppFolder& app, const BuiltPage& page, PdfEngine engine, QString* sandboxNote = nullptr)
{
    ConverterRun converterRun;
    ChromiumRun chromiumRun;
    PdfRun* run = &converterRun;
    if (engine == PdfEngine::Chromium) {
        run = &chromiumRun;
        chromiumRun.start(app.path(), page.htmlPath, page.pdfPath);
    }
    QSignalSpy finished(run, &PdfRun::finished);
    if (engine == PdfEngine::Classic)
        converterRun.start(ConverterCommand(app.path(), page.htmlPath, page.pdfPath), page.pdfPath);
    if (!finished.wait(120000))
        return {false, QStringLiteral("the engine did not report")};
    if (sandboxNote)
        *sandboxNote = run->sandboxNote();
    return finished.at(0).at(0).value<RenderResult>();
}

/** One row per engine installed here, named by its key and @p what; its "engine" column to begin with. */
QList<PdfEngine> installedEngines()
{
    QList<PdfEngine> engines;
    if (!QStandardPaths::findExecutable("wkhtmltopdf").isEmpty())
        engines << PdfEngine::Classic;
    if (!chromiumProgram().isEmpty())
        engines << PdfEngine::Chromium;
    return engines;
}

void engineColumn()
{
    QTest::addColumn<PdfEngine>("engine");
}

QTestData& engineRow(PdfEngine engine, const char* what = "")
{
    return QTest::addRow("%s%s%s", qPrintable(engineKey(engine)), *what ? ": " : "", what) << engine;
}

void everyEngine()
{
    engineColumn();
    for (PdfEngine engine : installedEngines())
        engineRow(engine);
}

/** From the leftmost word's left edge to the rightmost word's right edge on the first page, in points. */
double textColumnWidth(const QString& pdf)
{
    const QString words = QString::fromUtf8(runTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
    static const QRegularExpression box("xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"");
    double left = 1e9, right = 0;
    for (const QRegularExpressionMatch& word : box.globalMatch(words)) {
        left = qMin(left, word.captured(1).toDouble());
        right = qMax(right, word.captured(2).toDouble());
    }
    return right - left;
}

enum class Fault { None, EndlessScript, BrowserKilled, PageProcessKilled, SpareProcessKilled, Cancelled };

/** Kills the page processes the browser @p browser started, as the kernel does when memory runs out. */
int killPageProcessesNow(qint64 browser)
{
    QHash<qint64, qint64> parents;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        const QByteArray stat = bytesOf("/proc/" + pid + "/stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && pid.toLongLong() > 0)
            parents.insert(pid.toLongLong(), fields.at(1).toLongLong());
    }
    int killed = 0;
    for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
        qint64 up = it.value();
        while (up > 1 && up != browser)
            up = parents.value(up, 0);
        if (up == browser && bytesOf(QString("/proc/%1/cmdline").arg(it.key())).contains("--type=renderer"))
            killed += ::kill(pid_t(it.key()), SIGKILL) == 0 ? 1 : 0;
    }
    return killed;
}

/** Kills them once the browser has any, waiting up to 20 s for one. */
bool killPageProcesses(qint64 browser)
{
    for (int waited = 0; waited < 20000; waited += 50) {
        if (killPageProcessesNow(browser) > 0)
            return true;
        QTest::qWait(50);
    }
    return false;
}

/** The PDF's objects as qpdf lays them open, streams left out. */
QString pdfObjects(const QString& pdf)
{
    return QString::fromUtf8(runTool(
        "qpdf", {"--qdf", "--object-streams=disable", "--no-original-object-ids", "--decode-level=none", pdf, "-"}));
}

/** A page with the two sales-page pictures of the catalogue: the first entry's as the cover. */
PageFields twoPictures(const TestAppFolder& app)
{
    const QStringList entries = Catalogue::entries(app.path());
    const auto salesPage = [&](int row) {
        const QString rawId = Catalogue::readProductId(app.path(), entries.value(row));
        return Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(rawId));
    };
    PageFields fields;
    fields.affiliateImagePath = salesPage(0);
    fields.rawProductId = Catalogue::readProductId(app.path(), entries.value(1));
    fields.ctaUrl = "https://example.com/buy";
    fields.pdfFileName = "pictures";
    return fields;
}

/** An order for the two-picture page of @p app with @p review, made by @p engine. */
PageOrder twoPictureOrder(const TestAppFolder& app, const QString& review, PdfEngine engine)
{
    PageOrder order;
    order.app = app.path();
    order.fields = twoPictures(app);
    order.catalogueEntryChosen = true;
    order.fields.ctaTitle = "Yes";
    order.fields.ctaText = "Buy";
    order.fields.review = review;
    order.engine = engine;
    return order;
}

/** A written page of @p app whose review is @p review. */
BuiltPage writtenPage(const TestAppFolder& app, const QString& review, const QString& pdfName = "faults")
{
    PageFields fields = twoPictures(app);
    fields.review = review;
    fields.pdfFileName = pdfName;
    const BuildResult built = BuildPage(app.path(), fields);
    return built.status == BuildResult::Status::Built && WritePage(built.page).ok ? built.page : BuiltPage();
}

/** Whether the PDF draws an image as large as the GIF picture; pdfimages lists one line per image drawn. */
bool showsPicture(const QString& pdf, const QString& gif)
{
    const QByteArray header = bytesOf(gif).left(10);
    const auto number = [&](int at) { return int(quint8(header.at(at))) | int(quint8(header.at(at + 1))) << 8; };
    if (header.size() < 10 || !header.startsWith("GIF"))
        return false;
    const QString list = QString::fromUtf8(runTool("pdfimages", {"-list", pdf}));
    return list.contains(QRegularExpression(QStringLiteral("\\bimage\\s+%1\\s+%2\\s").arg(number(6)).arg(number(8))));
}
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

Q_DECLARE_METATYPE(PdfEngine)
Q_DECLARE_METATYPE(Fault)

/** The shipped template, the page writer and each installed engine together produce the PDF. */
class TestRealConverter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void rendersThePage_data() { everyEngine(); }
    void rendersThePage();
    void secondRunWithinOneClockTick_data() { everyEngine(); }
    void secondRunWithinOneClockTick();
    void showsImagesOfAnyName_data();
    void showsImagesOfAnyName();
    void readsOnlyItsOwnFiles_data();
    void readsOnlyItsOwnFiles();
    void reachesNoNetwork_data() { everyEngine(); }
    void reachesNoNetwork();
    void hostilePages_data();
    void hostilePages();
    void saysWhenUnsandboxed_data();
    void saysWhenUnsandboxed();
    void bothEnginesDrawOneColumn();
    void chromiumKeepsItsStructure_data();
    void chromiumKeepsItsStructure();
    void chromiumRunFaults_data();
    void chromiumRunFaults();
    void chromiumPrintsPagesAtOnce();
    void chromiumShowsColourEmoji();
    void chromiumStandsInForAMissingConverter();
};

void TestRealConverter::initTestCase()
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages", "qpdf"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
    }
    if (installedEngines().isEmpty())
        QSKIP("neither wkhtmltopdf nor chromium is installed");
}

// The browser's profile lies below the test's application folder, which goes now.
void TestRealConverter::cleanup()
{
    Sandbox::useProgram({});
    if (ChromiumBrowser* browser = ChromiumBrowser::existing())
        browser->stop();
}

void TestRealConverter::rendersThePage()
{
    QFETCH(PdfEngine, engine);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QStringList entries = Catalogue::entries(app.path());
    QVERIFY(!entries.isEmpty());
    const QString rawId = Catalogue::readProductId(app.path(), entries.first());

    PageFields fields;
    fields.mainTitle = "Orvanta Real Converter Check";
    fields.affiliateImagePath = Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(rawId));
    fields.review = QString::fromUtf8("Café crème für 5 €\r\n<b>Second</b> line");
    fields.bonusHeadline = " Get Your Copy with Our Private Bonus! Take a Look:";
    fields.rawProductId = rawId;
    fields.ctaTitle = "Yes, Get Your Copy";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy";
    fields.pdfFileName = "real check";
    const BuildResult built = BuildPage(app.path(), fields);
    QCOMPARE(built.status, BuildResult::Status::Built);
    const WriteResult written = WritePage(built.page);
    QVERIFY2(written.ok, qPrintable(written.error));
    const QString page = vFile::LoadTextFile(built.page.htmlPath);
    QVERIFY2(!page.contains(QRegularExpression("#[A-Z]+#")), "the shipped template has a placeholder nobody fills");

    const RenderResult rendered = convert(app, built.page, engine);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    QCOMPARE(built.page.pdfPath, app.file("bin/output/real-check.pdf"));

    // 210 mm wide in points; converters round to whole points or to hundredths.
    const QString info = QString::fromUtf8(runTool("pdfinfo", {built.page.pdfPath}));
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY2(qAbs(size.captured(1).toDouble() - 595.28) < 1.0, qPrintable(size.captured(0)));
    // Chromium prints at the content's own height, as it paints the background over all of the paper.
    if (engine == PdfEngine::Classic)
        QVERIFY2(qAbs(size.captured(2).toDouble() - 14173.2) < 1.0, qPrintable(size.captured(0)));
    else
        QVERIFY2(size.captured(2).toDouble() < 14173.2, qPrintable(size.captured(0)));
    QVERIFY2(runTool("pdfinfo", {built.page.pdfPath}).contains("Pages:           1"), "the page spilled over");

    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built.page.pdfPath, "-"}));
    QVERIFY2(text.contains(fields.mainTitle), qPrintable(text));
    QVERIFY2(text.contains(QString::fromUtf8("Café crème für 5 €")), qPrintable(text));
    QVERIFY2(text.contains("Second line"), qPrintable(text));
}

// Coarse clocks (FAT, exFAT) give two runs within one tick the same time; the second PDF must still replace the first.
void TestRealConverter::secondRunWithinOneClockTick()
{
    QFETCH(PdfEngine, engine);
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageOrder order;
    order.app = app.path();
    order.fields.mainTitle = "First run";
    order.fields.affiliateImagePath = app.file("campaigns/keto-cookbook-cover.png");
    order.fields.ownBonus = true;
    order.fields.ownBonusImagePath = app.file("campaigns/budget-planner-cover.png");
    order.fields.ctaTitle = "Yes";
    order.fields.ctaText = "Buy";
    order.fields.ctaUrl = "https://example.com/buy";
    order.fields.pdfFileName = "tick";
    order.outputFolder = AppFolder::outputFolder(app.path());
    order.engine = engine;
    const QString pdf = order.outputFolder + "/tick.pdf";
    for (const char* title : {"First run", "Second run"}) {
        order.fields.mainTitle = title;
        PagePipeline pipeline(ConverterStarter::direct());
        QSignalSpy finished(&pipeline, &PagePipeline::finished);
        pipeline.start(order);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
        QFile(pdf).setFileTime(QDateTime::currentDateTime().addSecs(2), QFileDevice::FileModificationTime);
    }
    const QString text = QString::fromUtf8(runTool("pdftotext", {pdf, "-"}));
    QVERIFY2(text.contains("Second run") && !text.contains("First run"), qPrintable(text));
}

void TestRealConverter::showsImagesOfAnyName_data()
{
    engineColumn();
    QTest::addColumn<QString>("name");
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "plain") << "cover.gif";
        // Each character the page must escape for the engine, so one wrong escape loses the picture.
        engineRow(engine, "blanks, fragment, query, percent, entity, quotes, non-Latin")
            << QString::fromUtf8("my  cover#2? 100%41 a&lt;b say \"hi\" it's обложка 指南.gif");
    }
}

void TestRealConverter::showsImagesOfAnyName()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, name);
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = twoPictures(app);
    const QString picture = fields.affiliateImagePath;
    fields.affiliateImagePath = app.write("pictures/" + name, bytesOf(picture));
    const BuildResult built = BuildPage(app.path(), fields);
    QCOMPARE(built.status, BuildResult::Status::Built);
    QVERIFY(WritePage(built.page).ok);
    const RenderResult rendered = convert(app, built.page, engine);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    QVERIFY(showsPicture(built.page.pdfPath, picture));
}

void TestRealConverter::readsOnlyItsOwnFiles_data()
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
void TestRealConverter::readsOnlyItsOwnFiles()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, review);
    QFETCH(bool, privateFolder);
    TestAppFolder app;
    QTemporaryDir home;
    QVERIFY(app.isValid() && home.isValid());
    const QByteArray secret = "Private" + QUuid::createUuid().toByteArray(QUuid::Id128);
    const QString secretFile = writeFile(home.filePath("secret.txt"), secret);
    app.write("bin/assets/js/stylish-portfolio.js", "document.write('ScriptsRan')");
    PageFields fields = twoPictures(app);
    fields.review = review.replace("@FILE@", QUrl::fromLocalFile(secretFile).toString());
    const StagingFolder staging(app.path(), "job");
    QVERIFY(staging.isValid());
    const PageTarget target = privateFolder ? staging.target() : PageTarget::ofApp(app.path());
    QVERIFY(QFile::link(secretFile, target.pageFolder + "/notes.txt"));
    const BuildResult built = BuildPage(app.path(), fields, target);
    QCOMPARE(built.status, BuildResult::Status::Built);
    QVERIFY(WritePage(built.page).ok);

    const RenderResult rendered = convert(app, built.page, engine);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built.page.pdfPath, "-"}));
    QVERIFY2(!text.contains(secret), qPrintable(text));
    QVERIFY2(text.contains("ScriptsRan"), qPrintable(text));
    QVERIFY(showsPicture(built.page.pdfPath, fields.affiliateImagePath));
    QVERIFY(showsPicture(built.page.pdfPath,
                         Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(fields.rawProductId))));
}

// A local or intranet server's answer printed into the PDF would publish it; no page needs the network. One page
// asks in every way a page can: a frame, a picture, a script, a script's own request and fetch, a style sheet
// import, by the name localhost, a WebSocket, and WebRTC's UDP. Request rules know only some of these; the sandbox
// has no network at all.
void TestRealConverter::reachesNoNetwork()
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
    const BuildResult built = BuildPage(app.path(), fields);
    QCOMPARE(built.status, BuildResult::Status::Built);
    QVERIFY(WritePage(built.page).ok);

    const RenderResult rendered = convert(app, built.page, engine);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    // What a page sent late would still be on its way.
    QTest::qWait(300);
    QCOMPARE(server.connections, 0);
    QCOMPARE(udp.datagrams, 0);
    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built.page.pdfPath, "-"}));
    QVERIFY2(text.contains("Reviewed") && !text.contains(server.marker), qPrintable(text));
    // Each refusal is named, the page tail's own remote script never.
    QVERIFY2(rendered.refused.contains(url + "/picture.png"), qPrintable(rendered.refused.join('\n')));
    QVERIFY2(!rendered.refused.join('\n').contains("jquery.easing"), qPrintable(rendered.refused.join('\n')));
}

void TestRealConverter::hostilePages_data()
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
            // Inside its sandbox the converter cannot see the file, so it names none.
            << ""
            << QStringList{"http://logo.invalid/logo.png",
                           engine == PdfEngine::Chromium ? "@PATH@" : "a file outside the page's folder"};
    }
}

// A page that does what no page for a PDF should still ends at once, and says what it did.
void TestRealConverter::hostilePages()
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
        QVERIFY(!rendered.ok);
        QVERIFY2(rendered.error.contains(message) && rendered.error.contains(page.htmlPath),
                 qPrintable(rendered.error));
        QVERIFY(!QFile::exists(page.pdfPath));
        return;
    }
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    QVERIFY(runTool("pdftotext", {page.pdfPath, "-"}).contains("Answered"));
    const QString said = refusedLines(rendered.refused).join('\n');
    for (const QString& name : named)
        QVERIFY2(said.contains(QString(name).replace("@PATH@", outside)), qPrintable(said));
}

void TestRealConverter::saysWhenUnsandboxed_data()
{
    engineColumn();
    QTest::addColumn<QString>("sandbox");
    QTest::addColumn<QString>("note");
    for (PdfEngine engine : installedEngines()) {
        engineRow(engine, "in its sandbox") << ""
                                            << "";
        engineRow(engine, "bwrap missing")
            << "/nonexistent/bwrap"
            << "The PDF engine ran without its sandbox: bubblewrap (bwrap) is not installed.";
        engineRow(engine, "bwrap cannot start")
            << "/usr/bin/false"
            << "The PDF engine ran without its sandbox: bubblewrap (/usr/bin/false) could not start: exit code 1";
    }
}

// Where the sandbox cannot start, the PDF is made as before and the result says so once.
void TestRealConverter::saysWhenUnsandboxed()
{
    QFETCH(PdfEngine, engine);
    QFETCH(QString, sandbox);
    QFETCH(QString, note);
    Sandbox::useProgram(sandbox);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = writtenPage(app, "Made all the same");
    QVERIFY(!page.htmlPath.isEmpty());
    QString said;
    const RenderResult rendered = convert(app, page, engine, &said);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    QCOMPARE(said, note);
    QVERIFY(runTool("pdftotext", {page.pdfPath, "-"}).contains("Made all the same"));
}

// A campaign looks the same whichever engine made its PDF: the text column is as wide in both.
void TestRealConverter::bothEnginesDrawOneColumn()
{
    if (installedEngines().size() < 2)
        QSKIP("needs both engines");
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageFields fields = twoPictures(app);
    fields.review = QString("A line long enough to fill the column from one side to the other, and on. ").repeated(8);
    const BuildResult built = BuildPage(app.path(), fields);
    QCOMPARE(built.status, BuildResult::Status::Built);
    QVERIFY(WritePage(built.page).ok);
    QList<double> widths;
    for (PdfEngine engine : {PdfEngine::Classic, PdfEngine::Chromium}) {
        const RenderResult rendered = convert(app, built.page, engine);
        QVERIFY2(rendered.ok, qPrintable(rendered.error));
        widths << textColumnWidth(built.page.pdfPath);
    }
    QVERIFY2(widths[0] > 300 && qAbs(widths[1] / widths[0] - 1) < 0.02,
             qPrintable(QString("%1 pt against %2 pt").arg(widths[1]).arg(widths[0])));
}

// A reader of the PDF finds its headings, paragraphs, pictures with their words, links and bookmarks, also after
// fitting and the metadata were written.
void TestRealConverter::chromiumKeepsItsStructure_data()
{
    QTest::addColumn<QString>("build");
    QTest::newRow("headless build") << "chromium-headless-shell";
    QTest::newRow("the browser") << "chromium";
}

void TestRealConverter::chromiumKeepsItsStructure()
{
    QFETCH(QString, build);
    const QString program = QStandardPaths::findExecutable(build, {"/usr/lib/chromium"});
    if (program.isEmpty())
        QSKIP("this build of Chromium is not installed");
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(program));
    const auto unset = qScopeGuard([] { qunsetenv("ORVANTA_CHROMIUM"); });
    TestAppFolder app;
    QVERIFY(app.isValid());
    PageOrder order = twoPictureOrder(app, "<h2>Why it works</h2><p>Reviewed</p>", PdfEngine::Chromium);
    order.fields.mainTitle = "Structured Guide";
    PagePipeline pipeline(ConverterStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    QVERIFY(pipeline.result().engineNote.isEmpty());

    const QString objects = pdfObjects(pipeline.result().pdfPath);
    for (const char* wanted : {"/Marked true", "/StructTreeRoot", "/S /H1", "/S /P", "/S /Figure", "/S /Link",
                               "/Outlines", "/Lang (en)", "/DisplayDocTitle true", "/Title (Structured Guide)"})
        QVERIFY2(objects.contains(QLatin1String(wanted)), wanted);
    QVERIFY2(objects.contains(QRegularExpression("/Alt \\([^)]+\\)")), "no picture keeps its words");
}

void TestRealConverter::chromiumRunFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("standing");   // a file stands at the PDF's path, as the pipeline reserves it
    QTest::addColumn<QString>("message"); // empty: the PDF is made
    QTest::newRow("a script that never ends")
        << Fault::EndlessScript << false << "Chromium did not print @PAGE@ within 3 seconds and was stopped.";
    QTest::newRow("a script that never ends, a file standing at the PDF's path")
        << Fault::EndlessScript << true << "within 3 seconds";
    QTest::newRow("the browser killed while printing") << Fault::BrowserKilled << false << "ended unexpectedly";
    QTest::newRow("the page's process killed while printing") << Fault::PageProcessKilled << true << "@PAGE@";
    QTest::newRow("the spare tab's process killed before the run") << Fault::SpareProcessKilled << false << "";
    QTest::newRow("cancelled midway") << Fault::Cancelled << false << "";
}

// A run that fails or is stopped leaves nothing at its PDF's path, and the next page prints as ever: in the same
// browser, or in one started again after its crash.
void TestRealConverter::chromiumRunFaults()
{
    QFETCH(Fault, fault);
    QFETCH(bool, standing);
    QFETCH(QString, message);
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    const bool endless = fault == Fault::EndlessScript || fault == Fault::PageProcessKilled;
    const BuiltPage page = writtenPage(app, endless ? "<script>for(;;){}</script>" : "Fine");
    QVERIFY(!page.htmlPath.isEmpty());
    if (standing)
        writeFile(page.pdfPath, QByteArray());
    if (fault == Fault::SpareProcessKilled) {
        QCOMPARE(ChromiumBrowser::instance().ensureRunning(app.path()), QString());
        // The spare tab's page process, once it stands.
        QVERIFY(killPageProcesses(ChromiumBrowser::instance().processId()));
        QTest::qWait(500);
    }
    {
        ChromiumRun run;
        QSignalSpy finished(&run, &PdfRun::finished);
        // Long enough that only a crash noticed ends the run before its limit.
        run.start(app.path(), page.htmlPath, page.pdfPath, fault == Fault::EndlessScript ? 3000 : 30000);
        if (fault == Fault::BrowserKilled)
            ::kill(-pid_t(ChromiumBrowser::instance().processId()), SIGKILL);
        // Until the run ends: its page's process, once its script runs, is among them.
        while (fault == Fault::PageProcessKilled && finished.isEmpty() &&
               killPageProcesses(ChromiumBrowser::instance().processId()))
            finished.wait(500);
        if (fault == Fault::Cancelled) {
            QTest::qWait(300);
            run.cancel();
            QTest::qWait(300);
            QCOMPARE(finished.count(), 0);
        } else {
            QVERIFY(!finished.isEmpty() || finished.wait(60000));
            const RenderResult result = finished.at(0).at(0).value<RenderResult>();
            QVERIFY2(result.ok == message.isEmpty(), qPrintable(result.error));
            QVERIFY2(result.error.contains(QString(message).replace("@PAGE@", page.htmlPath)),
                     qPrintable(result.error));
            // Crashed, or cut off while it opened: said at once, never at the time limit.
            QVERIFY2(fault != Fault::PageProcessKilled || !result.error.contains("within"), qPrintable(result.error));
        }
        QCOMPARE(QFile::exists(page.pdfPath), fault == Fault::SpareProcessKilled);
    }
    // The browser hears of a page process killed last of all before the next run takes its tab.
    QTest::qWait(500);
    const BuiltPage next = writtenPage(app, "Next page", "next");
    const RenderResult rendered = convert(app, next, PdfEngine::Chromium);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    QVERIFY(runTool("pdftotext", {next.pdfPath, "-"}).contains("Next page"));
}

// Jobs run side by side in one browser, each page in a tab of its own, none getting another's PDF.
void TestRealConverter::chromiumPrintsPagesAtOnce()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QVERIFY(app.isValid());
    std::vector<std::unique_ptr<ChromiumRun>> runs;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    QList<BuiltPage> pages;
    for (int n = 0; n < 3; ++n) {
        pages << writtenPage(app, QString("Page number %1").arg(n), QString("page%1").arg(n));
        runs.push_back(std::make_unique<ChromiumRun>());
        spies.push_back(std::make_unique<QSignalSpy>(runs.back().get(), &PdfRun::finished));
        runs.back()->start(app.path(), pages[n].htmlPath, pages[n].pdfPath);
    }
    const qint64 browser = ChromiumBrowser::instance().processId();
    for (int n = 0; n < 3; ++n) {
        QVERIFY(spies[n]->count() == 1 || spies[n]->wait(60000));
        QVERIFY2(spies[n]->at(0).at(0).value<RenderResult>().ok,
                 qPrintable(spies[n]->at(0).at(0).value<RenderResult>().error));
        QVERIFY(runTool("pdftotext", {pages[n].pdfPath, "-"}).contains(QString("Page number %1").arg(n).toUtf8()));
    }
    QCOMPARE(ChromiumBrowser::instance().processId(), browser);
}

// The page names a black-and-white emoji font among its own; Chromium shows emoji in colour all the same.
void TestRealConverter::chromiumShowsColourEmoji()
{
    if (chromiumProgram().isEmpty() || runTool("fc-list", {}).indexOf("Noto Color Emoji") < 0)
        QSKIP("needs chromium and fonts-noto-color-emoji");
    TestAppFolder app;
    QVERIFY(app.isValid());
    const BuiltPage page = writtenPage(app, QString::fromUtf8("Smile \xF0\x9F\x98\x80 and \xE2\x9C\x85 done"));
    const RenderResult rendered = convert(app, page, PdfEngine::Chromium);
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    const QByteArray fonts = runTool("pdffonts", {page.pdfPath});
    // Colour glyphs are drawn pictures, a Type 3 font; the black-and-white ones would come from Symbola.
    QVERIFY2(fonts.contains("Type 3") && !fonts.contains("Symbola"), fonts.constData());
}

// Where the designed converter is missing, Chromium makes the PDF and the result says so.
void TestRealConverter::chromiumStandsInForAMissingConverter()
{
    if (chromiumProgram().isEmpty())
        QSKIP("chromium is not installed");
    TestAppFolder app;
    QTemporaryDir bare;
    QVERIFY(app.isValid() && bare.isValid());
    const QByteArray path = qgetenv("PATH");
    const QString chromium = chromiumProgram();
    qputenv("PATH", QFile::encodeName(bare.path()));
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(chromium));
    QFile::remove(AppFolder::converterPath(app.path()));
    const PageOrder order = twoPictureOrder(app, "Handed over", PdfEngine::Classic);
    PagePipeline pipeline(ConverterStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    qputenv("PATH", path);
    qunsetenv("ORVANTA_CHROMIUM");
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    QCOMPARE(pipeline.result().engineNote, "wkhtmltopdf is not installed; the PDF was made with Chromium.");
    QVERIFY(pdfObjects(pipeline.result().pdfPath).contains("/StructTreeRoot"));
}

QTEST_GUILESS_MAIN(TestRealConverter)
#include "tst_realconverter.moc"
