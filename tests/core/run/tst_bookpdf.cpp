#include "BatchCreate.h"
#include "EngineStarter.h"
#include "PdfEngine.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

/** The shipped book made for real: one tagged PDF whose contents, labels, bookmarks and footers tell its pages. */
class TestBookPdf final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sampleBook();
    void withoutChromium();
};

namespace {
// Every engine real, but Chromium not there.
struct NoChromium final : EngineStarter {
    PdfRun* start(PdfEngine engine, const PdfRunOrder& order, QObject* parent) override
    {
        return orvanta::engine::startPdfRun(engine, order, parent);
    }
    bool isInstalled(const QString&, PdfEngine engine) const override { return engine != PdfEngine::Chromium; }
};

// The sample book, asked for with the classic converter.
JobOutcome made(EngineStarter& engines, const TestAppFolder& app, const QString& output)
{
    JobSettings settings;
    settings.app = app.path();
    settings.outputFolder = output;
    settings.engine = "wkhtmltopdf";
    settings.preflight = true;
    BatchCreate batch(engines, QStringList{app.file("campaigns/reviews-book.orvantalist")}, settings, 1);
    QSignalSpy finished(&batch, &BatchCreate::finished);
    batch.start();
    if (!finished.wait(180000))
        return JobOutcome::failed("no end");
    return batch.outcome(0);
}

// As laid out: a contents line reads title, then number.
QString pageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return QString::fromUtf8(runTool("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"})).simplified();
}
} // namespace

void TestBookPdf::sampleBook()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    if (!orvanta::engine::isInstalled(app.path(), PdfEngine::Chromium) ||
        QStandardPaths::findExecutable("qpdf").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("Chromium, qpdf or pdftotext is not installed");
    QTemporaryDir output;
    const JobOutcome book = made(EngineStarter::direct(), app, output.path());
    QVERIFY2(book.ok, qPrintable(book.error));
    QVERIFY2(book.preflight.isEmpty(), qPrintable(book.preflight.join('\n')));
    QVERIFY(book.engineNote.contains("Chromium"));
    const QString info = QString::fromUtf8(runTool("pdfinfo", {book.pdfPath}));
    QVERIFY2(info.contains(QRegularExpression("Tagged: +yes")), qPrintable(info));
    const int pages = QRegularExpression("Pages: +(\\d+)").match(info).captured(1).toInt();

    const QString json =
        QString::fromUtf8(runTool("qpdf", {"--json", "--json-key=outlines", "--json-key=pagelabels", book.pdfPath}));
    QVERIFY2(json.contains("\"/S\": \"/r\"") && json.contains("\"/S\": \"/D\""), qPrintable(json));
    const QStringList chapters{"Cooking without the carbs", "A budget the whole family keeps",
                               "Video Editing Masterclass", "The planner in Hebrew"};
    const QString contents = pageText(book.pdfPath, 2);
    for (const QString& chapter : chapters) {
        QVERIFY2(json.contains("\"title\": \"" + chapter + '"'), qPrintable(json));
        const QRegularExpression entry(QRegularExpression::escape(chapter) + " (\\d+)");
        const int page = entry.match(contents).captured(1).toInt();
        QVERIFY2(page > 2, qPrintable(contents));
        const QString text = pageText(book.pdfPath, page);
        QVERIFY2(text.contains(chapter), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)), qPrintable(text));
    }
    QVERIFY(!contents.contains(" of "));
}

void TestBookPdf::withoutChromium()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    QTemporaryDir output;
    NoChromium engines;
    const JobOutcome book = made(engines, app, output.path());
    QVERIFY(!book.ok);
    QVERIFY2(book.error.contains("\"chromium-headless-shell\""), qPrintable(book.error));
    QVERIFY(QDir(output.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestBookPdf)
#include "tst_bookpdf.moc"
