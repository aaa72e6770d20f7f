#include "AppFolder.h"
#include "ClickImport.h"
#include "LinkRules.h"
#include "RedirectCheck.h"
#include "RedirectFiles.h"
#include "ShortLinkStore.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::links;

namespace {
enum class Host { Apache, ApacheAliasOnly, Nginx, Pages };

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

// Refused at once while nothing listens; the wait bounds only a connection that hangs.
bool answers(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(30000);
}

// Apache reads the .htaccess on every request; it runs its children as www-data when started by root.
QByteArray apacheConfig(const QString& root, const QString& links, quint16 port, bool rewrite)
{
    const QByteArray modules = "/usr/lib/apache2/modules/";
    const QByteArray rewriteModule = rewrite ? "LoadModule rewrite_module " + modules + "mod_rewrite.so\n" : "";
    return rewriteModule + "ServerRoot " + root.toUtf8() +
           "\nServerName 127.0.0.1\nListen 127.0.0.1:" + QByteArray::number(port) + "\nPidFile " + root.toUtf8() +
           "/httpd.pid\nErrorLog " + root.toUtf8() + "/error.log\nLoadModule mpm_event_module " + modules +
           "mod_mpm_event.so\nLoadModule authz_core_module " + modules + "mod_authz_core.so\nLoadModule alias_module " +
           modules + "mod_alias.so\nUser www-data\nGroup www-data\nDocumentRoot " + links.toUtf8() + "\n<Directory " +
           links.toUtf8() + ">\n    AllowOverride FileInfo\n    Require all granted\n</Directory>\n" +
           "LogFormat \"%h %l %u %t \\\"%r\\\" %>s %O \\\"%{Referer}i\\\" \\\"%{User-Agent}i\\\"\" combined\n" +
           "CustomLog " + root.toUtf8() + "/access.log combined\n";
}

// Both files included as the setup says, beside the site's own pages; for the pages' row, the site folder as a
// static host serves it. The landing page shows where the reader arrived, fragment and all.
QByteArray nginxConfig(const QString& root, const QString& links, quint16 port, bool pages)
{
    QByteArray temp;
    for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        temp += QByteArray("    ") + kind + "_temp_path " + root.toUtf8() + "/tmp;\n";
    const QByteArray site =
        pages ? "        root " + links.toUtf8() + "/site;\n"
              : "        include " + links.toUtf8() + "/nginx-locations.conf;\n        location / { return 404; }\n";
    return "daemon off;\nmaster_process off;\npid " + root.toUtf8() + "/nginx.pid;\nerror_log " + root.toUtf8() +
           "/error.log;\nevents { worker_connections 16; }\nhttp {\n    access_log " + root.toUtf8() +
           "/access.log;\n" + temp + "    include " + links.toUtf8() +
           "/nginx-map.conf;\n    server {\n        listen 127.0.0.1:" + QByteArray::number(port) + ";\n" + site +
           "        location = /landing {\n            default_type text/html;\n"
           "            return 200 \"<html><body><script>document.body.textContent = 'LANDED ' + location.href;"
           "</script></body></html>\";\n        }\n    }\n}\n";
}
} // namespace

/** The redirect files as real servers and a real browser read them: each short link lands exactly on its target. */
class TestRedirectServers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void shortLinkLands_data();
    void shortLinkLands();
    void clicksCounted_data();
    void clicksCounted();

private:
    bool startServer(Host host);
    void stopServer();
    /** The Location the server answers for @p path with, or why there is none. */
    QString locationOf(const QString& path, const QByteArray& agent = {}, bool head = false);
    /** Where a browser that opens the redirect page of @p slug, served as a static host would, arrives. */
    QString pageLanding(const QString& path);
    QString links() const { return AppFolder::linksFolder(m_app->path()); }

    std::unique_ptr<QTemporaryDir> m_app;
    std::unique_ptr<QTemporaryDir> m_server;
    QProcess m_process;
    quint16 m_port = 0;
};

void TestRedirectServers::init()
{
    m_app = std::make_unique<QTemporaryDir>();
    m_server = std::make_unique<QTemporaryDir>();
    QVERIFY(m_app->isValid() && m_server->isValid());
    // Apache's children read the folder as another user.
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                      QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(m_app->path(), open));
}

void TestRedirectServers::cleanup()
{
    stopServer();
}

