#include "RecoveryStore.h"

#include "AppFolder.h"
#include "TestAppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace {
QString lockPathOf(QString copy)
{
    copy.chop(CampaignFile::extension().size());
    return copy + QStringLiteral("lock");
}
} // namespace

/** Recovery copies: one per window, orphans found only when their window is gone, kept never deleted. */
class TestRecoveryStore final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void windowsKeepSeparateCopies();
    void orphans_data();
    void orphans();
    void keptCopiesOpenAndAreNotOfferedAgain_data();
    void keptCopiesOpenAndAreNotOfferedAgain();
    void restoredCopyIsGone();

private:
    /** Leaves a copy as a window of a process that has ended would. */
    QString leaveCopyOfEndedProcess(const Campaign& campaign, const QString& source);
    QStringList recoveryFiles() const;

    std::unique_ptr<QTemporaryDir> m_app;
};

void TestRecoveryStore::init()
{
    m_app = std::make_unique<QTemporaryDir>();
    QVERIFY(m_app->isValid());
}

QStringList TestRecoveryStore::recoveryFiles() const
{
    return QDir(AppFolder::recoveryFolder(m_app->path())).entryList(QDir::Files);
}

QString TestRecoveryStore::leaveCopyOfEndedProcess(const Campaign& campaign, const QString& source)
{
    QString copy;
    QByteArray lock;
    {
        RecoveryStore store(m_app->path());
        if (!store.save(campaign, source).ok())
            return {};
        copy = store.copyPath();
        lock = bytesOf(lockPathOf(copy));
    } // the store is gone without a discard, as in a crash
    // The same lock, naming a process that has ended.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ended.waitForStarted();
    const qint64 pid = ended.processId();
    ended.waitForFinished();
    lock = QByteArray::number(pid) + lock.mid(lock.indexOf('\n'));
    writeFile(lockPathOf(copy), lock);
    return copy;
}

void TestRecoveryStore::windowsKeepSeparateCopies()
{
    RecoveryStore first(m_app->path());
    RecoveryStore second(m_app->path());
    Campaign a;
    a.mainTitle = QStringLiteral("first");
    Campaign b;
    b.mainTitle = QStringLiteral("second");
    QVERIFY(first.save(a, QString()).ok());
    QVERIFY(second.save(b, QString()).ok());
    QVERIFY(first.copyPath() != second.copyPath());
    QCOMPARE(CampaignFile::read(first.copyPath())->campaign.mainTitle, QStringLiteral("first"));
    QCOMPARE(CampaignFile::read(second.copyPath())->campaign.mainTitle, QStringLiteral("second"));
    // Both windows are alive: nothing is offered to a third.
    QVERIFY(RecoveryStore::findOrphans(m_app->path()).empty());
    first.discard();
    QVERIFY(!QFileInfo::exists(first.copyPath()));
    QVERIFY(QFileInfo::exists(second.copyPath()));
    // A discard leaves nothing behind: no copy, no note of its source, no lock.
    QCOMPARE(recoveryFiles().size(), 3);
    second.discard();
    QCOMPARE(recoveryFiles(), QStringList());
}

void TestRecoveryStore::orphans_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("a new campaign") << QString();
    QTest::newRow("an opened campaign with a Unicode name")
        << QStringLiteral("/home/m\u00FC/Kampagnen/Woche 7 \u65E5\u672C.orvanta");
}

void TestRecoveryStore::orphans()
{
    QFETCH(QString, source);
    Campaign campaign;
    campaign.review = QStringLiteral("typed\r\nbefore the crash");
    const QString copy = leaveCopyOfEndedProcess(campaign, source);
    QVERIFY(!copy.isEmpty());
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(m_app->path());
    QCOMPARE(orphans.size(), size_t(1));
    QCOMPARE(orphans[0].copyPath, copy);
    QCOMPARE(orphans[0].sourcePath, source);
    QVERIFY(qAbs(orphans[0].lastChanged.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(CampaignFile::read(orphans[0].copyPath)->campaign.review, campaign.review);
    // While one window asks about it, another start does not offer it too.
    QVERIFY(RecoveryStore::findOrphans(m_app->path()).empty());
}

void TestRecoveryStore::keptCopiesOpenAndAreNotOfferedAgain_data()
{
    // When each copy was last changed, in seconds before now; the titles are their order in this list.
    QTest::addColumn<QList<int>>("ages");
    QTest::newRow("one copy") << QList<int>{0};
    QTest::newRow("two, offered oldest first") << QList<int>{5, 300};
    QTest::newRow("two from the same second, both kept") << QList<int>{60, 60};
}

void TestRecoveryStore::keptCopiesOpenAndAreNotOfferedAgain()
{
    QFETCH(QList<int>, ages);
    const QDateTime now = QDateTime::currentDateTime().addMSecs(-QDateTime::currentDateTime().time().msec());
    for (int i = 0; i < ages.size(); ++i) {
        Campaign campaign;
        campaign.mainTitle = QString::number(i);
        const QString copy = leaveCopyOfEndedProcess(campaign, QString());
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(now.addSecs(-ages[i]).addMSecs(i), QFileDevice::FileModificationTime));
    }
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(m_app->path());
    QCOMPARE(orphans.size(), size_t(ages.size()));
    QStringList kept;
    QStringList titles;
    for (OrphanedCopy& orphan : orphans) {
        const Result<QString> keptOne = RecoveryStore::keep(orphan);
        QVERIFY2(keptOne, qPrintable(keptOne.error()));
        kept << keptOne.value();
        QVERIFY(kept.last().startsWith(AppFolder::recoveryFolder(m_app->path())));
        titles << CampaignFile::read(kept.last())->campaign.mainTitle;
    }
    QStringList oldestFirst;
    for (int i = 0; i < ages.size(); ++i)
        oldestFirst << QString::number(i);
    std::stable_sort(oldestFirst.begin(), oldestFirst.end(),
                     [&](const QString& a, const QString& b) { return ages[a.toInt()] > ages[b.toInt()]; });
    QCOMPARE(titles, oldestFirst);
    orphans.clear();
    QVERIFY(RecoveryStore::findOrphans(m_app->path()).empty());
    QStringList keptNames;
    for (const QString& path : kept)
        keptNames << QFileInfo(path).fileName();
    keptNames.sort();
    QCOMPARE(recoveryFiles(), keptNames);
}

void TestRecoveryStore::restoredCopyIsGone()
{
    QVERIFY(!leaveCopyOfEndedProcess(Campaign(), QStringLiteral("/a/b.orvanta")).isEmpty());
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(m_app->path());
    QCOMPARE(orphans.size(), size_t(1));
    RecoveryStore::forget(orphans[0]);
    QCOMPARE(recoveryFiles(), QStringList());
}

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recoverystore.moc"
