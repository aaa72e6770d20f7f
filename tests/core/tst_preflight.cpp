#include "Campaign.h"
#include "ConverterStarter.h"
#include "PagePipeline.h"
#include "Preflight.h"
#include "PreflightPage.h"
#include "TestAppFolder.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <limits>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace {
const QString Link = QStringLiteral("https://example.com/buy?utm_source=orvanta&utm_campaign=spring");
const QString Title = QStringLiteral("Keto Cookbook Review");
const QString FontFile = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

/** A one-page PDF as the converter would write it for a clean campaign; each field plants one fault. */
struct Sample {
    QString drawnTitle = Title;
    QStringList disclosure{QStringLiteral("Disclosure: we may earn a commission if you buy through this link.")};
    double disclosureY = 600; ///< the buy button stands at 550 to 585
    QString linkUri = Link;
    bool linkAction = true;
    bool embedFont = true;
    QString infoTitle = Title;
    QString language = QStringLiteral("en");
    QSize picture{600, 400};
    double pictureWidthPt = 300;
    bool pictureInForm = false;
    /** An inline picture drawn first, whose bytes read as operators that would shrink everything after it. */
    bool inlinePictureFirst = false;
    int paddingBytes = 0;
    enum class Tags { None, Described, Undescribed } tags = Tags::None;
};

QString cleanPage(const QString& extraStyle = {}, const QString& picture = QStringLiteral("alt=\"Cover\""))
{
    return QStringLiteral("<html lang=\"en\"><head><style>html { background: #eef1f6; }\nbody { color: #1d2433; }\n"
                          ".button { background-color: #0b5cad; color: #fff; }\n%1</style></head><body>"
                          "<img src=\"cover.png\" %2><a class=\"button\" href=\"%3\" rel=\"nofollow sponsored\">Buy</a>"
                          "</body></html>")
        .arg(extraStyle, picture, QString(Link).replace("&", "&amp;"));
}

QPDFObjectHandle parsed(QPDF& pdf, const QString& text)
{
    return QPDFObjectHandle::parse(&pdf, text.toStdString());
}

QPDFObjectHandle font(QPDF& pdf, bool embedded)
{
    QString widths;
    for (int i = 32; i <= 126; ++i)
        widths += QStringLiteral("600 ");
    QPDFObjectHandle descriptor =
        parsed(pdf, "<< /Type /FontDescriptor /FontName /DejaVuSans /Flags 32 /FontBBox [-1021 -463 1793 1232] "
                    "/ItalicAngle 0 /Ascent 928 /Descent -236 /CapHeight 729 /StemV 80 >>");
    if (embedded) {
        QFile file(FontFile);
        file.open(QIODevice::ReadOnly);
        descriptor.replaceKey("/FontFile2", QPDFObjectHandle::newStream(&pdf, file.readAll().toStdString()));
    }
    QPDFObjectHandle dict = parsed(pdf, "<< /Type /Font /Subtype /TrueType /BaseFont /ABCDEF+DejaVuSans /FirstChar 32 "
                                        "/LastChar 126 /Encoding /WinAnsiEncoding /Widths [" +
                                            widths + "] >>");
    dict.replaceKey("/FontDescriptor", pdf.makeIndirectObject(descriptor));
    return pdf.makeIndirectObject(dict);
}

QPDFObjectHandle picture(QPDF& pdf, QSize pixels)
{
    QPDFObjectHandle image =
        QPDFObjectHandle::newStream(&pdf, std::string(size_t(pixels.width()) * size_t(pixels.height()), '\x80'));
    image.replaceDict(parsed(pdf, QStringLiteral("<< /Type /XObject /Subtype /Image /Width %1 /Height %2 "
                                                 "/ColorSpace /DeviceGray /BitsPerComponent 8 >>")
                                      .arg(pixels.width())
                                      .arg(pixels.height())));
    return image;
}

QString drawnText(const Sample& sample)
{
    QString content = QStringLiteral("BT /F1 24 Tf 72 780 Td (%1) Tj ET\n").arg(sample.drawnTitle);
    double y = sample.disclosureY;
    for (const QString& line : sample.disclosure) {
        content += QStringLiteral("BT /F1 10 Tf 72 %1 Td (%2) Tj ET\n").arg(y).arg(line);
        y -= 14;
    }
    return content + QStringLiteral("BT /F1 18 Tf 80 560 Td (Buy now) Tj ET\n");
}

