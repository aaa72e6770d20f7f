#include "AppFolder.h"
#include "Campaign.h"
#include "CampaignController.h"
#include "CampaignMenu.h"
#include "WindowTestCase.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTimer>

#include <cstdio>

Q_DECLARE_METATYPE(SaveAnswer)

namespace {
const char* childMode = "--edit-and-wait";
const QString typedTitle = QStringLiteral("Typed before the kill \u00E9");

/** The child's part: a window with an edit, alive until it is killed once its copy is on disk. */
int editAndWait(int argc, char** argv)
{
    QApplication application(argc, argv);
    ScriptedPlatform platform;
    MainWindow window(platform, QString::fromLocal8Bit(argv[2]));
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("txtMainTitle"))->setText(typedTitle);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QFileInfo::exists(window.campaigns().recoveryCopyPath())) {
            std::puts("saved");
            std::fflush(stdout);
            poll.stop();
        }
    });
    poll.start(50);
    return application.exec();
}
} // namespace

/** The campaign commands as the window wires them: menu, questions, recovery and the messages. */
class TestCampaignWindow final : public WindowTestCase {
    Q_OBJECT

public:
    TestCampaignWindow()
        : WindowTestCase(false)
    {
    }

private Q_SLOTS:
    void everyFieldSurvivesSaveNewOpen();
    void closeAnswers_data();
    void closeAnswers();
    void recoveryAfterKill_data();
    void recoveryAfterKill();
    void missingPartsInOneMessage();
    void missingRecentIsMarkedAndRemovable();
    void badFileLeavesTheWindowAlone();

private:
    void trigger(const QString& action);
    QString headerText() const;
    CampaignController& campaigns() const { return fx().window().campaigns(); }
};

void TestCampaignWindow::trigger(const QString& action)
{
    fx().window().findChild<QAction*>(action)->trigger();
}

QString TestCampaignWindow::headerText() const
{
    return fx().control<QLabel>(QStringLiteral("lblCampaignName"))->text();
}

void TestCampaignWindow::everyFieldSurvivesSaveNewOpen()
{
    fx().open();
    fx().fill(WizardInput());
    fx().paste("txtMainTitle", QStringLiteral("Woche \u65E5\u672C"));
    fx().type("txtReview", QStringLiteral("first line\nsecond line"));
    fx().clickTickBox("chkUseMyOwnBonus");
    fx().chooseImage(1, fx().makeImage("own bonus.png", Qt::red));
    fx().type("txtBonusDeliveryUrl", QStringLiteral("https://example.org/mine"));
    fx().clickTickBox("chkFitToContent");
    fx().clickTickBox("chkSaveWebPage");
    const Campaign typed = campaigns().campaign();
    QVERIFY(!typed.catalogueEntry.isEmpty() && !typed.productId.isEmpty() && typed.ownBonus);
    QVERIFY(!typed.fitToContent && typed.saveWebPage);
    QVERIFY(headerText().contains("unsaved"));

    const QString file = fx().outside.filePath(QStringLiteral("my campaign"));
    fx().platform.pickedFiles.enqueue(file);
    trigger("actSaveCampaignAs");
    QCOMPARE(campaigns().campaignPath(), file + ".orvanta");
    QCOMPARE(headerText(), QStringLiteral("my campaign"));

    trigger("actNewCampaign");
    QVERIFY(campaigns().campaign() == Campaign());
    QVERIFY(fx().control("lblOwnBonus")->isHidden());

    fx().platform.pickedFiles.enqueue(file + ".orvanta");
    trigger("actOpenCampaign");
    QVERIFY(campaigns().campaign() == typed);
    QVERIFY(!campaigns().isModified());
    QVERIFY(!fx().control("lblOwnBonus")->isHidden());
    QCOMPARE(fx().window().pageFields().review, QStringLiteral("first line\r\nsecond line"));
    QCOMPARE(fx().platform.messages.size(), 0);
}

void TestCampaignWindow::closeAnswers_data()
{
    QTest::addColumn<SaveAnswer>("answer");
    QTest::addColumn<bool>("pickFile");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Save") << SaveAnswer::Save << true << true << true;
    QTest::newRow("Save, then the file dialog cancelled") << SaveAnswer::Save << false << false << false;
    QTest::newRow("Discard") << SaveAnswer::Discard << false << true << false;
    QTest::newRow("Cancel") << SaveAnswer::Cancel << false << false << false;
}

void TestCampaignWindow::closeAnswers()
{
    QFETCH(SaveAnswer, answer);
    QFETCH(bool, pickFile);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    fx().open();
    fx().type("txtMainTitle", QStringLiteral("edited"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(campaigns().recoveryCopyPath()), 10000);
    const QString file = fx().outside.filePath(QStringLiteral("closing.orvanta"));
    fx().platform.saveAnswers.enqueue(answer);
    if (pickFile)
        fx().platform.pickedFiles.enqueue(file);

    QCOMPARE(fx().window().close(), closes);
    QCOMPARE(fx().platform.saveQuestions.size(), 1);
    QCOMPARE(fx().window().isVisible(), !closes);
    QCOMPARE(QFileInfo::exists(file), saved);
    if (saved)
        QCOMPARE(CampaignFile::read(file).campaign->mainTitle, QStringLiteral("edited"));
    // A closed window leaves no copy behind; one kept open keeps its edit and its copy.
    QCOMPARE(QFileInfo::exists(campaigns().recoveryCopyPath()), !closes);
    if (!closes) {
        QCOMPARE(campaigns().campaign().mainTitle, QStringLiteral("edited"));
        QVERIFY(campaigns().isModified());
    }
}

void TestCampaignWindow::recoveryAfterKill_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("Yes fills the window") << true;
    QTest::newRow("No keeps the copy as a campaign") << false;
}

