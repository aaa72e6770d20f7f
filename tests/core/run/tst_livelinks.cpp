#include "HttpServerCompat.h"
#include "JobSources.h"
#include "LinkCheck.h"
#include "RedirectFiles.h"
#include "ShortLinkStore.h"
#include "TestAppFolder.h"

#include <QDate>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::links;
using namespace orvanta::run;

namespace {
QHttpServerResponse redirectTo(QHttpServerResponse::StatusCode status, const QByteArray& target)
{
    QHttpServerResponse response(status);
    HttpServerCompat::addHeader(response, "Location", target);
    return response;
}
} // namespace

Q_DECLARE_METATYPE(LinkVerdict)

/** Both hops of a short link against a server of the test's own: the offer, and the live redirect to it. */
class TestLiveLinks final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void liveRedirect_data();
    void liveRedirect();
    void sourcesTakeTheTablesTarget_data();
    void sourcesTakeTheTablesTarget();

private:
    QString url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path); }

    QHttpServer m_server;
    quint16 m_port = 0;
    QByteArray m_redirectPage;
};

void TestLiveLinks::initTestCase()
{
    using Status = QHttpServerResponse::StatusCode;
    m_server.route("/offer", [] { return QHttpServerResponse(Status::Ok); });
    m_server.route("/go/right", [this] { return redirectTo(Status::Found, url("/offer?aff=7").toUtf8()); });
    m_server.route("/go/wrong", [this] { return redirectTo(Status::Found, url("/old-offer").toUtf8()); });
    m_server.route("/go/plain", [] { return QHttpServerResponse("text/html", "<html><body>Hello</body></html>"); });
    m_server.route("/go/missing", [] { return QHttpServerResponse(Status::NotFound); });
    // A static host serves the short link's folder: first its closing slash, then the page the redirect files made.
    m_server.route("/go/page", [] { return redirectTo(Status::MovedPermanently, "/go/page/"); });
    m_server.route("/go/page/", [this] { return QHttpServerResponse("text/html", m_redirectPage); });
    m_port = HttpServerCompat::listenLocally(m_server);
    QVERIFY(m_port != 0);

    QTemporaryDir folder;
    const LinkEntry page{"page", url("/go/page"), url("/offer?aff=7&x=1"), "Guide", "guide", {}, {}, {}};
    QVERIFY(RedirectFiles::write(folder.path(), {page}).ok());
    m_redirectPage = bytesOf(folder.filePath("site/go/page/index.html"));
    QVERIFY(m_redirectPage.contains("&amp;"));
}

void TestLiveLinks::liveRedirect_data()
{
    QTest::addColumn<QString>("slug");
    QTest::addColumn<QString>("target");
    QTest::addColumn<LinkVerdict>("verdict");
    QTest::addColumn<QString>("said"); ///< what the report says of the short link, after the link; empty when working
    QTest::addColumn<QString>("kept"); ///< the table's last check, after the date
    const QString target = "/offer?aff=7";
    QTest::newRow("302 to its target") << "right" << target << LinkVerdict::Working << ""
                                       << ": target working; short link working";
    QTest::newRow("302 elsewhere") << "wrong" << target << LinkVerdict::Broken
                                   << " is broken (it redirects to %1/old-offer, not to its target %1/offer?aff=7)."
                                   << ": target working; short link broken (it redirects to %1/old-offer, not to its "
                                      "target %1/offer?aff=7)";
    QTest::newRow("200, no redirect") << "plain" << target << LinkVerdict::Broken
                                      << " is broken (it answers 200 OK without redirecting)."
                                      << ": target working; short link broken (it answers 200 OK without redirecting)";
    QTest::newRow("not uploaded") << "missing" << target << LinkVerdict::Broken << " is broken (404 Not Found)."
                                  << ": target working; short link broken (404 Not Found)";
    QTest::newRow("static host: folder, then its meta refresh page") << "page"
                                                                     << "/offer?aff=7&x=1" << LinkVerdict::Working << ""
                                                                     << ": target working; short link working";
}

