#include "HttpServerCompat.h"
#include "LinkCheck.h"

#include <QElapsedTimer>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {
QHttpServerResponse redirectTo(const QByteArray& target)
{
    QHttpServerResponse response(QHttpServerResponse::StatusCode::Found);
    HttpServerCompat::addHeader(response, "Location", target);
    return response;
}

/** Accepts connections and answers none but "/fast"; remembers when each came. */
class SilentServer final : public QTcpServer {
public:
    /** The most connections that came within @p ms of each other. */
    int mostWithin(qint64 ms) const
    {
        int most = 0;
        for (qsizetype i = 0; i < m_arrivals.size(); ++i)
            most = std::max(most, int(std::count_if(m_arrivals.cbegin() + i, m_arrivals.cend(),
                                                    [&](qint64 t) { return t - m_arrivals.at(i) < ms; })));
        return most;
    }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        m_arrivals << m_clock.elapsed();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // Paths beginning "/fast" are answered at once.
        connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            if (socket->peek(64).contains(" /fast"))
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        });
    }

private:
    QElapsedTimer m_clock = [] {
        QElapsedTimer clock;
        clock.start();
        return clock;
    }();
    QList<qint64> m_arrivals;
};
} // namespace

/** How links are judged, against servers of the test's own on 127.0.0.1. */
class TestLinkCheck final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void judgement_data();
    void judgement();
    void silentServerIsOnlyUnverified();
    void quickLinkNotStarvedBySlowOnesOfItsServer();
    void stopEndsEveryRequest();

private:
    QString url(const char* path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path); }
    static void run(LinkCheck& check, const QStringList& links);

    QHttpServer m_server;
    quint16 m_port = 0;
    quint16 m_closedPort = 0;
};

void TestLinkCheck::initTestCase()
{
    using Status = QHttpServerResponse::StatusCode;
    m_server.route("/ok", [] { return QHttpServerResponse(Status::Ok); });
    m_server.route("/missing", [] { return QHttpServerResponse(Status::NotFound); });
    m_server.route("/gone", [] { return QHttpServerResponse(Status::Gone); });
    m_server.route("/forbidden", [] { return QHttpServerResponse(Status::Forbidden); });
    m_server.route("/busy", [] { return QHttpServerResponse(Status::TooManyRequests); });
    m_server.route("/down", [] { return QHttpServerResponse(Status::ServiceUnavailable); });
    m_server.route("/nohead", [](const QHttpServerRequest& request) {
        return QHttpServerResponse(request.method() == QHttpServerRequest::Method::Head ? Status::MethodNotAllowed
                                                                                        : Status::Ok);
    });
    m_server.route("/hop", [] { return redirectTo("/ok"); });
    m_server.route("/hop-to-missing", [] { return redirectTo("/missing"); });
    m_server.route("/loop", [] { return redirectTo("/loop"); });
    // Dead ends behind a redirect. This server speaks plain HTTP, so https to its port fails in the handshake.
    m_server.route("/hop-to-refused", [this] {
        return redirectTo(QByteArray("http://127.0.0.1:") + QByteArray::number(m_closedPort) + "/");
    });
    m_server.route("/hop-to-unknown-host", [] { return redirectTo("http://shop.invalid/buy"); });
    m_server.route("/hop-to-tls-failure", [this] {
        return redirectTo(QByteArray("https://127.0.0.1:") + QByteArray::number(m_port) + "/ok");
    });
    m_port = HttpServerCompat::listenLocally(m_server);
    QVERIFY(m_port != 0);
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    m_closedPort = closed.serverPort();
}

void TestLinkCheck::run(LinkCheck& check, const QStringList& links)
{
    QSignalSpy finished(&check, &LinkCheck::finished);
    check.start(links);
    QVERIFY(finished.size() == 1 || finished.wait(15000));
    QCOMPARE(check.doneCount(), check.count());
}

