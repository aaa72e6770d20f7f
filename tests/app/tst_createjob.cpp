#include "GuardedRun.h"
#include "WindowTestCase.h"

#include "AppFolder.h"
#include "CreateCommand.h"
#include "HelperOps.h"
#include "MainWindow.h"
#include "PagePreview.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orvanta::files;
using namespace orvanta::preflight;

/** The "Create" job from the window's controls to the files on disk. */
class TestCreateJob final : public WindowTestCase {
    Q_OBJECT

private Q_SLOTS:
    void wholeJobWithTheRealConverter();
    void windowStaysUsableWhileConverting();
    void readyShowsThePreflight();
    void engineNotesStandBelowReady();
    void closingWhileConvertingAsksFirst();
    void bonusImageOfThePage_data();
    void bonusImageOfThePage();
    void oldPagesGoTemplateAndOtherFilesStay();
    void builtInInstructionsOnRequest_data();
    void builtInInstructionsOnRequest();
    void outputFolderOpensAtAnyTime();
    void lastPageStaysBesideTheTemplate();

private:
    static QByteArray html(const WindowFixture& f, const QString& name) { return bytesOf(f.app.file("bin/" + name)); }
};

void TestCreateJob::wholeJobWithTheRealConverter()
{
    WindowFixture& f = fx();
    WizardInput input;
    input.pdfName = QStringLiteral("My first guide");
    input.review = QStringLiteral("Honest words about this product\nIt saves a lot of time");
    input.instructions.clear();
    f.fill(input);
    f.app.write(QStringLiteral("bin/old.html"), "<html>an earlier page</html>");
    const QByteArray templateBefore = bytesOf(AppFolder::templatePath(f.app.path()));
    bool idleWhenAsked = false;
    f.platform.onMessage = [&](const ScriptedPlatform::Message& message) {
        if (message.title == QLatin1String("Done"))
            idleWhenAsked = f.isIdle();
    };
    f.platform.answers << true << true;

    QSignalSpy ended(&f.window().createCommand(), &CreateCommand::finished);
    f.clickCreate();
    QVERIFY(f.window().createCommand().isBusy());
    QVERIFY(!f.button("cmdCreate")->isEnabled());
    QVERIFY(!f.button("cmdOutput")->isEnabled());
    QVERIFY(ended.wait(60000));

    QCOMPARE(f.messageTitles(), (QStringList{"Bonus Delivery Instructions", "Done"}));
    QVERIFY(idleWhenAsked && f.isIdle());
    QCOMPARE(f.window().pageFields().pdfFileName, QStringLiteral("My-first-guide"));
    const QString output = AppFolder::outputFolder(f.app.path());
    QCOMPARE(f.platform.openedFolders, QStringList{output});
    const QString text = QString::fromUtf8(runTool("pdftotext", {output + "/My-first-guide.pdf", "-"}));
    QVERIFY2(text.contains("Honest words about this product") && text.contains("It saves a lot of time"),
             qPrintable(text));
    QVERIFY(!QFile::exists(f.app.file("bin/old.html")));
    QCOMPARE(bytesOf(AppFolder::templatePath(f.app.path())), templateBefore);
    const QString preflight = f.platform.messages.last().details;
    QVERIFY2(preflight.contains(QRegularExpression("^Preflight: all ", QRegularExpression::MultilineOption)),
             qPrintable(preflight));
}

