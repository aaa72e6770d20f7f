#include "AppFolder.h"
#include "Campaign.h"
#include "CampaignController.h"
#include "CampaignMenu.h"
#include "WindowTestCase.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <cstdio>

Q_DECLARE_METATYPE(SaveAnswer)

namespace {
const char* childMode = "--edit-and-wait";
const QString typedTitle = QStringLiteral("Typed before the kill \u00E9");

/** What a label shows: Qt takes a text that looks like markup for rich text unless told it is plain. */
QString shownText(const QLabel* label)
{
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

/** The child's part: a window with an edit, alive until it is killed once its copy is on disk. */
int editAndWait(int argc, char** argv)
{
    QApplication application(argc, argv);
    ScriptedPlatform platform;
    MainWindow window(platform, QString::fromLocal8Bit(argv[2]));
    window.show();
    // Typed from inside the event loop, as a user types: the stop signals are taken from then on, and a signal
    // sent before would end the window as Qt's default does, before anyone could type.
    QTimer::singleShot(0, &window, [&window] {
        window.findChild<QLineEdit*>(QStringLiteral("txtMainTitle"))->setText(typedTitle);
        std::puts("typed");
        std::fflush(stdout);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QFileInfo::exists(window.campaigns().recoveryCopyPath())) {
            std::puts("saved");
            std::fflush(stdout);
            poll.stop();
        }
    });
    poll.start(50);
    return window.runEventLoop();
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
    void changeNotice_data();
    void changeNotice();
    void closeAnswers_data();
    void closeAnswers();
    void saveAs_data();
    void saveAs();
    void recoveryAfterKill_data();
    void recoveryAfterKill();
    void orphansNewestFirst_data();
    void orphansNewestFirst();
    void blockedRecoveryFolderSaidOnce();
    void missingPartsInOneMessage();
    void missingRecentIsMarkedAndRemovable_data();
    void missingRecentIsMarkedAndRemovable();
    void recentListInMemory();
    void badFileLeavesTheWindowAlone();

private:
    void trigger(const QString& action);
    QString headerText() const;
    QStringList recoveryFiles() const;
    /** A copy as a window that crashed leaves it, changed @p secondsAgo; returns when, as the question names it. */
    QString leaveOrphan(const QString& name, const QString& title, int secondsAgo);
    /** The child's ending in-process: the edit kept for recovery within the pause, then the window closed. */
    void endBySignal();
    CampaignController& campaigns() const { return fx().window().campaigns(); }
};

void TestCampaignWindow::trigger(const QString& action)
{
    fx().window().findChild<QAction*>(action)->trigger();
}

QString TestCampaignWindow::headerText() const
{
    return shownText(fx().control<QLabel>(QStringLiteral("lblCampaignName")));
}

QStringList TestCampaignWindow::recoveryFiles() const
{
    return QDir(AppFolder::recoveryFolder(fx().app.path())).entryList(QDir::Files | QDir::Hidden);
}

QString TestCampaignWindow::leaveOrphan(const QString& name, const QString& title, int secondsAgo)
{
    Campaign campaign;
    campaign.mainTitle = title;
    const QString folder = AppFolder::recoveryFolder(fx().app.path());
    const QString copy = folder + "/window-" + name + ".orvanta";
    QDir().mkpath(folder);
    CampaignFile::write(copy, campaign);
    writeFile(folder + "/window-" + name + ".source", QByteArray());
    const QDateTime changed = QDateTime::currentDateTime().addSecs(-secondsAgo);
    QFile file(copy);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(changed, QFileDevice::FileModificationTime))
        return {};
    return QLocale().toString(changed, QLocale::LongFormat);
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
    fx().type("txtAffiliateImageAlt", QStringLiteral("The cover"));
    fx().type("txtBonusImageAlt", QStringLiteral("The checklist"));
    auto* language = fx().control<QComboBox>("cboLanguage");
    language->setCurrentIndex(language->findData(QStringLiteral("pt-BR")));
    fx().click("cmdShowReviewBlocks");
    QVERIFY(!fx().control("frReviewBlocks")->isHidden() && fx().control("txtReview")->isHidden());
    fx().control<QDoubleSpinBox>("spnRating")->setValue(4.5);
    fx().type("txtPros", QStringLiteral("fast\ncheap"));
    fx().type("txtCons", QStringLiteral("thin"));
    fx().type("txtVerdict", QStringLiteral("Buy it."));
    auto* engine = fx().control<QComboBox>("cboEngine");
    engine->setCurrentIndex(engine->findText(QStringLiteral("Chromium: accessible, tagged PDF")));
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
    const PageFields shown = fx().window().pageFields();
    const QStringList blocks{
        shown.affiliateImageAlt, shown.bonusImageAlt, shown.language, shown.rating, shown.pros, shown.cons,
        shown.verdict,           shown.engine};
    QCOMPARE(blocks, QStringList({"The cover", "The checklist", "pt-BR", "4.5", "fast\r\ncheap", "thin", "Buy it.",
                                  "chromium"}));
    QCOMPARE(fx().platform.messages.size(), 0);
}

