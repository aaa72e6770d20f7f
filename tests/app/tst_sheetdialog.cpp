#include "WindowTestCase.h"

#include "AppFolder.h"
#include "CampaignController.h"
#include "MainWindow.h"
#include "SheetDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTcpServer>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::preflight;

/** Make PDFs from a Spreadsheet and Step 1's tracking tags, wired to the window and the scripted desktop. */
class TestSheetDialog final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void rowsShownWithWhatTheyLack();
    void createAllAsksAboutBrokenLinks();
    void stopEndsTheRun();
    void engineAndPreflightShownPerRow();
    void saveRowsAsCampaigns();
    void taggedLinkBesideTheLink_data();
    void taggedLinkBesideTheLink();

private:
    /** Opens the dialog from the Campaign menu over the filled window, picking a sheet of @p csv. */
    SheetDialog* openWith(const QByteArray& csv);
    QString cell(SheetDialog* dialog, int row, int column) const
    {
        return dialog->findChild<QTableWidget*>("tblSheetRows")->item(row, column)->text();
    }
};

SheetDialog* TestSheetDialog::openWith(const QByteArray& csv)
{
    WindowFixture& f = fx();
    // No check may leave the machine: the link is a closed port of this one, and an own bonus has no delivery page.
    QTcpServer closed;
    if (!closed.listen(QHostAddress::LocalHost, 0))
        return nullptr;
    WizardInput input;
    input.ctaUrl = QStringLiteral("http://127.0.0.1:%1/buy").arg(closed.serverPort());
    input.cloudBonus = false;
    input.ownBonus = input.ownImage = true;
    closed.close();
    f.fill(input);
    f.useQuickConverter();
    const QString sheet = writeFile(f.outside.filePath("offers.csv"), csv);
    f.platform.pickedFiles << sheet;
    f.window().findChild<QAction*>("actSheet")->trigger();
    auto* dialog = f.window().findChild<SheetDialog*>();
    return dialog;
}

void TestSheetDialog::rowsShownWithWhatTheyLack()
{
    SheetDialog* dialog = openWith("pdfFileName,mainTitle,affiliateLink,affiliateImage,Price\n"
                                   "one,First,,,9\n"
                                   "two,No link,http://,,3\n"
                                   "one,Again,,,1\n"
                                   "ragged\n"
                                   "five,No cover,,missing.png,2\n");
    QVERIFY(dialog);
    QVERIFY(fx().platform.filePicks.last().filters.first().contains("*.csv"));
    auto* table = dialog->findChild<QTableWidget*>("tblSheetRows");
    QCOMPARE(table->rowCount(), 5);
    QCOMPARE(cell(dialog, 0, SheetDialog::RowColumn), "2");
    QCOMPARE(cell(dialog, 0, SheetDialog::ResultColumn), "Ready");
    // The base is the window's campaign: its link and title fill what the sheet leaves out.
    QVERIFY(cell(dialog, 0, SheetDialog::LinksColumn).startsWith("http://127.0.0.1:"));
    QCOMPARE(cell(dialog, 1, SheetDialog::ResultColumn), "Please complete all the required fields.");
    QVERIFY(cell(dialog, 2, SheetDialog::ResultColumn).startsWith("Row 2 already makes the PDF"));
    QVERIFY(cell(dialog, 3, SheetDialog::ResultColumn).startsWith("The row has 1 cells"));
    QVERIFY(cell(dialog, 4, SheetDialog::ResultColumn).contains("missing.png"));
    const QString notes = dialog->findChild<QLabel*>("lblSheetNotes")->text();
    QVERIFY2(notes.contains("1 of 5 rows") && notes.contains("Price"), qPrintable(notes));
}

