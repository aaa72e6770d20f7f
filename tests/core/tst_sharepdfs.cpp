#include "Campaign.h"
#include "ConverterStarter.h"
#include "Designs.h"
#include "PagePipeline.h"
#include "ShareChecks.h"
#include "ShareKit.h"
#include "TestAppFolder.h"
#include "TestConfig.h"

#include <QFileInfo>
#include <QImage>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr double pixelsPerPoint = 3;

/** The links the PDF's clickable areas hold. */
QStringList linksIn(const QString& pdf)
{
    const QString qdf = QString::fromLatin1(runTool("qpdf", {"--qdf", "--object-streams=disable", pdf, "-"}));
    QStringList links;
    static const QRegularExpression uri("/URI \\(((?:[^()\\\\]|\\\\.)*)\\)");
    for (auto match = uri.globalMatch(qdf); match.hasNext();)
        links << match.next().captured(1).replace("\\(", "(").replace("\\)", ")").replace("\\\\", "\\");
    return links;
}

QImage firstPage(const QString& pdf)
{
    QPdfDocument document;
    document.load(pdf);
    const QSizeF points = document.pagePointSize(0);
    return document.render(0, (points * pixelsPerPoint).toSize());
}

/** The pictures the PDF holds, their masks left out. */
int picturesIn(const QString& pdf)
{
    const QStringList lines = QString::fromUtf8(runTool("pdfimages", {"-list", pdf})).split('\n').mid(2);
    return lines.filter(QRegularExpression("^\\s*\\d+\\s+\\d+\\s+image\\s")).size();
}
} // namespace

/** The QR code and the share kit of each shipped design, through the real converter. */
class TestSharePdfs final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void codeAndKit_data();
    void codeAndKit();
};

void TestSharePdfs::initTestCase()
{
    for (const char* tool : {"wkhtmltopdf", "zbarimg", "pdfimages", "qpdf"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
}

void TestSharePdfs::codeAndKit_data()
{
    QTest::addColumn<QString>("design");
    for (const Design& design : Designs::list(ORVANTA_TEST_APP_DIR))
        QTest::newRow(qPrintable(design.name)) << design.name;
}

// The code a phone reads is the link the button opens, drawn as vector; the saved page tells its card and review.
void TestSharePdfs::codeAndKit()
{
    QFETCH(QString, design);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const CampaignFile::ReadResult read = CampaignFile::read(app.file("campaigns/keto-cookbook.orvanta"), app.path());
    QVERIFY2(read.campaign, qPrintable(read.error));
    Campaign campaign = *read.campaign;
    campaign.design = design;
    campaign.qrCode = true;
    campaign.ctaUrl = "https://example.com/aff/keto?id=42&lang=en#order";
    campaign.utmSource = "pdf";
    campaign.utmCampaign = "spring sale";
    QTemporaryDir output;
    PageOrder order;
    order.app = app.path();
    order.fields = pageFieldsOf(campaign);
    order.catalogueEntryChosen = true;
    order.options.saveWebPage = true;
    order.place = PageOrder::Place::Staging;
    order.outputFolder = output.path();
    PagePipeline pipeline(ConverterStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QVERIFY(!finished.isEmpty() || finished.wait(120000));
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    const QString pdf = pipeline.result().pdfPath;

    const QStringList links = linksIn(pdf);
    QVERIFY2(links.size() == 1, qPrintable(links.join('\n')));
    QCOMPARE(decodedCodes(firstPage(pdf)), links.first());
    QCOMPARE(picturesIn(pdf), pipeline.page().imageNames.size());

    const QString folder = pipeline.result().webPageFolder;
    const SharedHead head = sharedHeadOf(QString::fromUtf8(bytesOf(folder + "/index.html")));
    QVERIFY2(head.problem.isEmpty(), qPrintable(head.problem));
    QCOMPARE(head.meta.value("og:title"), campaign.mainTitle);
    QCOMPARE(head.review.value("itemReviewed")["name"].toString(), QString("Keto Made Easy Cookbook"));
    const QImage picture(folder + "/" + head.meta.value("og:image"));
    QCOMPARE(picture.size(), QSize(ShareKits::pictureWidth, ShareKits::pictureHeight));
    QVERIFY(picture.pixel(0, 0) != picture.pixel(600, 300) || picture.pixel(0, 0) != picture.pixel(600, 100));
}

QTEST_MAIN(TestSharePdfs)
#include "tst_sharepdfs.moc"
