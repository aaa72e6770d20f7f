#include "AppFolder.h"
#include "Catalogue.h"
#include "Converter.h"
#include "PageBuilder.h"
#include "TestAppFolder.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <optional>

using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::engine;

/**
 * Renders one review in every script a reviewer may write with the real converter and the shipped
 * template, and checks that the PDF holds it. Without the fonts the package depends on, the
 * converter drops CJK and emoji without a word.
 */
class TestFonts final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void scriptComesBackAsText_data();
    void scriptComesBackAsText();
    void emojiIsDrawn();

private:
    TestAppFolder m_app;
    QString m_pdfPath;
    QString m_text;
};

namespace {
struct Sample {
    const char* script;
    const char* text;
};

const Sample textSamples[] = {
    {"Latin", "The quick brown fox"},
    {"accented", "Crème brûlée, Grüße aus der Straße"},
    {"Cyrillic", "Привет, мир"},
    {"Greek", "Καλημέρα κόσμε"},
    {"Chinese", "中文"},
    {"Japanese", "日本語 ひらがな カタカナ"},
    {"Korean", "한국어"},
};

// Words that frame the emoji: it has no text in the PDF, so it is found by what stands around it.
const QString emojiBefore = QStringLiteral("emojibefore");
const QString emojiAfter = QStringLiteral("emojiafter");
const QString rocket = QString::fromUtf8("\xF0\x9F\x9A\x80"); // U+1F680

QString review()
{
    QStringList lines;
    for (const Sample& sample : textSamples)
        lines << QString::fromUtf8(sample.text);
    lines << emojiBefore + QLatin1Char(' ') + rocket + QLatin1Char(' ') + emojiAfter;
    return lines.join(QStringLiteral("\r\n"));
}

QStringList pdftotextArguments(const QString& pdfPath)
{
    return {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")};
}

struct Box {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

std::optional<Box> wordBox(const QString& bboxHtml, const QString& word)
{
    const QString number = QStringLiteral(R"re("([\d.]+)")re");
    const QRegularExpression pattern(QStringLiteral("<word xMin=%1 yMin=%1 xMax=%1 yMax=%1>%2</word>")
                                         .arg(number, QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = pattern.match(bboxHtml);
    if (!match.hasMatch())
        return std::nullopt;
    return Box{match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3).toDouble(),
               match.captured(4).toDouble()};
}

int darkPixels(const QImage& image)
{
    int count = 0;
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            count += line[x] < 128 ? 1 : 0;
    }
    return count;
}
} // namespace

void TestFonts::initTestCase()
{
    for (const char* tool : {"pdftotext", "pdftoppm", "wkhtmltopdf"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    QVERIFY(m_app.isValid());
    const QString app = m_app.path();
    const QStringList entries = Catalogue::entries(app);
    QVERIFY2(!entries.isEmpty(), "the shipped catalogue is empty");
    QFile productFile(Catalogue::productFilePath(app, entries.first()));
    QVERIFY(productFile.open(QIODevice::ReadOnly));

    PageFields fields;
    fields.mainTitle = QStringLiteral("Fonts");
    fields.rawProductId = QString::fromUtf8(productFile.readAll());
    fields.affiliateImagePath = Catalogue::salesPagePath(app, Catalogue::cleanProductId(fields.rawProductId));
    fields.review = review();
    fields.pdfFileName = QStringLiteral("fonts");
    const Result<BuiltPage> built = BuildPage(app, fields);
    QVERIFY2(built.ok(), qPrintable(built.error()));
    QVERIFY2(WritePage(built.value()).ok(), "the page could not be written");

    ConverterRun run;
    std::optional<RenderResult> result;
    connect(&run, &ConverterRun::finished, this, [&result](const RenderResult& r) { result = r; });
    m_pdfPath = built->pdfPath;
    run.start(ConverterCommand(app, built->htmlPath, m_pdfPath), m_pdfPath);
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), PdfRun::DefaultTimeLimitMs + 30000);
    QVERIFY2(result->ok(), qPrintable(result->error()));

    m_text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), pdftotextArguments(m_pdfPath)));
    QVERIFY2(m_text.contains(QLatin1String("Fonts")), "pdftotext read nothing from the PDF");
}

void TestFonts::scriptComesBackAsText_data()
{
    QTest::addColumn<QString>("sample");
    for (const Sample& sample : textSamples)
        QTest::newRow(sample.script) << QString::fromUtf8(sample.text);
}

void TestFonts::scriptComesBackAsText()
{
    QFETCH(QString, sample);
    QVERIFY2(m_text.contains(sample), qPrintable(QStringLiteral("\"%1\" is missing from the PDF's text").arg(sample)));
}

// The converter writes no text for emoji, so the test looks at the pixels between the framing words.
void TestFonts::emojiIsDrawn()
{
    const QString bbox = QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"), QStringList{QStringLiteral("-bbox")} + pdftotextArguments(m_pdfPath)));
    const std::optional<Box> before = wordBox(bbox, emojiBefore);
    const std::optional<Box> after = wordBox(bbox, emojiAfter);
    QVERIFY2(before && after, "the words around the emoji are missing from the PDF");
    QVERIFY2(qFuzzyCompare(before->yMin, after->yMin), "the emoji line was wrapped");

    const double scale = 144.0 / 72.0; // pixels per point at the rendering's resolution
    const auto px = [scale](double points) { return QString::number(qRound(points * scale)); };
    QStringList arguments = QStringLiteral("-r 144 -gray -f 1 -l 1").split(QLatin1Char(' '));
    arguments << QStringLiteral("-x") << px(before->xMax) << QStringLiteral("-y") << px(before->yMin)
              << QStringLiteral("-W") << px(after->xMin - before->xMax) << QStringLiteral("-H")
              << px(before->yMax - before->yMin) << m_pdfPath;
    const QByteArray region = runTool(QStringLiteral("pdftoppm"), arguments);
    const QImage image = QImage::fromData(region, "PGM");
    QVERIFY2(!image.isNull(), "pdftoppm rendered nothing");
    // The rocket inks about 90 pixels here; without a font for it the gap holds only blanks (0).
    const int ink = darkPixels(image);
    QVERIFY2(ink >= 25, qPrintable(QStringLiteral("the emoji is blank: %1 dark pixels").arg(ink)));
}

QTEST_GUILESS_MAIN(TestFonts)
#include "tst_fonts.moc"