void TestSheetDialog::createAllAsksAboutBrokenLinks()
{
    SheetDialog* dialog = openWith("pdfFileName,affiliateLink,utm_source\n"
                                   "good,,\n"
                                   "dead,http://shop.invalid/buy,pdf\n");
    QVERIFY(dialog);
    const QString output = AppFolder::outputFolder(fx().app.path());
    QSignalSpy checked(dialog, &SheetDialog::linksChecked);
    QSignalSpy made(dialog, &SheetDialog::createFinished);

    fx().platform.answers << false;
    dialog->findChild<QPushButton*>("cmdCreateAll")->click();
    QVERIFY(checked.wait(20000));
    const QString question = fx().messagesTitled("Broken Links").value(0);
    QVERIFY2(question.contains("Row 3: http://shop.invalid/buy?utm_source=pdf is broken (unknown host)"),
             qPrintable(question));
    QVERIFY2(question.contains("Row 2: http://127.0.0.1:") && question.contains("(connection refused)"),
             qPrintable(question));
    QVERIFY(fx().messagesTitled("Broken Links").value(0).endsWith("Create anyway?"));
    QVERIFY(!made.wait(300));
    QVERIFY(!QFileInfo::exists(output + "/good.pdf"));

    fx().platform.answers << true;
    dialog->findChild<QPushButton*>("cmdCreateAll")->click();
    QVERIFY(!dialog->findChild<QPushButton*>("cmdCreateAll")->isEnabled());
    QVERIFY(made.wait(60000));
    QCOMPARE(cell(dialog, 0, SheetDialog::ResultColumn), QDir::toNativeSeparators(output + "/good.pdf"));
    QCOMPARE(cell(dialog, 1, SheetDialog::ResultColumn), QDir::toNativeSeparators(output + "/dead.pdf"));
    QVERIFY(QFileInfo::exists(output + "/dead.pdf"));
    auto* progress = dialog->findChild<QProgressBar*>("prgSheet");
    QCOMPARE(progress->value(), progress->maximum());
    QVERIFY(dialog->findChild<QPushButton*>("cmdCreateAll")->isEnabled());
    QVERIFY(!dialog->findChild<QPushButton*>("cmdStop")->isEnabled());
}

// Stop while converters run: those end, the rows not begun say so, and the window can start again.
void TestSheetDialog::stopEndsTheRun()
{
    QByteArray csv = "pdfFileName\n";
    for (int i = 0; i < 6; ++i)
        csv += "row" + QByteArray::number(i) + "\n";
    SheetDialog* dialog = openWith(csv);
    QVERIFY(dialog);
    fx().app.useStandInConverter("sleep 30");
    fx().platform.answers << true; // create anyway: the base's link is a closed port
    QSignalSpy made(dialog, &SheetDialog::createFinished);
    dialog->findChild<QPushButton*>("cmdCreateAll")->click();
    auto* stop = dialog->findChild<QPushButton*>("cmdStop");
    QTRY_VERIFY_WITH_TIMEOUT(stop->isEnabled() && cell(dialog, 0, SheetDialog::ResultColumn) == "Waiting", 20000);
    stop->click();
    QVERIFY(made.wait(20000));
    QCOMPARE(cell(dialog, 5, SheetDialog::ResultColumn),
             QStringLiteral("Not made: the run was stopped before this campaign began."));
    QVERIFY(cell(dialog, 0, SheetDialog::ResultColumn) != "Waiting");
    QVERIFY(QDir(AppFolder::outputFolder(fx().app.path())).entryList({"*.pdf"}).isEmpty());
    QVERIFY(dialog->findChild<QPushButton*>("cmdCreateAll")->isEnabled());
}

