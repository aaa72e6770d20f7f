#include "QrCode.h"

#include "Designs.h"
#include "PageFixture.h"
#include "ShareChecks.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>

namespace {
constexpr int pixelsPerModule = 4;

QImage rendered(const QString& svg)
{
    QSvgRenderer renderer(svg.toUtf8());
    if (!renderer.isValid())
        return {};
    QImage image(renderer.viewBox().size() * pixelsPerModule, QImage::Format_RGB32);
    image.fill(Qt::red); // shows through where the code leaves a hole
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

bool isBlack(QRgb pixel)
{
    return qGray(pixel) < 64;
}
} // namespace

/** The link's QR code: it decodes to exactly the link, has its quiet zone, and takes its place in the page. */
class TestQrCode final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodes_data();
    void decodes();
    void capacity_data();
    void capacity();
    void inThePage_data();
    void inThePage();
};

void TestQrCode::decodes_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("plain") << "https://example.com/buy";
    QTest::newRow("query and fragment")
        << "https://example.com/aff/keto?utm_source=pdf&utm_medium=review&utm_campaign=spring+sale#order";
    QTest::newRow("percent escapes kept") << "https://example.com/a%20b?q=%22x%22";
    QTest::newRow("Unicode") << QString::fromUtf8("https://bücher.example/straße?ß=✓&名=値");
    QTest::newRow("a long link") << "https://example.com/?" + QString(1000, 'x');
}

void TestQrCode::decodes()
{
    QFETCH(QString, link);
    if (QStandardPaths::findExecutable("zbarimg").isEmpty())
        QSKIP("zbarimg (zbar-tools) is not installed");
    const QrCodeResult code = QrCode::svg(link, "QR code");
    QVERIFY2(code.ok(), qPrintable(code.error));
    QCOMPARE(code.svg.count("<path"), 1);
    const QImage image = rendered(code.svg);
    QVERIFY(!image.isNull());
    // Four light modules all round, then the finder pattern's dark corner.
    const int zone = 4 * pixelsPerModule;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (x < zone || y < zone || x >= image.width() - zone || y >= image.height() - zone)
                QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255), qPrintable(QString("%1,%2").arg(x).arg(y)));
    QVERIFY(isBlack(image.pixel(zone, zone)));
    QVERIFY(!isBlack(image.pixel(zone - 1, zone)));
    QCOMPARE(decodedCodes(image), link);
}

void TestQrCode::capacity_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("says"); ///< the code's viewBox when made, else what the refusal says
    QTest::newRow("no link") << QString() << "no link";
    // At level M the largest code, 177 modules and the quiet zone, holds 2331 bytes; at level L it would be smaller.
    QTest::newRow("the most a code holds") << QString(QrCode::maxBytes, 'x') << "0 0 185 185";
    QTest::newRow("one byte too many") << QString(QrCode::maxBytes + 1, 'x') << "2332 bytes";
    QTest::newRow("too long in UTF-8, not in letters")
        << QString(QrCode::maxBytes / 2 + 1, QChar(0xE9)) << "2332 bytes";
}

void TestQrCode::capacity()
{
    QFETCH(QString, link);
    QFETCH(QString, says);
    const QrCodeResult code = QrCode::svg(link, "QR code");
    if (says.startsWith("0 0")) {
        QVERIFY2(code.ok(), qPrintable(code.error));
        QVERIFY(code.svg.contains("viewBox=\"" + says + "\""));
        return;
    }
    QVERIFY(!code.ok());
    QVERIFY(code.svg.isEmpty());
    QVERIFY2(code.error.contains(says), qPrintable(code.error));
}

void TestQrCode::inThePage_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<bool>("qrCode");
    QTest::addColumn<QString>("link");
    /// What the code directly follows in the page; empty when it is not there. "!" and the message when refused.
    QTest::addColumn<QString>("follows");
    const QString tooLong = "https://example.com/?" + QString(3000, 'x');
    for (const char* design : {"Bold", "Calm", "Compact"}) {
        QTest::newRow(qPrintable(QString(design) + ": beside the button"))
            << design << true << "https://example.com/buy"
            << "Buy</a>";
        QTest::newRow(qPrintable(QString(design) + ": off, nothing"))
            << design << false << "https://example.com/buy" << QString();
    }
    QTest::newRow("a template without its place: at the end") << "" << true << "https://example.com/buy"
                                                              << "[/titleAgain]\n";
    QTest::newRow("off, a too long link builds") << "Bold" << false << tooLong << QString();
    QTest::newRow("on, a too long link is said") << "Bold" << true << tooLong << "!too long for a QR code";
}

// A page without the code is the page as it always was; one with it shows it once, where the design placed it.
void TestQrCode::inThePage()
{
    QFETCH(QString, design);
    QFETCH(bool, qrCode);
    QFETCH(QString, link);
    QFETCH(QString, follows);
    PageFixture page;
    QVERIFY(page.isValid());
    PageFields fields = page.typicalFields();
    fields.design = design;
    fields.qrCode = qrCode;
    fields.ctaUrl = link;
    fields.ctaText = "Buy";
    fields.review = "A review that names #QRCODE# as typed.";
    const BuildResult built = page.build(fields);
    if (follows.startsWith('!')) {
        QCOMPARE(built.status, BuildResult::Status::FileError);
        QVERIFY2(built.error.contains(follows.mid(1)), qPrintable(built.error));
        return;
    }
    QVERIFY2(built.status == BuildResult::Status::Built, qPrintable(built.error));
    const QString text = built.page.filledText;
    QVERIFY(text.contains("A review that names #QRCODE# as typed."));
    QCOMPARE(text.count("#QRCODE#"), 1);
    QCOMPARE(text.count("<svg"), qrCode ? 1 : 0);
    QCOMPARE(text.count("qr-code"), qrCode ? 1 : 0);
    if (qrCode) {
        QVERIFY2(text.contains(follows + "<span class=\"qr-code\""), qPrintable(text.right(1500)));
        QVERIFY(text.contains("aria-label=\"QR code of the link\""));
    }
}

QTEST_MAIN(TestQrCode)
#include "tst_qrcode.moc"