// Checked as every front end checks: the targets and the live links in one run, reported, then kept in the table.
void TestLiveLinks::liveRedirect()
{
    QFETCH(QString, slug);
    QFETCH(QString, target);
    QFETCH(LinkVerdict, verdict);
    QFETCH(QString, said);
    QFETCH(QString, kept);
    const QString origin = url({});
    QTemporaryDir app;
    LinksTable table;
    table.record({slug, url("/go/" + slug), url(target), "Guide", "guide", {}, {}, {}});
    QVERIFY(ShortLinkStore::publish(app.path(), table).ok());
    const QList<LiveLink> live{{slug, url("/go/" + slug), url(target)}};
    const QList<QStringList> links{{url(target)}};

    LinkCheck check;
    QSignalSpy finished(&check, &LinkCheck::finished);
    check.start(linksToCheck(links, {live}), live);
    QVERIFY(finished.size() == 1 || finished.wait(15000));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(check.doneCount(), 2);
    QCOMPARE(check.liveJudgement(live.first().link).verdict, verdict);
    const QStringList lines = reportLinks(links, check, {live}).lines({"offer"});
    QCOMPARE(lines.join('\n'),
             said.isEmpty() ? QString() : "offer: the link " + live.first().link + said.replace("%1", origin));

    QVERIFY(ShortLinkStore::recordChecks(app.path(), live, check, true).ok());
    const Result<LinksTable> read = ShortLinkStore::read(app.path());
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->find(slug)->lastCheck, QDate::currentDate().toString(Qt::ISODate) + kept.replace("%1", origin));

    // Re-pointed while the check ran: what it found is of the old target, and is not kept.
    QVERIFY(ShortLinkStore::repoint(app.path(), slug, url("/elsewhere")).ok());
    QVERIFY(ShortLinkStore::recordChecks(app.path(), live, check, true).ok());
    QCOMPARE(ShortLinkStore::read(app.path())->find(slug)->lastCheck, QString());
}

void TestLiveLinks::sourcesTakeTheTablesTarget_data()
{
    QTest::addColumn<QString>("tableTarget"); ///< the target the table holds for the slug; empty for no entry
    QTest::addColumn<QString>("checked");     ///< the target a check of the campaign asks the short link for
    QTest::addColumn<bool>("inList");         ///< the campaign is a product of the list that is the source
    QTest::newRow("not made yet: the tagged link") << ""
                                                   << "https://shop.example/offer?utm_source=pdf" << false;
    QTest::newRow("re-pointed: the table's target") << "https://new.example/deal"
                                                    << "https://new.example/deal" << false;
    QTest::newRow("a list's product") << "https://new.example/deal"
                                      << "https://new.example/deal" << true;
}

void TestLiveLinks::sourcesTakeTheTablesTarget()
{
    QFETCH(QString, tableTarget);
    QFETCH(QString, checked);
    QFETCH(bool, inList);
    QTemporaryDir app;
    Campaign campaign;
    campaign.ctaUrl = "https://shop.example/offer";
    campaign.utmSource = "pdf";
    campaign.pdfFileName = "Keto Guide";
    campaign.brand.linkBase = "https://me.example/go/";
    LinksTable table;
    if (!tableTarget.isEmpty())
        table.record({"keto-guide", "https://me.example/go/keto-guide", tableTarget, "", "Keto Guide", {}, {}, {}});
    QVERIFY(ShortLinkStore::publish(app.path(), table).ok());
    JobSettings settings;
    settings.app = app.path();
    JobSource source{"row 2", {}, campaign, {}, {}};
    if (inList) {
        ProductList list;
        list.items.resize(2);
        list.items[0].campaignPath = app.filePath("keto.orvanta");
        list.items[1].campaignPath = app.filePath("gone.orvanta");
        QVERIFY(orvanta::campaign::CampaignFile::write(list.items.first().campaignPath, campaign).ok());
        QVERIFY(orvanta::campaign::ListFile::write(app.filePath("top.orvantalist"), list).ok());
        source = JobSource::file(app.filePath("top.orvantalist"));
    }
    const QList<LiveLink> live = shortLinksOfSources({source}, settings).value(0);
    QCOMPARE(live.size(), 1);
    QCOMPARE(live.first().link, "https://me.example/go/keto-guide");
    QCOMPARE(live.first().target, checked);
    QVERIFY(linksToCheck({{}}, {live}).contains(checked));
}

QTEST_GUILESS_MAIN(TestLiveLinks)
#include "tst_livelinks.moc"