// A PDF the preflight finds fault with is still made; its row's tip names the checks and the notes count it.
void TestSheetDialog::engineAndPreflightShownPerRow()
{
    SheetDialog* dialog = openWith("pdfFileName,engine\nthin,chromium\n");
    QVERIFY(dialog);
    fx().platform.installed[PdfEngine::Chromium] = false;
    fx().platform.scripts[PdfEngine::Converter] = EngineScript::writes("%PDF-1.4\n%%EOF\n", {"/etc/passwd"});
    fx().platform.answers << true; // create anyway: the base's link is a closed port
    QSignalSpy made(dialog, &SheetDialog::createFinished);
    dialog->findChild<QPushButton*>("cmdCreateAll")->click();
    QVERIFY(made.wait(60000));
    const QString pdf = QDir::toNativeSeparators(AppFolder::outputFolder(fx().app.path()) + "/thin.pdf");
    QCOMPARE(cell(dialog, 0, SheetDialog::ResultColumn), pdf);
    const QString tip = dialog->findChild<QTableWidget*>()->item(0, SheetDialog::ResultColumn)->toolTip();
    QVERIFY2(tip.startsWith(pdf + "\n\nChromium is not installed; the PDF was made with wkhtmltopdf.\n"),
             qPrintable(tip));
    QVERIFY2(tip.contains("\n  /etc/passwd\nPDF: "), qPrintable(tip));
    const QString notes = dialog->findChild<QLabel*>("lblSheetNotes")->text();
    QVERIFY2(notes.contains("1 of them failed a preflight check"), qPrintable(notes));
}

// One file per row, tags included, so each can be opened and changed on its own; a row never read whole is not saved.
void TestSheetDialog::saveRowsAsCampaigns()
{
    SheetDialog* dialog = openWith("pdfFileName,utm_campaign\none,spring\nragged,x,y\n");
    QVERIFY(dialog);
    const QString folder = fx().outside.filePath("rows");
    QVERIFY(QDir().mkpath(folder));
    fx().platform.pickedFiles << folder;
    dialog->findChild<QPushButton*>("cmdSaveRows")->click();
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(folder + "/offers row 2.orvanta");
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->campaign.utmCampaign, QStringLiteral("spring"));
    QCOMPARE(read->campaign.pdfFileName, QStringLiteral("one"));
    QVERIFY(read->campaign.ctaUrl.startsWith("http://127.0.0.1:"));
    QVERIFY(!QFileInfo::exists(folder + "/offers row 3.orvanta"));
    QVERIFY(fx().messagesTitled("Error").value(0).contains("1 of 2 rows were saved"));
}

void TestSheetDialog::taggedLinkBesideTheLink_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("onPage");
    QTest::newRow("untagged: nothing beside") << "https://a.example/x"
                                              << ""
                                              << "";
    QTest::newRow("tagged") << "https://a.example/x?id=7#top"
                            << "pdf"
                            << "https://a.example/x?id=7&utm_source=pdf#top";
}

void TestSheetDialog::taggedLinkBesideTheLink()
{
    QFETCH(QString, link);
    QFETCH(QString, source);
    QFETCH(QString, onPage);
    fx().window().ShowStep(0);
    fx().control<QLineEdit>("txtCTAURL")->setText(link);
    fx().control<QLineEdit>("txt_utm_source")->setText(source);
    auto* label = fx().control<QLabel>("lblTaggedLink");
    QCOMPARE(label->isVisible(), !onPage.isEmpty());
    QCOMPARE(label->toolTip(), onPage);
    // Readable where it stands: inside the page, most of the link shown, the rest elided in its middle.
    if (!onPage.isEmpty()) {
        QVERIFY(label->geometry().right() <= label->parentWidget()->contentsRect().right());
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QVERIFY2(label->text().startsWith("On the page: https://a.example/"), qPrintable(label->text()));
    }
    // The box keeps what was typed; the page and the campaign file get the rest.
    QCOMPARE(fx().control<QLineEdit>("txtCTAURL")->text(), link);
    QCOMPARE(fx().window().pageFields().ctaUrl, onPage.isEmpty() ? link : onPage);
    QCOMPARE(fx().window().campaigns().campaign().utmSource, source);
}

QTEST_MAIN(TestSheetDialog)
#include "tst_sheetdialog.moc"