void TestCreateJob::windowStaysUsableWhileConverting()
{
    WindowFixture& f = fx();
    f.platform.scripts[PdfEngine::Converter] = EngineScript::hangs();
    f.fill(WizardInput());
    auto* timer = f.window().findChild<QTimer*>("tmrPleaseWait");

    f.clickCreate();
    QVERIFY(timer->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(f.control("lblPleaseWait")->isVisible(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(f.control("lblPleaseWait")->isHidden(), 10000);
    f.window().ShowStep(0);
    f.type("txtMainTitle", "Edited while converting");
    QVERIFY(f.control("txtMainTitle")->isVisible());
    QVERIFY(f.window().pageFields().mainTitle == "Edited while converting");
    QTest::mouseClick(f.button("cmdCreate"), Qt::LeftButton);
    QCOMPARE(f.platform.startedPages().size(), 1);
    QVERIFY(f.window().createCommand().isBusy());

    QCOMPARE(f.platform.runningScripts().size(), 1);
    f.platform.runningScripts().first()->release();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window().createCommand().isBusy(), 30000);
    QVERIFY(f.isIdle());
    QCOMPARE(f.messagesTitled("Done"), QStringList{"Ready. Do you want to open the output folder?"});
    QCOMPARE(f.platform.messages.last().icon, MessageIcon::Question);
    QVERIFY(f.platform.openedFolders.isEmpty());
}

// A PDF that fails its preflight is still "Ready", with each failed check below the question, and kept.
void TestCreateJob::readyShowsThePreflight()
{
    WindowFixture& f = fx();
    f.app.useStandInConverter("for last; do :; done\nprintf '%%PDF-1.4\\n%%%%EOF\\n' > \"$last\"");
    f.fill(WizardInput());
    QSignalSpy ended(&f.window().createCommand(), &CreateCommand::finished);
    f.clickCreate();
    QVERIFY(ended.wait(30000));
    QCOMPARE(f.messagesTitled("Done"), QStringList{"Ready. Do you want to open the output folder?"});
    const QStringList details = f.platform.messages.last().details.split('\n');
    QCOMPARE(details.size(), 2);
    QVERIFY2(details.at(0).startsWith("Preflight: 1 check failed;"), qPrintable(details.at(0)));
    QVERIFY2(details.at(1).startsWith("PDF: it could not be read"), qPrintable(details.at(1)));
    QVERIFY(QFile::exists(AppFolder::outputFolder(f.app.path()) + "/guide.pdf"));
}

// The note comes first, once, and the preflight's lines after it.
// Which engine stood in and what it did not load, first, before the preflight.
void TestCreateJob::engineNotesStandBelowReady()
{
    WindowFixture& f = fx();
    f.platform.installed[PdfEngine::Chromium] = false;
    f.platform.scripts[PdfEngine::Converter] =
        EngineScript::writes("%PDF-1.4\n%%EOF\n", {"http://fonts.example/a.css"});
    f.fill(WizardInput());
    auto* engine = f.control<QComboBox>("cboEngine");
    engine->setCurrentIndex(engine->findText("Chromium: accessible, tagged PDF"));
    QSignalSpy ended(&f.window().createCommand(), &CreateCommand::finished);
    f.clickCreate();
    QVERIFY(ended.wait(30000));
    QCOMPARE(f.messagesTitled("Done"), QStringList{"Ready. Do you want to open the output folder?"});
    const QStringList details = f.platform.messages.last().details.split("\n\n");
    QVERIFY2(details.value(0).startsWith("Chromium is not installed; the PDF was made with wkhtmltopdf.\n") &&
                 details.value(0).endsWith("\n  http://fonts.example/a.css"),
             qPrintable(details.value(0)));
    QVERIFY2(details.value(1).startsWith("Preflight: "), qPrintable(details.value(1)));
}

void TestCreateJob::closingWhileConvertingAsksFirst()
{
    WindowFixture& f = fx();
    f.app.useStandInConverter("for last; do :; done\nprintf '%%PDF-1.4\\n1 0 obj' > \"$last\"\nexec sleep 300");
    f.fill(WizardInput());
    const QByteArray earlier("%PDF-1.4\nearlier\n%%EOF\n");
    const QString pdf = f.app.write("bin/output/guide.pdf", earlier);
    GuardedRun run(f);
    f.clickCreate();
    // The converter writes a private name beside the PDF; the earlier PDF stays in place meanwhile.
    const auto converting = [&f] {
        const QStringList names =
            QDir(f.app.file("bin/output")).entryList({".orvanta *.pdf"}, QDir::Hidden | QDir::Files);
        return names.isEmpty() ? QByteArray() : bytesOf(f.app.file("bin/output/" + names.first()));
    };
    QTRY_VERIFY(converting().endsWith("1 0 obj"));
    QCOMPARE(bytesOf(pdf), earlier);

    QVERIFY2(!f.window().close(), "No keeps the window");
    QCOMPARE(run.messages(), QStringList{"Orvanta: A PDF is being created. Do you want to stop it and close Orvanta?"});
    QCOMPARE(f.platform.messages.last().icon, MessageIcon::Question);
    QVERIFY(f.window().isVisible() && f.window().createCommand().isBusy());

    f.platform.answers << true;
    QVERIFY(f.window().close());
    QVERIFY(f.isIdle());
    QCOMPARE(run.messages().size(), 2);
    QCOMPARE(bytesOf(pdf), earlier);
    QCOMPARE(run.appChanges(), sorted({"+bin/cover.png", "+bin/salespage.gif", "+bin/guide.html"}));

    // Without an earlier PDF, the stopped run's half PDF goes too.
    QVERIFY(QFile::remove(pdf));
    f.window().show();
    f.clickCreate();
    QTRY_VERIFY(converting().endsWith("1 0 obj"));
    f.platform.answers << true;
    QVERIFY(f.window().close());
    QVERIFY(f.isIdle());
    QCOMPARE(QDir(f.app.file("bin/output")).entryList(QDir::Files | QDir::Hidden), QStringList{".keep"});
}

void TestCreateJob::bonusImageOfThePage_data()
{
    QTest::addColumn<bool>("cloudBonus");
    QTest::addColumn<bool>("ownBonus");
    QTest::addColumn<QString>("imageName");
    QTest::newRow("own bonus beside a cloud choice") << true << true << "ownbonus.png";
}

void TestCreateJob::bonusImageOfThePage()
{
    QFETCH(bool, cloudBonus);
    QFETCH(bool, ownBonus);
    QFETCH(QString, imageName);
    WindowFixture& f = fx();
    f.useQuickConverter();
    WizardInput input;
    input.cloudBonus = cloudBonus;
    input.ownBonus = input.ownImage = ownBonus;
    f.fill(input);

    QVERIFY(f.create());
    QCOMPARE(f.messageTitles(), QStringList{"Done"});
    const QString source = ownBonus ? f.outside.filePath(imageName) : f.bonusFolder(0) + "/salespage.gif";
    QCOMPARE(bytesOf(f.app.file("bin/" + imageName)), bytesOf(source));
    QVERIFY(html(f, "guide.html").contains(imageName.toUtf8()));
    QCOMPARE(html(f, "guide.html").contains("salespage.gif"), !ownBonus);
    QCOMPARE(QFile::exists(f.app.file("bin/salespage.gif")), !ownBonus);
    QVERIFY(QFile::exists(f.app.file("bin/cover.png")));
}

// Which pages go is the rule of removeOldPages; the window's part is to ask it before each page is written.
void TestCreateJob::oldPagesGoTemplateAndOtherFilesStay()
{
    WindowFixture& f = fx();
    f.useQuickConverter();
    f.fill(WizardInput());
    f.app.write("bin/old.html", "<p>earlier</p>");

    QVERIFY(f.create());
    QVERIFY(f.create());
    QCOMPARE(f.messageTitles(), (QStringList{"Done", "Done"}));
    QVERIFY(!QFile::exists(f.app.file("bin/old.html")));
    QVERIFY(QFile::exists(f.app.file("bin/template.html")));
    QCOMPARE(html(f, "guide.html").count("</html>"), 1);
}

void TestCreateJob::builtInInstructionsOnRequest_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes adds them") << true;
    QTest::newRow("No leaves them out") << false;
}

void TestCreateJob::builtInInstructionsOnRequest()
{
    QFETCH(bool, answer);
    WindowFixture& f = fx();
    f.useQuickConverter();
    WizardInput input;
    input.instructions.clear();
    f.fill(input);
    const QString builtIn = vFile::LoadTextFile(AppFolder::builtInInstructionsPath(f.app.path()));
    const QString firstLine = builtIn.section(QLatin1Char('\n'), 0, 0).trimmed();
    QVERIFY(!firstLine.isEmpty());
    f.platform.answers << answer << false;

    QVERIFY(f.create());
    const ScriptedPlatform::Message& question = f.platform.messages.at(0);
    QCOMPARE(question.title, QStringLiteral("Bonus Delivery Instructions"));
    QCOMPARE(question.text, QStringLiteral("You are not including bonus download instructions. If you are promoting "
                                           "a JVZoo / W+ product is recommended to add them. Would you like to add "
                                           "built-in 'Bonus Delivery' instructions for these platforms?"));
    QVERIFY(question.yesNo && question.icon == MessageIcon::Question);
    QCOMPARE(QString::fromUtf8(html(f, "guide.html")).contains(firstLine), answer);
    QCOMPARE(f.window().pageFields().bonusInstructions.isEmpty(), !answer);
}

void TestCreateJob::outputFolderOpensAtAnyTime()
{
    WindowFixture& f = fx();
    const QString output = AppFolder::outputFolder(f.app.path());
    QVERIFY(QDir(output).removeRecursively());

    QTest::mouseClick(f.button("cmdOutput"), Qt::LeftButton);
    QCOMPARE(f.platform.openedFolders, QStringList{output});
    QVERIFY(QFileInfo(output).isDir());
    QVERIFY(f.platform.messages.isEmpty());

    f.platform.openFolderSucceeds = false;
    QTest::mouseClick(f.button("cmdOutput"), Qt::LeftButton);
    QCOMPARE(f.messagesTitled("Error"), QStringList{"The output folder could not be opened: " + output});
    QCOMPARE(f.platform.messages.last().icon, MessageIcon::Exclamation);
}

// Each Create removes the pages before it and writes its own; nothing else may take the last one away: not the
// sized copy the converter reads, not a Create that takes the preview's PDF, not the saved web page.
void TestCreateJob::lastPageStaysBesideTheTemplate()
{
    WindowFixture& f = fx();
    f.fill(WizardInput());
    f.clickTickBox("chkSaveWebPage");
    QVERIFY(f.create());
    QVERIFY(html(f, "guide.html").contains("A fine product"));
    f.type("txtMainTitle", "Second title");
    f.click("cmdPagePreview");
    auto* preview = f.window().findChild<PagePreview*>();
    QVERIFY(preview);
    QSignalSpy shown(preview, &PagePreview::renderShown);
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty() && preview->message().isEmpty(), 60000);
    QVERIFY(f.create());
    QCOMPARE(f.messageTitles(), (QStringList{"Done", "Done"}));
    QVERIFY(html(f, "guide.html").contains("Second title"));
    QCOMPARE(html(f, "guide.html").count("</html>"), 1);
}

QTEST_MAIN(TestCreateJob)
#include "tst_createjob.moc"
