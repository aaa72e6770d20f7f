#include "AppFolder.h"
#include "RedirectFiles.h"
#include "ShortLink.h"
#include "ShortLinks.h"

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
using namespace orvanta::run;

namespace {
enum class Host { Apache, Nginx, Pages };

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

bool answers(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

// Apache reads the .htaccess on every request; it runs its children as www-data when started by root.
QByteArray apacheConfig(const QString& root, const QString& links, quint16 port)
{
    const QByteArray modules = "/usr/lib/apache2/modules/";
    return "ServerRoot " + root.toUtf8() + "\nServerName 127.0.0.1\nListen 127.0.0.1:" + QByteArray::number(port) +
           "\nPidFile " + root.toUtf8() + "/httpd.pid\nErrorLog " + root.toUtf8() +
           "/error.log\nLoadModule mpm_event_module " + modules + "mod_mpm_event.so\nLoadModule authz_core_module " +
           modules + "mod_authz_core.so\nLoadModule alias_module " + modules +
           "mod_alias.so\nUser www-data\nGroup www-data\nDocumentRoot " + links.toUtf8() + "\n<Directory " +
           links.toUtf8() + ">\n    AllowOverride FileInfo\n    Require all granted\n</Directory>\n";
}

// The landing page shows where the reader arrived, fragment and all, for the redirect pages' row.
QByteArray nginxConfig(const QString& root, const QString& links, quint16 port)
{
    QByteArray temp;
    for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        temp += QByteArray("    ") + kind + "_temp_path " + root.toUtf8() + "/tmp;\n";
    return "daemon off;\nmaster_process off;\npid " + root.toUtf8() + "/nginx.pid;\nerror_log " + root.toUtf8() +
           "/error.log;\nevents { worker_connections 16; }\nhttp {\n    access_log off;\n" + temp + "    include " +
           links.toUtf8() + "/nginx-map.conf;\n    server {\n        listen 127.0.0.1:" + QByteArray::number(port) +
           ";\n        include " + links.toUtf8() +
           "/nginx-locations.conf;\n        location = /landing {\n            default_type text/html;\n"
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

private:
    bool startServer(Host host);
    void stopServer();
    /** The Location the server answers for @p path with, or why there is none. */
    QString locationOf(const QString& path);
    /** Where a browser that opens the redirect page of @p slug arrives. */
    QString pageLanding(const QString& slug);
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

bool TestRedirectServers::startServer(Host host)
{
    const QString root = m_server->path();
    QDir(root).mkpath(QStringLiteral("tmp"));
    const bool apache = host == Host::Apache;
    const QString config = root + (apache ? "/httpd.conf" : "/nginx.conf");
    if (!writeText(config, apache ? apacheConfig(root, links(), m_port) : nginxConfig(root, links(), m_port)))
        return false;
    if (apache)
        m_process.start(QStringLiteral("/usr/sbin/apache2"), {"-f", config, "-DFOREGROUND"});
    else
        m_process.start(QStringLiteral("/usr/sbin/nginx"), {"-p", root, "-e", root + "/error.log", "-c", config});
    m_process.waitForStarted();
    for (int tries = 0; tries < 100 && m_process.state() == QProcess::Running; ++tries) {
        if (answers(m_port))
            return true;
        QTest::qWait(100);
    }
    QFile log(root + "/error.log");
    log.open(QIODevice::ReadOnly);
    qWarning("The server did not start: %s %s", m_process.readAllStandardError().constData(),
             log.readAll().constData());
    return false;
}

void TestRedirectServers::stopServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished();
}

QString TestRedirectServers::locationOf(const QString& path)
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(network.get(request));
    QSignalSpy done(reply.get(), &QNetworkReply::finished);
    if (!done.wait(10000))
        return QStringLiteral("no answer");
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 302)
        return QStringLiteral("status %1").arg(status);
    return QString::fromUtf8(reply->rawHeader("Location"));
}

QString TestRedirectServers::pageLanding(const QString& slug)
{
    QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium-headless-shell"));
    if (browser.isEmpty())
        browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty())
        return QStringLiteral("no Chromium");
    QProcess chromium;
    const QString page = links() + "/site/go/" + slug + "/index.html";
    // Virtual time lets the refresh happen before the document is dumped.
    chromium.start(browser,
                   {"--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + m_server->path() + "/chromium",
                    "--virtual-time-budget=5000", "--dump-dom", QUrl::fromLocalFile(page).toString()});
    if (!chromium.waitForFinished(60000))
        return QStringLiteral("Chromium did not end");
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    const int landed = dom.indexOf(QLatin1String("LANDED "));
    return landed < 0 ? dom : dom.mid(landed + 7).section(QLatin1Char('<'), 0, 0).replace(QLatin1String("&amp;"), "&");
}

void TestRedirectServers::shortLinkLands_data()
{
    QTest::addColumn<Host>("host");
    QTest::newRow("Apache .htaccess") << Host::Apache;
    QTest::newRow("nginx map") << Host::Nginx;
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
                          ShortLink::targetOf(landing + "?a=1&utm_source=pdf&q=a b#buy").valueOr({}),
                          "Guide",
                          "guide",
                          {},
                          {},
                          {}};
    const LinkEntry book{"book", "https://me.example/go/book", landing + "?aff=2", "Book", "book", {}, {}, {}};
    QVERIFY(ShortLinks::record(m_app->path(), guide).ok());
    QVERIFY(ShortLinks::record(m_app->path(), book).ok());
    const QString repointed = ShortLink::targetOf(landing + "?aff=9&utm_campaign=it's;}#top").valueOr({});
    for (const QString& expected : {guide.target, repointed}) {
        stopServer();
        QVERIFY2(startServer(host), "the server could not start");
        if (host == Host::Pages) {
            QCOMPARE(pageLanding(guide.slug), expected);
        } else {
            QCOMPARE(locationOf("/go/guide"), expected);
            QCOMPARE(locationOf("/go/book"), book.target);
        }
        QVERIFY(ShortLinks::repoint(m_app->path(), guide.slug, repointed).ok());
    }
}

QTEST_GUILESS_MAIN(TestRedirectServers)
#include "tst_redirectservers.moc"