void TestCampaignWindow::changeNotice_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("changes");
    QTest::newRow("image picked") << "pick" << true;
    QTest::newRow("image pick cancelled") << "cancel" << false;
    QTest::newRow("the saved image picked again") << "pick again" << false;
    QTest::newRow("image dropped") << "drop" << true;
    QTest::newRow("catalogue bonus chosen") << "bonus" << true;
}

// The campaign and the page preview follow one notice: what marks the campaign also renders the preview again.
void TestCampaignWindow::changeNotice()
{
    QFETCH(QString, step);
    QFETCH(bool, changes);
    fx().open();
    const QString image = fx().makeImage("cover.png", Qt::blue);
    if (step == "pick again") {
        fx().chooseImage(0, image);
        fx().platform.pickedFiles.enqueue(fx().outside.filePath("with cover.orvanta"));
        trigger("actSaveCampaignAs");
        QVERIFY(!campaigns().isModified());
    }
    QSignalSpy notices(&fx().window(), &MainWindow::fieldsChanged);
    if (step == "pick" || step == "pick again") {
        fx().chooseImage(0, image);
    } else if (step == "cancel") {
        fx().click("cmdCoverSelect(0)");
    } else if (step == "drop") {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(image)});
        QWidget* label = fx().control("lblImage(0)");
        QDragEnterEvent enter(label->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &enter);
        QDropEvent dropped(label->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &dropped);
    } else {
        fx().window().ShowStep(1);
        fx().selectBonus(WindowFixture::BonusRow);
    }
    QCOMPARE(!notices.isEmpty(), changes);
    QCOMPARE(campaigns().isModified(), changes);
    QCOMPARE(headerText().contains("unsaved"), changes);
}

void TestCampaignWindow::closeAnswers_data()
{
    QTest::addColumn<QString>("command"); // "close", or the menu command that leaves the campaign
    QTest::addColumn<SaveAnswer>("answer");
    QTest::addColumn<bool>("pickFile");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Save") << "close" << SaveAnswer::Save << true << true << true;
    QTest::newRow("Save, then the file dialog cancelled") << "close" << SaveAnswer::Save << false << false << false;
    QTest::newRow("Discard") << "close" << SaveAnswer::Discard << false << true << false;
    QTest::newRow("Cancel") << "close" << SaveAnswer::Cancel << false << false << false;
    QTest::newRow("New, Discard") << "actNewCampaign" << SaveAnswer::Discard << false << true << false;
    QTest::newRow("New, Cancel") << "actNewCampaign" << SaveAnswer::Cancel << false << false << false;
}

void TestCampaignWindow::closeAnswers()
{
    QFETCH(QString, command);
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

    if (command == "close") {
        QCOMPARE(fx().window().close(), closes);
        QCOMPARE(fx().window().isVisible(), !closes);
    } else {
        trigger(command);
        QCOMPARE(campaigns().campaign().mainTitle != QStringLiteral("edited"), closes);
    }
    QCOMPARE(fx().platform.saveQuestions.size(), 1);
    QCOMPARE(QFileInfo::exists(file), saved);
    if (saved)
        QCOMPARE(CampaignFile::read(file).campaign->mainTitle, QStringLiteral("edited"));
    // Work left behind leaves nothing in the recovery folder, no note and no lock; work kept keeps its copy.
    QCOMPARE(recoveryFiles().isEmpty(), closes);
    QCOMPARE(QFileInfo::exists(campaigns().recoveryCopyPath()), !closes);
    if (!closes) {
        QCOMPARE(campaigns().campaign().mainTitle, QStringLiteral("edited"));
        QVERIFY(campaigns().isModified());
    }
}