// Ready once its pid file is written and its port answers; a server that ends first has failed.
bool TestRedirectServers::startServer(Host host)
{
    const QString root = m_server->path();
    QDir(root).mkpath(QStringLiteral("tmp"));
    const bool apache = host == Host::Apache || host == Host::ApacheAliasOnly;
    const QString config = root + (apache ? "/httpd.conf" : "/nginx.conf");
    const QString pidFile = root + (apache ? "/httpd.pid" : "/nginx.pid");
    QFile::remove(pidFile);
    const QByteArray text = apache ? apacheConfig(root, links(), m_port, host == Host::Apache)
                                   : nginxConfig(root, links(), m_port, host == Host::Pages);
    if (!writeText(config, text))
        return false;
    if (!apache) {
        QProcess test;
        test.start(QStringLiteral("/usr/sbin/nginx"), {"-t", "-p", root, "-e", root + "/error.log", "-c", config});
        if (!test.waitForFinished(-1) || test.exitCode() != 0) {
            qWarning("nginx -t: %s", test.readAllStandardError().constData());
            return false;
        }
    }
    if (apache)
        m_process.start(QStringLiteral("/usr/sbin/apache2"), {"-f", config, "-DFOREGROUND"});
    else
        m_process.start(QStringLiteral("/usr/sbin/nginx"), {"-p", root, "-e", root + "/error.log", "-c", config});
    const bool ready =
        m_process.waitForStarted(-1) &&
        QTest::qWaitFor(
            [&] {
                return m_process.state() != QProcess::Running || (QFileInfo(pidFile).size() > 0 && answers(m_port));
            },
            120000) &&
        m_process.state() == QProcess::Running;
    if (ready)
        return true;
    QFile log(root + "/error.log");
    log.open(QIODevice::ReadOnly);
    qWarning("The server did not start: %s %s", m_process.readAllStandardError().constData(),
             log.readAll().constData());
    return false;
}

// Gone, with its children, before the next one takes the port.
void TestRedirectServers::stopServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    m_process.waitForFinished(-1);
}

QString TestRedirectServers::locationOf(const QString& path, const QByteArray& agent, bool head)
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    if (!agent.isEmpty())
        request.setRawHeader("User-Agent", agent);
    std::unique_ptr<QNetworkReply> reply(head ? network.head(request) : network.get(request));
    QSignalSpy done(reply.get(), &QNetworkReply::finished);
    if (!done.wait(120000))
        return QStringLiteral("no answer");
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 404)
        return QStringLiteral("404");
    if (status != 302)
        return QStringLiteral("status %1").arg(status);
    return QString::fromUtf8(reply->rawHeader("Location"));
}

QString TestRedirectServers::pageLanding(const QString& path)
{
    QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium-headless-shell"));
    if (browser.isEmpty())
        browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty())
        return QStringLiteral("no Chromium");
    // A profile of its own: one an earlier Chromium's helpers still hold would hand the page to that one.
    const QTemporaryDir profile(m_server->path() + "/chromium-XXXXXX");
    QProcess chromium;
    const QString page = QStringLiteral("http://127.0.0.1:%1/go/%2/").arg(m_port).arg(path);
    // Virtual time lets the refresh happen before the document is dumped.
    chromium.start(browser, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-site-isolation-trials",
                             "--process-per-tab", "--user-data-dir=" + profile.path(), "--virtual-time-budget=30000",
                             "--dump-dom", page});
    if (!chromium.waitForFinished(60000))
        return QStringLiteral("Chromium did not end");
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    if (dom.isEmpty())
        qWarning("chromium %d: %s", chromium.exitCode(), chromium.readAllStandardError().constData());
    const int landed = dom.indexOf(QLatin1String("LANDED "));
    return landed < 0 ? dom : dom.mid(landed + 7).section(QLatin1Char('<'), 0, 0).replace(QLatin1String("&amp;"), "&");
}

void TestRedirectServers::shortLinkLands_data()
{
    QTest::addColumn<Host>("host");
    QTest::newRow("Apache .htaccess") << Host::Apache;
    QTest::newRow("Apache .htaccess, mod_alias only") << Host::ApacheAliasOnly;
    QTest::newRow("nginx locations") << Host::Nginx;
    QTest::newRow("redirect pages in Chromium") << Host::Pages;
}

