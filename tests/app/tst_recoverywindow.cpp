#include "CampaignWindowCase.h"

#include "Campaign.h"
#include "MainWindow.h"
#include "ScriptedPlatform.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <csignal>
#include <cstdio>

using namespace orvanta::files;
using namespace orvanta::campaign;

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

/** The recovery copy: what a killed window leaves is offered back, newest first, and a blocked folder said once. */
class TestRecoveryWindow final : public CampaignWindowCase {
    Q_OBJECT

private Q_SLOTS:
    void recoveryAfterKill_data();
    void recoveryAfterKill();
    void orphansNewestFirst_data();
    void orphansNewestFirst();
    void blockedRecoveryFolderSaidOnce();

private:
    /** A copy as a window that crashed leaves it, changed @p secondsAgo; returns when, as the question names it. */
    QString leaveOrphan(const QString& name, const QString& title, int secondsAgo);
};

QString TestRecoveryWindow::leaveOrphan(const QString& name, const QString& title, int secondsAgo)
{
    Campaign campaign;
    campaign.mainTitle = title;
    const QString folder = AppFolder::recoveryFolder(fx().app.path());
    const QString copy = folder + "/window-" + name + ".orvanta";
    QDir().mkpath(folder);
    (void)CampaignFile::write(copy, campaign);
    writeFile(folder + "/window-" + name + ".source", QByteArray());
    const QDateTime changed = QDateTime::currentDateTime().addSecs(-secondsAgo);
    QFile file(copy);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(changed, QFileDevice::FileModificationTime))
        return {};
    return QLocale().toString(changed, QLocale::LongFormat);
}

void TestRecoveryWindow::recoveryAfterKill_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("restore");
    QTest::newRow("killed, Yes fills the window") << int(SIGKILL) << true;
    QTest::newRow("killed, No keeps the copy as a campaign") << int(SIGKILL) << false;
    QTest::newRow("SIGTERM within the pause, Yes") << int(SIGTERM) << true;
    QTest::newRow("SIGHUP within the pause, No") << int(SIGHUP) << false;
}

// A real window in a child process: SIGKILL once its copy is on disk, the catchable signals right after the edit.
void TestRecoveryWindow::recoveryAfterKill()
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

void TestRecoveryWindow::orphansNewestFirst_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("Yes: the newest restored, the older kept, one question") << true;
    QTest::newRow("No: both kept") << false;
}

void TestRecoveryWindow::orphansNewestFirst()
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
        keptTitles << CampaignFile::read(AppFolder::recoveryFolder(fx().app.path()) + "/" + name)->campaign.mainTitle;
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

void TestRecoveryWindow::blockedRecoveryFolderSaidOnce()
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

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], childMode) == 0)
        return editAndWait(argc, argv);
    QApplication application(argc, argv);
    TestRecoveryWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recoverywindow.moc"
