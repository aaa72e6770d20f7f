#include "Catalogue.h"
#include "Converter.h"
#include "HelperOps.h"
#include "PageBuilder.h"
#include "TestAppFolder.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

/** The shipped template, the page writer and the installed converter together produce the PDF. */
class TestRealConverter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rendersThePage();
};

void TestRealConverter::initTestCase()
{
    for (const char* tool : {"pdfinfo", "pdftotext", "wkhtmltopdf"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
    }
}

void TestRealConverter::rendersThePage()
{
    TestAppFolder app;
    QVERIFY(app.isValid());
    const QStringList entries = Catalogue::entries(app.path());
    QVERIFY(!entries.isEmpty());
    const QString rawId = vFile::LoadTextFile(Catalogue::productFilePath(app.path(), entries.first()));

    PageFields fields;
    fields.mainTitle = "Orvanta Real Converter Check";
    fields.affiliateImagePath = Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(rawId));
    fields.review = QString::fromUtf8("Café crème für 5 €\r\n<b>Second</b> line");
    fields.bonusHeadline = " Get Your Copy with Our Private Bonus! Take a Look:";
    fields.rawProductId = rawId;
    fields.ctaTitle = "Yes, Get Your Copy";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy";
    fields.pdfFileName = "real check";
    const BuildResult built = BuildPage(app.path(), fields);
    QCOMPARE(built.status, BuildResult::Status::Built);
    const WriteResult written = WritePage(built.page);
    QVERIFY2(written.ok, qPrintable(written.error));
    const QString page = vFile::LoadTextFile(built.page.htmlPath);
    QVERIFY2(!page.contains(QRegularExpression("#[A-Z]+#")), "the shipped template has a placeholder nobody fills");

    ConverterRun converterRun;
    QSignalSpy finished(&converterRun, &ConverterRun::finished);
    converterRun.start(ConverterCommand(app.path(), built.page.htmlPath, built.page.pdfPath), built.page.pdfPath);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 120000);
    const RenderResult rendered = finished.at(0).at(0).value<RenderResult>();
    QVERIFY2(rendered.ok, qPrintable(rendered.error));
    QCOMPARE(built.page.pdfPath, app.file("bin/output/real-check.pdf"));

    // 210 mm by 5000 mm in points; converters round to whole points or to hundredths.
    const QString info = QString::fromUtf8(runTool("pdfinfo", {built.page.pdfPath}));
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY2(qAbs(size.captured(1).toDouble() - 595.28) < 1.0, qPrintable(size.captured(0)));
    QVERIFY2(qAbs(size.captured(2).toDouble() - 14173.2) < 1.0, qPrintable(size.captured(0)));

    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", built.page.pdfPath, "-"}));
    QVERIFY2(text.contains(fields.mainTitle), qPrintable(text));
    QVERIFY2(text.contains(QString::fromUtf8("Café crème für 5 €")), qPrintable(text));
    QVERIFY2(text.contains("Second line"), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestRealConverter)
#include "tst_realconverter.moc"