// Before and after a re-point; the targets keep their tags, fragments and characters the formats quote.
void TestRedirectServers::shortLinkLands()
{
    QFETCH(Host, host);
    m_port = freePort();
    QVERIFY(m_port != 0);
    // Every target is the local landing page: the servers' rows compare the Location, the pages' row arrives there.
    const QString landing = QStringLiteral("http://127.0.0.1:%1/landing").arg(m_port);
    const LinkEntry guide{"guide",
                          "https://me.example/go/guide",
                          LinkRules::targetOf(landing + "?a=1&utm_source=pdf&q=a b#buy").valueOr({}),
                          "Guide",
                          "guide",
                          {},
                          {},
                          {}};
    const LinkEntry book{"book", "https://me.example/go/book", landing + "?aff=2", "Book", "book", {}, {}, {}};
    // A nested base beside a link of its folder's name, a slug as long as one may be, a target as long as one may be.
    const LinkEntry deals{"deals", "https://me.example/go/deals", landing + "?aff=1", "Deals", "deals", {}, {}, {}};
    const LinkEntry nested{"keto-x", "https://me.example/go/deals/keto-x", landing + "?aff=3", "K", "k", {}, {}, {}};
    // A nested base's slug that spells a channel of the link of its folder's name: it stays its own link.
    const LinkEntry channelSlug{"p", "https://me.example/go/deals/p", landing + "?aff=4", "P", "p", {}, {}, {}};
    const QString longSlug(LinkRules::MaxSlugLength, 'l');
    const QString longTarget = landing + "?pad=" + QString(LinkRules::MaxTargetBytes - landing.size() - 5, 'x');
    const LinkEntry wide{longSlug, "https://me.example/go/" + longSlug, longTarget, "L", "l", {}, {}, {}};
    for (const LinkEntry& link : {guide, book, deals, nested, channelSlug, wide})
        QVERIFY(ShortLinkStore::record(m_app->path(), link).ok());
    const QString repointed = LinkRules::targetOf(landing + "?aff=9&utm_campaign=it's;}#top").valueOr({});
    for (const QString& expected : {guide.target, repointed}) {
        stopServer();
        QVERIFY2(startServer(host), "the server could not start");
        if (host == Host::Pages) {
            QCOMPARE(pageLanding(guide.slug), expected);
            QCOMPARE(pageLanding(guide.slug + "/q"), expected);
        } else {
            QCOMPARE(locationOf("/go/guide/z"), QStringLiteral("404"));
            const QList<std::pair<QString, QString>> links{{"/go/guide", expected},
                                                           {"/go/guide/p", expected},
                                                           {"/go/guide/q", expected},
                                                           {"/go/guide/w", expected},
                                                           {"/go/deals/p", channelSlug.target},
                                                           {"/go/deals/w", deals.target},
                                                           {"/go/book", book.target},
                                                           {"/go/deals", deals.target},
                                                           {"/go/deals/keto-x", nested.target},
                                                           {"/go/" + longSlug, longTarget}};
            for (const auto& [path, target] : links) {
                QCOMPARE(locationOf(path), target);
                QCOMPARE(locationOf(path + "/"), target);
                QCOMPARE(locationOf(path + "/x"), QStringLiteral("404"));
            }
        }
        QVERIFY(ShortLinkStore::repoint(m_app->path(), guide.slug, repointed).ok());
    }
}

void TestRedirectServers::clicksCounted_data()
{
    QTest::addColumn<Host>("host");
    QTest::newRow("Apache's log") << Host::Apache;
    QTest::newRow("nginx's log") << Host::Nginx;
}

// The log the server itself wrote: two browsers, a crawler, a HEAD and the live links' check; read once it ended.
void TestRedirectServers::clicksCounted()
{
    QFETCH(Host, host);
    m_port = freePort();
    QVERIFY(m_port != 0);
    const QString target = QStringLiteral("http://127.0.0.1:%1/landing").arg(m_port);
    for (const char* slug : {"guide", "book"})
        QVERIFY(
            ShortLinkStore::record(
                m_app->path(), {slug, QStringLiteral("https://me.example/go/") + slug, target, "G", slug, {}, {}, {}})
                .ok());
    QVERIFY2(startServer(host), "the server could not start");
    const QByteArray firefox = "Mozilla/5.0 (X11; Linux x86_64; rv:120.0) Gecko/20100101 Firefox/120.0";
    const QByteArray chrome = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0";
    QCOMPARE(locationOf("/go/guide", firefox), target);
    QCOMPARE(locationOf("/go/guide/", chrome), target);
    QCOMPARE(locationOf("/go/book", firefox), target);
    QCOMPARE(locationOf("/go/guide", "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)"),
             target);
    QCOMPARE(locationOf("/go/book", firefox, true), target);
    RedirectCheck check;
    QSignalSpy checked(&check, &RedirectCheck::finished);
    check.start({{"guide", QStringLiteral("http://127.0.0.1:%1/go/guide").arg(m_port), target}});
    QVERIFY(checked.wait(120000));
    stopServer();
    const Result<ClickImportSummary> summary = ClickImport::run(m_app->path(), {m_server->filePath("access.log")});
    QVERIFY2(summary.ok(), qPrintable(summary.error()));
    QCOMPARE(summary->problems(), QStringList());
    QCOMPARE(summary->total.lines, qint64(6));
    QCOMPARE(summary->total.checker, qint64(1));
    QCOMPARE(summary->total.crawler, qint64(1));
    QCOMPARE(summary->total.otherMethod, qint64(1));
    const ClickCounts counts = ClickCounts::read(AppFolder::clicksPath(m_app->path())).valueOr({});
    QCOMPARE(counts.total("guide"), qint64(2));
    QCOMPARE(counts.total("book"), qint64(1));
}

QTEST_GUILESS_MAIN(TestRedirectServers)
#include "tst_redirectservers.moc"
