#include "BatchCreate.h"
#include "EngineStarter.h"
#include "PdfEngine.h"
#include "TestAppFolder.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

/** The shipped list made by each real engine: its products in rank order, each Buy button its own link. */
class TestListPdf final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sampleList_data();
    void sampleList();
};

void TestListPdf::sampleList_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("classic converter") << "wkhtmltopdf";
    QTest::newRow("chromium") << "chromium";
}

void TestListPdf::sampleList()
{
    QFETCH(QString, engine);
    TestAppFolder app;
    QVERIFY(app.isValid());
    if (!orvanta::engine::isInstalled(app.path(), orvanta::engine::engineNamed(engine)) ||
        QStandardPaths::findExecutable("qpdf").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("the engine, qpdf or pdftotext is not installed");
    // The second product goes through its short link, the third carries a tag: each Buy button says which.
    for (const auto& [name, fields] :
         {std::pair{"budget-planner", R"("slug": "budget", "brand": {"linkBase": "https://me.example/go/"},)"},
          std::pair{"video-course", R"("utm_source": "list", "rating": 4,)"}}) {
        const QString path = app.file(QStringLiteral("campaigns/%1.orvanta").arg(name));
        writeFile(path, bytesOf(path).replace("\"bestFor\"", QByteArray(fields) + "\"bestFor\""));
    }
    QTemporaryDir output;
    JobSettings settings;
    settings.app = app.path();
    settings.outputFolder = output.path();
    settings.engine = engine;
    settings.preflight = true;
    BatchCreate batch(EngineStarter::direct(), QStringList{app.file("campaigns/keto-and-budget.orvantalist")}, settings,
                      1);
    QSignalSpy finished(&batch, &BatchCreate::finished);
    batch.start();
    QVERIFY(finished.wait(180000));
    const JobOutcome& made = batch.outcome(0);
    QVERIFY2(made.ok, qPrintable(made.error));
    QVERIFY2(made.preflight.isEmpty(), qPrintable(made.preflight.join('\n')));

    const QString text = QString::fromUtf8(runTool("pdftotext", {made.pdfPath, "-"})).simplified();
    const qsizetype keto = text.indexOf("1. Keto Made Easy Cookbook");
    const qsizetype planner = text.indexOf("2. Family Budget Planner");
    const qsizetype course = text.indexOf("3. Video Editing Masterclass");
    QVERIFY2(keto >= 0 && keto < planner && planner < course, qPrintable(text));
    QVERIFY(text.contains("Rating: 4 out of 5"));
    const QString qdf = QString::fromLatin1(runTool("qpdf", {"--qdf", "--object-streams=disable", made.pdfPath, "-"}));
    static const QRegularExpression uri("/URI \\(([^)]*)\\)");
    QStringList links;
    for (auto match = uri.globalMatch(qdf); match.hasNext();)
        links << match.next().captured(1);
    QCOMPARE(links, QStringList({"https://example.com/aff/keto-made-easy", "https://me.example/go/budget/p",
                                 "https://example.com/aff/video-masterclass?utm_source=list"}));
    QVERIFY(bytesOf(app.file("bin/output/links/links.json")).contains("https://me.example/go/budget"));
    // Chromium tags its PDF: the table's header cells say what they head.
    if (engine == "chromium") {
        QVERIFY(qdf.contains("/S /Table"));
        QCOMPARE(qdf.count("/Scope /Column"), 3);
    }
}

QTEST_GUILESS_MAIN(TestListPdf)
#include "tst_listpdf.moc"
