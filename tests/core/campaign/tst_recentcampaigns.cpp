#include "RecentCampaigns.h"

#include "AppFolder.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta::files;

/** The recent campaigns: newest first, no doubles, at most ten, kept across starts and shared by windows. */
class TestRecentCampaigns final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void list_data();
    void list();
    void unwritableSettingsAreReported();
    void lockHeldByAnotherProcessIsReported();
};

void TestRecentCampaigns::list_data()
{
    // Steps: "+name" adds, "-name" removes, "clear" empties; names are files in one folder. A step begins with
    // "2:" when a second window, started with the first, makes it. Each window stores each change at once.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("newest first") << QStringList{"+a", "+b", "+c"} << QStringList{"c", "b", "a"};
    QTest::newRow("added again moves up, no double") << QStringList{"+a", "+b", "+a"} << QStringList{"a", "b"};
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QStringLiteral("+%1").arg(i);
    QTest::newRow("ten at most, the oldest drop out")
        << twelve << QStringList{"12", "11", "10", "9", "8", "7", "6", "5", "4", "3"};
    QTest::newRow("removed") << QStringList{"+a", "+b", "-a"} << QStringList{"b"};
    QTest::newRow("cleared") << QStringList{"+a", "+b", "clear"} << QStringList();
    QTest::newRow("Unicode and blanks") << QStringList{"+W\u00F6che 7 \u65E5"} << QStringList{"W\u00F6che 7 \u65E5"};
    QTest::newRow("two windows keep each other's") << QStringList{"+Bee", "2:+Alpha"} << QStringList{"Alpha", "Bee"};
    QTest::newRow("two windows, the same one again moves up")
        << QStringList{"+a", "2:+b", "+a"} << QStringList{"a", "b"};
    QTest::newRow("two windows, one removes what the other added")
        << QStringList{"+a", "+b", "2:-a"} << QStringList{"b"};
    QTest::newRow("two windows, ten across both")
        << QStringList{"+1", "2:+2", "+3", "2:+4", "+5", "2:+6", "+7", "2:+8", "+9", "2:+10", "+11", "2:+12"}
        << QStringList{"12", "11", "10", "9", "8", "7", "6", "5", "4", "3"};
}

void TestRecentCampaigns::list()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return QDir::toNativeSeparators(dir.filePath(name + ".orvanta")); };
    QStringList paths;
    for (const QString& name : expected)
        paths << path(name);
    const auto apply = [&](RecentCampaigns& list, const QString& step) {
        if (step == "clear")
            list.clear();
        else if (step.startsWith('+'))
            list.add(path(step.mid(1)));
        else
            list.remove(path(step.mid(1)));
    };
    // What one window shows at once, before any of its changes is stored.
    if (steps.filter(QRegularExpression("^2:")).isEmpty()) {
        RecentCampaigns alone(dir.filePath("alone.ini"));
        for (const QString& step : steps)
            apply(alone, step);
        QCOMPARE(alone.paths(), paths);
    }
    {
        RecentCampaigns first(dir.filePath("recent.ini"));
        RecentCampaigns second(dir.filePath("recent.ini"));
        RecentCampaigns* last = &first;
        for (QString step : steps) {
            last = step.startsWith("2:") ? &second : &first;
            step.remove(QRegularExpression("^2:"));
            apply(*last, step);
            const RecentCampaigns::Stored stored = RecentCampaigns::store(last->settingsPath(), last->takeChanges());
            QVERIFY2(stored.error.isEmpty(), qPrintable(stored.error));
            last->adopt(stored.paths);
        }
        // What the window shows, not only what it stored.
        QCOMPARE(last->paths(), paths);
    }
    // A new start reads what the last one stored.
    QCOMPARE(RecentCampaigns(dir.filePath("recent.ini")).paths(), paths);
}

void TestRecentCampaigns::unwritableSettingsAreReported()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("file"), "not a folder");
    const QString settings = dir.filePath("file/recent.ini");
    const RecentCampaigns::Change add{RecentCampaigns::Change::Kind::Add, dir.filePath("a.orvanta")};
    QVERIFY(RecentCampaigns::store(settings, {add}).error.contains(settings));
    QCOMPARE(RecentCampaigns(settings).paths(), QStringList());
}

// A lock file as Qt writes it, owned by a process that lives: the change waits, is refused and said, and nothing
// is written; once the owner is gone the lock is stale and the change is stored.
void TestRecentCampaigns::lockHeldByAnotherProcessIsReported()
{
    QTemporaryDir app;
    const QString settings = AppFolder::recentCampaignsPath(app.path());
    const auto add = [&](const char* name) {
        return RecentCampaigns::store(settings, {{RecentCampaigns::Change::Kind::Add, app.filePath(name)}});
    };
    QVERIFY(add("a.orvanta").error.isEmpty());
    const QByteArray before = bytesOf(settings);
    QProcess owner;
    owner.start(QStringLiteral("sleep"), {QStringLiteral("300")});
    QVERIFY(owner.waitForStarted());
    const QString ownerName =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(owner.processId()))).fileName();
    writeFile(app.filePath("temp/recent-campaigns.lock"), QByteArray::number(owner.processId()) + '\n' +
                                                              ownerName.toUtf8() + '\n' +
                                                              QSysInfo::machineHostName().toUtf8() + '\n');

    const RecentCampaigns::Stored refused = add("b.orvanta");
    QVERIFY2(refused.error.contains("cannot be stored") && refused.error.contains(QDir::toNativeSeparators(settings)),
             qPrintable(refused.error));
    QCOMPARE(bytesOf(settings), before);

    owner.kill();
    QVERIFY(owner.waitForFinished());
    QVERIFY(add("b.orvanta").error.isEmpty());
    QCOMPARE(RecentCampaigns(settings).paths().size(), 2);
}

QTEST_GUILESS_MAIN(TestRecentCampaigns)
#include "tst_recentcampaigns.moc"