void TestLinkCheck::judgement_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char* name, const char* path, LinkVerdict verdict, const char* reason) {
        QTest::newRow(name) << QString::fromLatin1(path) << int(verdict) << QString::fromLatin1(reason);
    };
    row("2xx", "/ok", LinkVerdict::Working, "200");
    row("404", "/missing", LinkVerdict::Broken, "404");
    row("410", "/gone", LinkVerdict::Broken, "410");
    row("403: robots refused", "/forbidden", LinkVerdict::Unverified, "403");
    row("429", "/busy", LinkVerdict::Unverified, "429");
    row("5xx", "/down", LinkVerdict::Unverified, "503");
    row("HEAD refused, GET answers", "/nohead", LinkVerdict::Working, "200");
    row("redirect followed", "/hop", LinkVerdict::Working, "200");
    row("redirect to a missing page", "/hop-to-missing", LinkVerdict::Broken, "404");
    row("endless redirects", "/loop", LinkVerdict::Broken, "redirects");
    // Judged by the hop that failed, not by the redirect that led there; {closed} and {port} are this test's ports.
    row("redirect to a refused port", "/hop-to-refused", LinkVerdict::Broken,
        "connection refused at http://127.0.0.1:{closed}/");
    row("redirect to an unknown host", "/hop-to-unknown-host", LinkVerdict::Broken,
        "unknown host at http://shop.invalid/buy");
    row("redirect to a failing TLS connection", "/hop-to-tls-failure", LinkVerdict::Broken,
        "(TLS) failed at https://127.0.0.1:{port}/ok");
    row("connection refused", "refused", LinkVerdict::Broken, "refused");
    row("unknown host, never asked of a name server", "http://shop.invalid/buy", LinkVerdict::Broken, "unknown host");
    row("no web address", "htp//typo", LinkVerdict::Broken, "not a web address");
}

void TestLinkCheck::judgement()
{
    QFETCH(QString, path);
    QFETCH(int, verdict);
    QFETCH(QString, reason);
    reason.replace("{closed}", QString::number(m_closedPort)).replace("{port}", QString::number(m_port));
    const QString link = path == "refused"      ? QStringLiteral("http://127.0.0.1:%1/").arg(m_closedPort)
                         : path.startsWith('/') ? url(qPrintable(path))
                                                : path;
    LinkCheck check;
    run(check, {link});
    const LinkJudgement judged = check.judgement(link);
    QCOMPARE(int(judged.verdict), verdict);
    QVERIFY2(judged.reason.contains(reason), qPrintable(judged.reason));
}

// A robot-shy network that never answers is no broken link; the check keeps to its bound of requests at once.
void TestLinkCheck::silentServerIsOnlyUnverified()
{
    SilentServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    QStringList links;
    for (int i = 0; i < 5; ++i)
        links << QStringLiteral("http://127.0.0.1:%1/slow%2").arg(silent.serverPort()).arg(i);
    links << links.first(); // once only
    LinkCheck check(2);
    check.setTimeLimitMs(300);
    run(check, links);
    QCOMPARE(check.count(), 5);
    for (const QString& link : std::as_const(links)) {
        QCOMPARE(check.judgement(link).verdict, LinkVerdict::Unverified);
        QVERIFY(check.judgement(link).reason.contains("no answer"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(silent.findChildren<QTcpSocket*>().size(), 0, 5000);
    // Requests go in waves of two, one time limit apart.
    QVERIFY2(silent.mostWithin(150) <= 2, qPrintable(QString::number(silent.mostWithin(150))));
}

// Qt sends at most six requests to one server at a time; a seventh must not spend its time waiting behind them.
void TestLinkCheck::quickLinkNotStarvedBySlowOnesOfItsServer()
{
    SilentServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QStringList links;
    for (int i = 0; i < 6; ++i)
        links << QStringLiteral("http://127.0.0.1:%1/slow%2").arg(server.serverPort()).arg(i);
    links << QStringLiteral("http://127.0.0.1:%1/fast").arg(server.serverPort());
    LinkCheck check;
    check.setTimeLimitMs(1000);
    run(check, links);
    QCOMPARE(check.judgement(links.last()).verdict, LinkVerdict::Working);
    QCOMPARE(check.judgement(links.first()).verdict, LinkVerdict::Unverified);
}

void TestLinkCheck::stopEndsEveryRequest()
{
    SilentServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    auto check = std::make_unique<LinkCheck>();
    QSignalSpy finished(check.get(), &LinkCheck::finished);
    check->start({QStringLiteral("http://127.0.0.1:%1/a").arg(silent.serverPort()), url("/ok")});
    QTRY_VERIFY_WITH_TIMEOUT(!silent.findChildren<QTcpSocket*>().isEmpty(), 5000);
    check->stop();
    QCOMPARE(finished.size(), 1);
    QVERIFY(!check->isRunning());
    check.reset();
    QTRY_COMPARE_WITH_TIMEOUT(silent.findChildren<QTcpSocket*>().size(), 0, 5000);
}

QTEST_GUILESS_MAIN(TestLinkCheck)
#include "tst_linkcheck.moc"