void addPicture(QPDF& pdf, const Sample& sample, QPDFObjectHandle resources, QString& content)
{
    const QString place = QStringLiteral("%1 0 0 %2 72 200").arg(sample.pictureWidthPt).arg(sample.pictureWidthPt / 2);
    QPDFObjectHandle image = pdf.makeIndirectObject(picture(pdf, sample.picture));
    if (!sample.pictureInForm) {
        resources.replaceKey("/XObject", parsed(pdf, "<< >>"));
        resources.getKey("/XObject").replaceKey("/Im1", image);
        content += QStringLiteral("q %1 cm /Im1 Do Q\n").arg(place);
        return;
    }
    QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf, "/Im1 Do");
    form.replaceDict(parsed(pdf, QStringLiteral("<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] /Matrix [%1] "
                                                "/Resources << /XObject << >> >> >>")
                                     .arg(place)));
    form.getDict().getKey("/Resources").getKey("/XObject").replaceKey("/Im1", image);
    resources.replaceKey("/XObject", parsed(pdf, "<< >>"));
    resources.getKey("/XObject").replaceKey("/Fm1", pdf.makeIndirectObject(form));
    content += QStringLiteral("q /Fm1 Do Q\n");
}

void addDocumentFacts(QPDF& pdf, const Sample& sample)
{
    QPDFObjectHandle info = pdf.makeIndirectObject(parsed(pdf, "<< >>"));
    if (!sample.infoTitle.isEmpty())
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(sample.infoTitle.toStdString()));
    pdf.getTrailer().replaceKey("/Info", info);
    QPDFObjectHandle root = pdf.getRoot();
    if (!sample.language.isEmpty())
        root.replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(sample.language.toStdString()));
    if (sample.tags != Sample::Tags::None)
        root.replaceKey("/StructTreeRoot",
                        parsed(pdf, sample.tags == Sample::Tags::Described
                                        ? "<< /Type /StructTreeRoot /K [<< /S /Document /K [<< /S /Figure "
                                          "/Alt (Cover) >>] >>] >>"
                                        : "<< /Type /StructTreeRoot /K [<< /S /Document /K [<< /S /Figure >>] >>] >>"));
    if (sample.paddingBytes > 0) {
        QByteArray noise(sample.paddingBytes, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        root.replaceKey("/OrvantaTestPadding", QPDFObjectHandle::newStream(&pdf, noise.toStdString()));
    }
}

void writeSample(const Sample& sample, const QString& path)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle resources = parsed(pdf, "<< /Font << >> >>");
    resources.getKey("/Font").replaceKey("/F1", font(pdf, sample.embedFont));
    QString content = drawnText(sample);
    if (sample.inlinePictureFirst)
        content.prepend(QStringLiteral("BI /W 14 /H 1 /CS /G /BPC 8 ID 0 0 0 0 0 0 cm EI\n"));
    addPicture(pdf, sample, resources, content);
    QPDFObjectHandle page = pdf.makeIndirectObject(parsed(pdf, "<< /Type /Page /MediaBox [0 0 595 842] >>"));
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content.toStdString()));
    QPDFObjectHandle annotation =
        parsed(pdf, "<< /Type /Annot /Subtype /Link /Rect [72 550 220 585] /Border [0 0 0] >>");
    if (sample.linkAction)
        annotation.replaceKey("/A", parsed(pdf, "<< /S /URI >>"));
    if (sample.linkAction)
        annotation.getKey("/A").replaceKey("/URI", QPDFObjectHandle::newString(sample.linkUri.toStdString()));
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({pdf.makeIndirectObject(annotation)}));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(page), false);
    addDocumentFacts(pdf, sample);
    // The writer keeps the name it was given until it writes.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.write();
}

QStringList namesOf(const QList<PreflightCheck>& checks)
{
    QStringList names;
    for (PreflightCheck check : checks)
        names << preflightCheckName(check);
    return names;
}

QString savedPage(const QString& rel, const QString& href = Link)
{
    return QStringLiteral("<a class=\"button\" href=\"%1\" rel=\"%2\">Buy</a>")
        .arg(QString(href).replace("&", "&amp;"), rel);
}
} // namespace

Q_DECLARE_METATYPE(Sample)

/** Each planted fault of a PDF is found by its own check, and clean PDFs pass every check. */
class TestPreflight final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsEachPlantedFault_data();
    void findsEachPlantedFault();
    void colourPairs_data();
    void colourPairs();
    void sponsoredLinks_data();
    void sponsoredLinks();
    void realConverterPdfsPass_data();
    void realConverterPdfsPass();
};

