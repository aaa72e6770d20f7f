#include "CliFolder.h"
#include "WindowTestCase.h"

#include "AppFolder.h"
#include "BoxText.h"
#include "Catalogue.h"
#include "Controls.h"
#include "CreateJob.h"
#include "Sandbox.h"
#include "TestConfig.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::page;
using namespace orvanta::engine;
using namespace orvanta::finish;

/** A campaign made on the command line gives the page and the PDF that Create in the window gives. */
class TestCliAndWindow final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void boxesGiveBackWhatTheJobUses_data();
    void boxesGiveBackWhatTheJobUses();
    void samePageAndPdfAsTheWindow_data();
    void samePageAndPdfAsTheWindow();

private:
    void fillFrom(const Campaign& campaign);
    QString oddCampaign() const;
};

void TestCliAndWindow::boxesGiveBackWhatTheJobUses_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("LF") << QStringLiteral("one\ntwo\n");
    QTest::newRow("CR LF") << QStringLiteral("one\r\ntwo");
    QTest::newRow("lone CR, CR CR LF") << QStringLiteral("one\rtwo\r\r\nthree");
    QTest::newRow("line and paragraph separators") << QStringLiteral("one\u2028two\u2029three");
    QTest::newRow("no-break space, tab, NUL") << QString(QStringLiteral("a\u00a0b\tc") + QChar(0) + 'd');
    QTest::newRow("longer than a line box holds") << QString(40000, QChar('x'));
}

void TestCliAndWindow::boxesGiveBackWhatTheJobUses()
{
    QFETCH(QString, text);
    QPlainTextEdit box;
    box.setPlainText(text);
    QCOMPARE(BoxText::multiLine(text), Controls::textWithCrLf(&box));
    QLineEdit line;
    line.setText(text);
    QCOMPARE(BoxText::line(text), line.text());
}

void TestCliAndWindow::samePageAndPdfAsTheWindow_data()
{
    QTest::addColumn<QString>("campaign");
    QTest::addColumn<bool>("addInstructions");
    QTest::newRow("keto-cookbook sample") << "campaigns/keto-cookbook.orvanta" << false;
    QTest::newRow("video-course sample, built-in instructions") << "campaigns/video-course.orvanta" << true;
    QTest::newRow("video-course sample, no instructions") << "campaigns/video-course.orvanta" << false;
    QTest::newRow("budget-planner sample") << "campaigns/budget-planner.orvanta" << false;
    QTest::newRow("own bonus, odd line breaks and spaces, web page, no fitting") << QString() << true;
}

