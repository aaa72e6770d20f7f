#include "RecentCampaigns.h"

#include "TestAppFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

/** The recent campaigns: newest first, no doubles, at most ten, kept across starts. */
class TestRecentCampaigns final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void list_data();
    void list();
    void unwritableSettingsAreReported();
};

void TestRecentCampaigns::list_data()
{
    // Steps: "+name" adds, "-name" removes, "clear" empties; names are files in one folder.
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
}

void TestRecentCampaigns::list()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return QDir::toNativeSeparators(dir.filePath(name + ".orvanta")); };
    {
        RecentCampaigns recent(dir.filePath("recent.ini"));
        for (const QString& step : steps) {
            if (step == "clear")
                recent.clear();
            else if (step.startsWith('+'))
                recent.add(path(step.mid(1)));
            else
                recent.remove(path(step.mid(1)));
        }
        const QString error = RecentCampaigns::write(recent.settingsPath(), recent.paths());
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    QStringList paths;
    for (const QString& name : expected)
        paths << path(name);
    // A new start reads what the last one stored.
    QCOMPARE(RecentCampaigns(dir.filePath("recent.ini")).paths(), paths);
}

void TestRecentCampaigns::unwritableSettingsAreReported()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("file"), "not a folder");
    const QString settings = dir.filePath("file/recent.ini");
    QVERIFY(RecentCampaigns::write(settings, {dir.filePath("a.orvanta")}).contains(settings));
    QCOMPARE(RecentCampaigns(settings).paths(), QStringList());
}

QTEST_GUILESS_MAIN(TestRecentCampaigns)
#include "tst_recentcampaigns.moc"