void TestPreflight::findsEachPlantedFault_data()
{
    QTest::addColumn<Sample>("sample");
    QTest::addColumn<QString>("inputLink");
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<QString>("webPage");
    QTest::addColumn<QStringList>("failed");

    const QString sponsored = savedPage("nofollow sponsored");
    const auto row = [&](const char* name, const Sample& sample, const QStringList& failed) {
        QTest::newRow(name) << sample << Link << cleanPage() << sponsored << failed;
    };
    row("clean", Sample(), {});
    Sample s;
    s.drawnTitle = Title.toUpper();
    s.disclosure = QStringList{"Disclosure: we may earn a", "commission if you buy through this link."};
    row("clean: title in capitals, disclosure wrapped over two lines", s, {});
    s = Sample();
    s.tags = Sample::Tags::Described;
    row("clean: tagged, its figure described", s, {});
    s = Sample();
    s.picture = QSize(2000, 1000);
    s.pictureWidthPt = 595;
    row("clean: a large picture shown large", s, {});
    s.inlinePictureFirst = true;
    row("clean: a large picture shown large after an inline picture", s, {});
    s = Sample();
    s.linkAction = false;
    row("dead link annotation", s, {"Links"});
    s = Sample();
    s.linkUri = "https://example.com/buy";
    row("link lost its tracking tags", s, {"Links"});
    s = Sample();
    s.linkUri = "ftp://example.com/buy";
    QTest::newRow("buy link is no web address")
        << s << s.linkUri << cleanPage() << savedPage("nofollow sponsored", s.linkUri) << QStringList{"Buy button"};
    s = Sample();
    s.drawnTitle = "Cookbook";
    row("main title not in the text", s, {"Main title"});
    s = Sample();
    s.embedFont = false;
    row("unembedded font", s, {"Fonts"});
    s = Sample();
    s.infoTitle.clear();
    row("missing title", s, {"Title and language"});
    s = Sample();
    s.language.clear();
    row("missing language", s, {"Title and language"});
    s = Sample();
    s.paddingBytes = 1200 * 1024;
    row("over the size budget", s, {"Size"});
    s = Sample();
    s.picture = QSize(4000, 100);
    row("oversized picture", s, {"Pictures"});
    s.pictureInForm = true;
    row("oversized picture drawn through a form", s, {"Pictures"});
    s = Sample();
    s.disclosure.clear();
    row("missing disclosure", s, {"Disclosure"});
    s = Sample();
    s.disclosureY = 500;
    row("disclosure after the buy button", s, {"Disclosure"});
    QTest::newRow("saved page link not marked sponsored")
        << Sample() << Link << cleanPage() << savedPage("nofollow") << QStringList{"Sponsored links"};
    QTest::newRow("low contrast button") << Sample() << Link << cleanPage(".button { background: #ff7a00; }")
                                         << sponsored << QStringList{"Contrast"};
    QTest::newRow("picture without description")
        << Sample() << Link << cleanPage({}, "alt=\"\"") << sponsored << QStringList{"Picture descriptions"};
    s = Sample();
    s.tags = Sample::Tags::Undescribed;
    row("tagged figure without description", s, {"Picture descriptions"});
}

void TestPreflight::findsEachPlantedFault()
{
    QFETCH(Sample, sample);
    QFETCH(QString, inputLink);
    QFETCH(QString, pageText);
    QFETCH(QString, webPage);
    QFETCH(QStringList, failed);
    QVERIFY(QFile::exists(FontFile));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sample.pdf");
    writeSample(sample, pdf);
    const QByteArray before = bytesOf(pdf);
    PreflightInput input;
    input.links = QStringList{inputLink};
    input.mainTitle = Title;
    input.pageText = pageText;
    input.webPageFolder = writeFile(dir.filePath("web/index.html"), webPage.toUtf8()).section('/', 0, -2);
    const PreflightReport report = preflight(pdf, input);
    QCOMPARE(namesOf(report.failedChecks()), failed);
    QCOMPARE(report.lines().size(), failed.size());
    QCOMPARE(report.checksRun, 12);
    // The preflight reports; the PDF stays as made.
    QCOMPARE(bytesOf(pdf), before);
}

