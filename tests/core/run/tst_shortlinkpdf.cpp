#include "Campaign.h"
#include "EngineStarter.h"
#include "PagePipeline.h"
#include "ShareChecks.h"
#include "TestAppFolder.h"
#include "TestConfig.h"

#include <QPdfDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace orvanta::campaign;

namespace {
/** Every link annotation's address, as the uncompressed PDF holds it. */
QStringList annotationLinks(const QString& pdf)
{
    const QString qdf = QString::fromLatin1(runTool("qpdf", {"--qdf", "--object-streams=disable", pdf, "-"}));
    QStringList links;
    static const QRegularExpression uri("/URI \\(([^)]*)\\)");
    for (auto match = uri.globalMatch(qdf); match.hasNext();)
        links << match.next().captured(1);
    return links;
}
} // namespace

/** With a link base, where the classic converter's PDF and its web page send a buyer: each place by its channel. */
class TestShortLinkPdf final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void offerLinksAndQrCode();
};

void TestShortLinkPdf::initTestCase()
{
    for (const char* tool : {"qpdf", "wkhtmltopdf", "zbarimg"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
}

void TestShortLinkPdf::offerLinksAndQrCode()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const Result<CampaignFile::OpenedCampaign> read =
        CampaignFile::read(app.file("campaigns/keto-cookbook.orvanta"), app.path());
    QVERIFY2(read.ok(), qPrintable(read.error()));
    Campaign campaign = read->campaign;
    campaign.utmSource = "pdf";
    campaign.qrCode = true;
    campaign.brand.linkBase = "https://me.example/go/";
    campaign.slug = "keto";
    const QString offer = taggedAffiliateLink(campaign);
    const QString shortLink = "https://me.example/go/keto";
    QTemporaryDir output;
    PageOrder order;
    order.app = app.path();
    order.fields = pageFieldsOf(campaign);
    order.catalogueEntryChosen = !campaign.catalogueEntry.isEmpty();
    order.options = {true, true};
    order.place = PageOrder::Place::Staging;
    order.outputFolder = output.path();
    PagePipeline pipeline(EngineStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QVERIFY(!finished.isEmpty() || finished.wait(120000));
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    const QString pdf = pipeline.result().pdfPath;

    // The delivery link leads to the bonus; no link reaches the offer but through the short link.
    const QStringList links = annotationLinks(pdf);
    QVERIFY(links.contains(shortLink + "/p"));
    for (const QString& link : links)
        QVERIFY2(QUrl(link).host() != QUrl(offer).host(), qPrintable(link));
    QPdfDocument document;
    document.load(pdf);
    QCOMPARE(decodedCodes(document.render(0, (document.pagePointSize(0) * 150 / 72).toSize())), shortLink + "/q");
    const QByteArray web = bytesOf(pipeline.result().webPageFolder + "/index.html");
    QVERIFY(web.contains("href=\"" + shortLink.toUtf8() + "/w\""));
}

QTEST_GUILESS_MAIN(TestShortLinkPdf)
#include "tst_shortlinkpdf.moc"