void TestCampaignWindow::recoveryAfterKill()
{
    QFETCH(bool, restore);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childMode), fx().app.path()});
    QVERIFY(child.waitForStarted());
    QVERIFY2(child.waitForReadyRead(30000), "the child never wrote its recovery copy");
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("saved"));
    child.kill(); // SIGKILL: no destructor, no close
    QVERIFY(child.waitForFinished());

    fx().platform.answers.enqueue(restore);
    fx().open();
    QTRY_COMPARE(fx().platform.messages.size(), restore ? 1 : 2);
    const auto& question = fx().platform.messages.first();
    QCOMPARE(question.title, QStringLiteral("Restore Campaign"));
    QVERIFY(question.text.contains("untitled campaign, last changed"));
    if (restore) {
        QCOMPARE(campaigns().campaign().mainTitle, typedTitle);
        QVERIFY(campaigns().isModified());
        QVERIFY(QFileInfo::exists(campaigns().recoveryCopyPath()));
    } else {
        QCOMPARE(campaigns().campaign().mainTitle, Campaign().mainTitle);
        const QStringList kept = QDir(AppFolder::recoveryFolder(fx().app.path())).entryList({"Unsaved*.orvanta"});
        QCOMPARE(kept.size(), 1);
        QVERIFY(fx().platform.messages.last().text.contains(kept.first()));
        fx().platform.pickedFiles.enqueue(AppFolder::recoveryFolder(fx().app.path()) + "/" + kept.first());
        trigger("actOpenCampaign");
        QCOMPARE(campaigns().campaign().mainTitle, typedTitle);
    }
    // Asked once: the next start offers nothing.
    fx().platform.messages.clear();
    fx().window().close();
    fx().open();
    QTest::qWait(50);
    QCOMPARE(fx().platform.messages.size(), 0);
}

void TestCampaignWindow::missingPartsInOneMessage()
{
    fx().open();
    Campaign campaign;
    campaign.mainTitle = QStringLiteral("still filled");
    campaign.catalogueEntry = QStringLiteral("No Such Bonus");
    campaign.affiliateImagePath = fx().outside.filePath("gone cover.png");
    campaign.ownBonusImagePath = fx().outside.filePath("gone bonus.png");
    const QString file = fx().outside.filePath("old.orvanta");
    QVERIFY(CampaignFile::write(file, campaign).ok);
    fx().platform.pickedFiles.enqueue(file);
    trigger("actOpenCampaign");
    QCOMPARE(fx().platform.messages.size(), 1);
    const QString text = fx().platform.messages.first().text;
    for (const QString& part :
         {QStringLiteral("No Such Bonus"), QStringLiteral("gone cover.png"), QStringLiteral("gone bonus.png"), file})
        QVERIFY2(text.contains(part), qPrintable(text));
    QCOMPARE(campaigns().campaign().mainTitle, QStringLiteral("still filled"));
    QCOMPARE(fx().window().selectedBonusIndex(), -1);
}

void TestCampaignWindow::missingRecentIsMarkedAndRemovable()
{
    fx().open();
    const QString file = fx().outside.filePath(QStringLiteral("week 7 & more.orvanta"));
    fx().platform.pickedFiles.enqueue(file);
    trigger("actSaveCampaignAs");
    QVERIFY(QFile::remove(file));
    fx().open(); // the list is read again at start-up
    auto* recent = fx().window().findChild<QMenu*>(QStringLiteral("mnuRecentCampaigns"));
    Q_EMIT recent->aboutToShow();
    QAction* entry = recent->actions().first();
    QVERIFY2(entry->text().contains("week 7 && more") && entry->text().contains("missing"), qPrintable(entry->text()));
    fx().platform.answers.enqueue(true);
    entry->trigger();
    QCOMPARE(fx().platform.messages.size(), 1);
    QVERIFY(!recent->actions().first()->isEnabled()); // "No recent campaigns"
    QCOMPARE(campaigns().campaign().mainTitle, Campaign().mainTitle);
}

void TestCampaignWindow::badFileLeavesTheWindowAlone()
{
    fx().open();
    fx().type("txtMainTitle", QStringLiteral("mine"));
    const Campaign before = campaigns().campaign();
    const QString file = writeFile(fx().outside.filePath("broken.orvanta"), "{\"format\": \"orvanta-campaign\", ");
    fx().platform.saveAnswers.enqueue(SaveAnswer::Discard);
    fx().platform.pickedFiles.enqueue(file);
    trigger("actOpenCampaign");
    QCOMPARE(fx().platform.messages.size(), 1);
    QVERIFY(fx().platform.messages.first().text.contains(file));
    QVERIFY(campaigns().campaign() == before);
    QCOMPARE(campaigns().campaignPath(), QString());
}

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], childMode) == 0)
        return editAndWait(argc, argv);
    QApplication application(argc, argv);
    TestCampaignWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_campaignwindow.moc"