void TestPreflight::colourPairs_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QStringList>("weak");

    QTest::newRow("white on orange in one rule")
        << ".button { background-color: #ff7a00; color: #ffffff; }" << QStringList{".button"};
    QTest::newRow("short hex and a colour word") << ".tag { background: white; color: #aaa; }" << QStringList{".tag"};
    QTest::newRow("a later rule of the same selector wins")
        << ".button { background: #ff7a00; color: #fff; }\n.button, .kicker { background-color: #0b5cad; }"
        << QStringList();
    QTest::newRow("body text on the html background")
        << "html { background: #ffffff; } body { color: #999999; }" << QStringList{"body"};
    QTest::newRow("inherited colours are not guessed")
        << ".band { background: #000040; } .band h1 { color: #ffffff; }" << QStringList();
    QTest::newRow("a commented-out rule is no rule") << "/* .x { color: #fff; background: #fff; } */" << QStringList();
    QTest::newRow("picture and colour in one background")
        << ".hero { background: #ffffff url(a.png) no-repeat; color: #eeeeee !important; }" << QStringList{".hero"};
}

void TestPreflight::colourPairs()
{
    QFETCH(QString, style);
    QFETCH(QStringList, weak);
    QStringList found;
    for (const ColourPair& pair : weakColourPairs("<html><style>" + style + "</style><body></body></html>"))
        found << pair.selector;
    QCOMPARE(found, weak);
}

void TestPreflight::sponsoredLinks_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("unmarked");

    QTest::newRow("marked, href escaped") << savedPage("nofollow sponsored") << 0;
    QTest::newRow("marked in another order and case") << savedPage("Sponsored  NOFOLLOW") << 0;
    QTest::newRow("nofollow alone") << savedPage("nofollow") << 1;
    QTest::newRow("one of two anchors unmarked") << savedPage("nofollow sponsored") + savedPage("") << 1;
    QTest::newRow("link missing") << savedPage("nofollow sponsored", "https://example.com/other") << 1;
}

void TestPreflight::sponsoredLinks()
{
    QFETCH(QString, html);
    QFETCH(int, unmarked);
    QCOMPARE(unmarkedLinks(html, {Link}).size(), unmarked);
}

void TestPreflight::realConverterPdfsPass_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("design");
    QTest::addColumn<bool>("saveWebPage");

    QTest::newRow("classic, web page saved") << "keto-cookbook" << QString() << true;
    QTest::newRow("Bold") << "video-course"
                          << "Bold" << false;
    QTest::newRow("Calm") << "budget-planner"
                          << "Calm" << false;
    QTest::newRow("Compact") << "keto-cookbook"
                             << "Compact" << true;
}

// The shipped template and a design through the real converter: a clean campaign passes, and the cost is shown.
void TestPreflight::realConverterPdfsPass()
{
    QFETCH(QString, sample);
    QFETCH(QString, design);
    QFETCH(bool, saveWebPage);
    TestAppFolder app;
    QVERIFY(app.isValid());
    const CampaignFile::ReadResult read = CampaignFile::read(app.file("campaigns/" + sample + ".orvanta"), app.path());
    QVERIFY2(read.campaign, qPrintable(read.error));
    Campaign campaign = *read.campaign;
    campaign.design = design;
    campaign.utmSource = "orvanta";
    PageOrder order;
    order.app = app.path();
    order.fields = pageFieldsOf(campaign);
    order.catalogueEntryChosen = !campaign.catalogueEntry.isEmpty();
    order.options = {true, saveWebPage, true};
    order.place = PageOrder::Place::Staging;
    QTemporaryDir out;
    order.outputFolder = out.path();
    order.preflight = true;
    PagePipeline pipeline(ConverterStarter::direct());
    QSignalSpy finished(&pipeline, &PagePipeline::finished);
    pipeline.start(order);
    QVERIFY(finished.count() == 1 || finished.wait(120000));
    QVERIFY2(pipeline.result().ok(), qPrintable(pipeline.result().error));
    QVERIFY(pipeline.preflight().ran);
    QVERIFY2(pipeline.preflight().passed(), qPrintable(pipeline.preflight().lines().join('\n')));

    PreflightInput input;
    input.links = QStringList{order.fields.ctaUrl};
    input.mainTitle = campaign.mainTitle;
    input.pageText = pipeline.page().filledText;
    // Shown, never judged: the cost depends on the machine and its load.
    qint64 fastest = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        QVERIFY(preflight(pipeline.result().pdfPath, input).passed());
        fastest = std::min(fastest, timer.elapsed());
    }
    qInfo("preflight of %s: %lld ms at best", qPrintable(QFileInfo(pipeline.result().pdfPath).fileName()), fastest);
}

QTEST_GUILESS_MAIN(TestPreflight)
#include "tst_preflight.moc"