void TestCliAndWindow::samePageAndPdfAsTheWindow()
{
    QFETCH(QString, campaign);
    QFETCH(bool, addInstructions);
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf"));
    if (converter.isEmpty())
        QSKIP("wkhtmltopdf is not installed");
    WindowFixture& f = fx();
    const QString program = copyProgramInto(f.app);
    const QString pages = f.outside.filePath("pages");
    f.app.useStandInConverter(recordingConverter(pages, "exec '" + converter.toUtf8() + "' \"$@\""));
    // The stand-in notes each page outside, where the sandbox would not let it write.
    const QString sandbox = writeOpenSandbox(f.outside.filePath("bwrap"));
    Sandbox::useProgram(sandbox);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ORVANTA_BWRAP", sandbox);
    const QString path = campaign.isEmpty() ? oddCampaign() : f.app.file(campaign);
    const Campaign values = CampaignFile::read(path)->campaign;
    const QString pageName = pageNameOf(values.pdfFileName);

    fillFrom(values);
    if (values.bonusInstructions.isEmpty())
        f.platform.answers << addInstructions;
    f.platform.answers << false;
    QVERIFY(f.create());
    QCOMPARE(f.messagesTitled("Error"), QStringList());
    const QByteArray windowPage = bytesOf(f.app.file("bin/" + pageName + ".html"));
    QVERIFY(!windowPage.isEmpty());
    QVERIFY(QFile::remove(pages + '/' + pageName + ".html"));
    // The web page goes beside the PDF: the window's output folder, or the command's.
    const QByteArray windowWebPage = bytesOf(f.app.file("bin/output/" + pageName + "/index.html"));
    QCOMPARE(windowWebPage.isEmpty(), !values.saveWebPage);

    const QString cliOutput = f.outside.filePath("cli");
    const CliRun run =
        runProgram(program, {"--create", "--output", cliOutput, "--instructions", addInstructions ? "yes" : "no", path},
                   environment);
    QCOMPARE(run.lines, QStringList{cliOutput + '/' + pageName + ".pdf"});
    QCOMPARE(bytesOf(pages + '/' + pageName + ".html"), windowPage);
    QCOMPARE(bytesOf(cliOutput + '/' + pageName + "/index.html"), windowWebPage);
    const QString windowPdf = AppFolder::outputFolder(f.app.path()) + '/' + pageName + ".pdf";
    const QByteArray windowText = runTool("pdftotext", {windowPdf, "-"});
    QVERIFY(windowText.contains("Bonus"));
    QCOMPARE(runTool("pdftotext", {run.lines.first(), "-"}), windowText);
    // Fitted or not, alike: the same page size.
    const auto pageSize = [](const QString& pdf) {
        return QString::fromUtf8(runTool("pdfinfo", {pdf})).split('\n').filter(QStringLiteral("Page size"));
    };
    QCOMPARE(pageSize(run.lines.first()), pageSize(windowPdf));
}

void TestCliAndWindow::fillFrom(const Campaign& campaign)
{
    WindowFixture& f = fx();
    f.window().ShowStep(0);
    f.paste("txtMainTitle", campaign.mainTitle);
    f.paste("txtReview", campaign.review);
    f.paste("txtCTAURL", campaign.ctaUrl);
    f.chooseImage(0, campaign.affiliateImagePath);
    f.window().ShowStep(1);
    if (!campaign.catalogueEntry.isEmpty())
        f.selectBonus(int(Catalogue::entries(f.app.path()).indexOf(campaign.catalogueEntry)));
    if (campaign.ownBonus) {
        f.clickTickBox("chkUseMyOwnBonus");
        f.chooseImage(1, campaign.ownBonusImagePath);
    }
    f.paste("txtBonusHeadline", campaign.bonusHeadline);
    f.paste("txtAdTitle", campaign.ctaTitle);
    f.paste("txtCTAText", campaign.ctaText);
    f.paste("txtInstructions", campaign.bonusInstructions);
    f.window().ShowStep(2);
    f.paste("txtPDFFilename", campaign.pdfFileName);
    f.control<QCheckBox>("chkFitToContent")->setChecked(campaign.fitToContent);
    f.control<QCheckBox>("chkSaveWebPage")->setChecked(campaign.saveWebPage);
}

// Written by hand or by a script rather than saved by the window: line breaks of every kind.
QString TestCliAndWindow::oddCampaign() const
{
    Campaign campaign;
    campaign.mainTitle = QStringLiteral("Caf\u00e9\u00a0review \u2014 \u00fcber gut");
    campaign.review = QStringLiteral("First line\nsecond line\rthird\u2028fourth\u00a0with space\r\n<b>bold</b>");
    campaign.affiliateImagePath = fx().makeImage(QStringLiteral("cover.png"), Qt::darkCyan);
    campaign.ctaUrl = QStringLiteral("https://example.com/buy");
    campaign.ownBonus = true;
    campaign.ownBonusImagePath = fx().makeImage(QStringLiteral("my bonus.png"), Qt::darkRed);
    campaign.pdfFileName = QStringLiteral("odd texts");
    campaign.fitToContent = false;
    campaign.saveWebPage = true;
    const QString path = fx().outside.filePath("odd.orvanta");
    (void)CampaignFile::write(path, campaign);
    return path;
}

QTEST_MAIN(TestCliAndWindow)
#include "tst_cliandwindow.moc"