void TestCampaignWindow::saveAs_data()
{
    QTest::addColumn<QString>("typed");    // the name given in the file dialog
    QTest::addColumn<QString>("existing"); // a file there before, or none
    QTest::addColumn<bool>("replace");     // the answer to "replace it?"
    QTest::addColumn<QString>("savedAs");  // the file written, or none
    QTest::addColumn<QString>("header");
    QTest::newRow("taken typed as taken, Yes replaces") << "taken"
                                                        << "taken.orvanta" << true << "taken.orvanta"
                                                        << "taken";
    QTest::newRow("taken typed as taken, No leaves it") << "taken"
                                                        << "taken.orvanta" << false << ""
                                                        << "Untitled  \u2022 unsaved changes";
    QTest::newRow("upper-case suffix kept") << "Upper.ORVANTA"
                                            << "" << false << "Upper.ORVANTA"
                                            << "Upper";
    QTest::newRow("name like markup shown as typed") << "<b>Sale"
                                                     << "" << false << "<b>Sale.orvanta"
                                                     << "<b>Sale";
}

void TestCampaignWindow::saveAs()
{
    QFETCH(QString, typed);
    QFETCH(QString, existing);
    QFETCH(bool, replace);
    QFETCH(QString, savedAs);
    QFETCH(QString, header);
    fx().open();
    const QByteArray before = "not to be lost";
    if (!existing.isEmpty())
        writeFile(fx().outside.filePath(existing), before);
    fx().type("txtMainTitle", QStringLiteral("sale"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(campaigns().recoveryCopyPath()), 10000);
    fx().platform.answers.enqueue(replace);
    fx().platform.pickedFiles.enqueue(fx().outside.filePath(typed));
    trigger("actSaveCampaignAs");

    QCOMPARE(fx().platform.messages.size(), existing.isEmpty() ? 0 : 1);
    QCOMPARE(QDir(fx().outside.path()).entryList(QDir::Files).size(), 1);
    if (savedAs.isEmpty()) {
        QCOMPARE(bytesOf(fx().outside.filePath(existing)), before);
        QCOMPARE(campaigns().campaignPath(), QString());
    } else {
        QCOMPARE(CampaignFile::read(fx().outside.filePath(savedAs)).campaign->mainTitle, QStringLiteral("sale"));
        QCOMPARE(campaigns().campaignPath(), fx().outside.filePath(savedAs));
    }
    QCOMPARE(headerText(), header);
    // Saved, the copy has nothing more to keep; not saved, it keeps the edit.
    QCOMPARE(QFileInfo::exists(campaigns().recoveryCopyPath()), savedAs.isEmpty());
}

void TestCampaignWindow::endBySignal()
{
    fx().open();
    fx().paste("txtMainTitle", typedTitle);
    QVERIFY(campaigns().keepForRecovery());
    // At once, within the pause, and a close then neither asks nor removes it.
    QVERIFY(QFileInfo::exists(campaigns().recoveryCopyPath()));
    QVERIFY(fx().window().close());
    QCOMPARE(fx().platform.saveQuestions.size(), 0);
    QVERIFY(QFileInfo::exists(campaigns().recoveryCopyPath()));
}

void TestCampaignWindow::recoveryAfterKill_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("restore");
    QTest::newRow("killed, Yes fills the window") << int(SIGKILL) << true;
    QTest::newRow("killed, No keeps the copy as a campaign") << int(SIGKILL) << false;
    QTest::newRow("SIGTERM within the pause, Yes") << int(SIGTERM) << true;
    QTest::newRow("SIGHUP within the pause, No") << int(SIGHUP) << false;
}

// A real window in a child process: SIGKILL once its copy is on disk, the catchable signals right after the edit.
void TestCampaignWindow::recoveryAfterKill()
{
    QFETCH(int, signal);
    QFETCH(bool, restore);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childMode), fx().app.path()});
    QVERIFY(child.waitForStarted());
    const QByteArray awaited = signal == SIGKILL ? "saved" : "typed";
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains(awaited), 30000);
    ::kill(pid_t(child.processId()), signal);
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit); // ended as the signal asks

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

void TestCampaignWindow::orphansNewestFirst_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("Yes: the newest restored, the older kept, one question") << true;
    QTest::newRow("No: both kept") << false;
}

void TestCampaignWindow::orphansNewestFirst()
{
    QFETCH(bool, restore);
    const QString olderTime = leaveOrphan("older", "older work", 600);
    const QString newerTime = leaveOrphan("newer", "newer work", 60);
    QVERIFY(!olderTime.isEmpty() && !newerTime.isEmpty() && olderTime != newerTime);
    fx().platform.answers.enqueue(restore);
    fx().open();
    QTRY_VERIFY(fx().platform.messages.size() >= 2);
    QTest::qWait(50);
    const QStringList questions = fx().messagesTitled("Restore Campaign");
    QCOMPARE(questions.size(), restore ? 1 : 2);
    const QStringList kept = QDir(AppFolder::recoveryFolder(fx().app.path())).entryList({"Unsaved*.orvanta"});
    QCOMPARE(kept.size(), restore ? 1 : 2);
    QStringList keptTitles;
    for (const QString& name : kept)
        keptTitles << CampaignFile::read(AppFolder::recoveryFolder(fx().app.path()) + "/" + name).campaign->mainTitle;
    if (restore) {
        QCOMPARE(campaigns().campaign().mainTitle, QStringLiteral("newer work"));
        QCOMPARE(keptTitles, QStringList{"older work"});
    } else {
        QCOMPARE(campaigns().campaign().mainTitle, Campaign().mainTitle);
        keptTitles.sort();
        QCOMPARE(keptTitles, (QStringList{"newer work", "older work"}));
    }
    // The first question is about the work last changed.
    QVERIFY2(questions.first().contains(newerTime), qPrintable(questions.first()));
    if (!restore)
        QVERIFY2(questions.last().contains(olderTime), qPrintable(questions.last()));
}

void TestCampaignWindow::blockedRecoveryFolderSaidOnce()
{
    fx().open();
    writeFile(AppFolder::recoveryFolder(fx().app.path()), "a file where the folder belongs");
    fx().type("txtMainTitle", QStringLiteral("first"));
    QTRY_COMPARE_WITH_TIMEOUT(fx().platform.messages.size(), 1, 10000);
    QVERIFY(fx().platform.messages.first().text.contains(AppFolder::recoveryFolder(fx().app.path())));
    // The next pauses fail alike and say nothing new.
    fx().type("txtMainTitle", QStringLiteral("second"));
    QTest::qWait(2500);
    fx().type("txtMainTitle", QStringLiteral("third"));
    QTest::qWait(2500);
    QCOMPARE(fx().platform.messages.size(), 1);
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

void TestCampaignWindow::missingRecentIsMarkedAndRemovable_data()
{
    QTest::addColumn<bool>("remove");
    QTest::newRow("Yes removes it") << true;
    QTest::newRow("No keeps it") << false;
}

void TestCampaignWindow::missingRecentIsMarkedAndRemovable()
{
    QFETCH(bool, remove);
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
    fx().platform.answers.enqueue(remove);
    entry->trigger();
    QCOMPARE(fx().platform.messages.size(), 1);
    QCOMPARE(campaigns().campaign().mainTitle, Campaign().mainTitle);
    // Also as the next start reads it.
    for (int start = 0; start < 2; ++start) {
        Q_EMIT recent->aboutToShow();
        QCOMPARE(recent->actions().first()->isEnabled(), !remove); // or "No recent campaigns"
        if (!remove)
            QVERIFY(recent->actions().first()->text().contains("week 7 && more"));
        fx().open();
        recent = fx().window().findChild<QMenu*>(QStringLiteral("mnuRecentCampaigns"));
    }
}

void TestCampaignWindow::recentListInMemory()
{
    fx().open();
    // A second window on the folder, started before the saves of the first.
    MainWindow other(fx().platform, fx().app.path());
    const auto saveAs = [this](const QString& name) {
        fx().platform.pickedFiles.enqueue(fx().outside.filePath(name + ".orvanta"));
        trigger("actSaveCampaignAs");
    };
    for (int i = 1; i <= 11; ++i)
        saveAs(QStringLiteral("c%1").arg(i));
    saveAs(QStringLiteral("c5"));
    auto* recent = fx().window().findChild<QMenu*>(QStringLiteral("mnuRecentCampaigns"));
    const auto entries = [recent] {
        QStringList names;
        for (const QAction* action : recent->actions()) {
            if (action->text().startsWith('c'))
                names << action->text().section(' ', 0, 0);
        }
        return names;
    };
    const QStringList expected{"c5", "c11", "c10", "c9", "c8", "c7", "c6", "c4", "c3", "c2"};
    // As the window holds it, then as it holds it once stored.
    QCOMPARE(entries(), expected);
    QTRY_VERIFY(campaigns().isIdle());
    Q_EMIT recent->aboutToShow();
    QCOMPARE(entries(), expected);

    // The second window adds its own without dropping the first one's.
    fx().platform.pickedFiles.enqueue(fx().outside.filePath("Alpha"));
    other.findChild<QAction*>("actSaveCampaignAs")->trigger();
    QTRY_VERIFY(other.campaigns().isIdle());
    Q_EMIT recent->aboutToShow();
    QCOMPARE(entries(), (QStringList{"c5", "c11", "c10", "c9", "c8", "c7", "c6", "c4", "c3"}));
    QVERIFY(recent->actions().first()->text().startsWith("Alpha"));
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
