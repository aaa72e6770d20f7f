#include "RecoveryStore.h"

#include "AppFolder.h"
#include "TestAppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
    void keptCopyOpensAndIsNotOfferedAgain();
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
        if (!store.save(campaign, source).ok)
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
    QVERIFY(first.save(a, QString()).ok);
    QVERIFY(second.save(b, QString()).ok);
    QVERIFY(first.copyPath() != second.copyPath());
    QCOMPARE(CampaignFile::read(first.copyPath()).campaign->mainTitle, QStringLiteral("first"));
    QCOMPARE(CampaignFile::read(second.copyPath()).campaign->mainTitle, QStringLiteral("second"));
    // Both windows are alive: nothing is offered to a third.
    QVERIFY(RecoveryStore::findOrphans(m_app->path()).empty());
    first.discard();
    QVERIFY(!QFileInfo::exists(first.copyPath()));
    QVERIFY(QFileInfo::exists(second.copyPath()));
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
    QCOMPARE(CampaignFile::read(orphans[0].copyPath).campaign->review, campaign.review);
    // While one window asks about it, another start does not offer it too.
    QVERIFY(RecoveryStore::findOrphans(m_app->path()).empty());
}

void TestRecoveryStore::keptCopyOpensAndIsNotOfferedAgain()
{
    Campaign campaign;
    campaign.mainTitle = QStringLiteral("keep me");
    QVERIFY(!leaveCopyOfEndedProcess(campaign, QString()).isEmpty());
    std::vector<OrphanedCopy> orphans = RecoveryStore::findOrphans(m_app->path());
    QCOMPARE(orphans.size(), size_t(1));
    QString error;
    const QString kept = RecoveryStore::keep(orphans[0], &error);
    QVERIFY2(!kept.isEmpty(), qPrintable(error));
    QVERIFY(kept.startsWith(AppFolder::recoveryFolder(m_app->path())));
    QCOMPARE(CampaignFile::read(kept).campaign->mainTitle, QStringLiteral("keep me"));
    orphans.clear();
    QVERIFY(RecoveryStore::findOrphans(m_app->path()).empty());
    QCOMPARE(recoveryFiles(), QStringList{QFileInfo(kept).fileName()});
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
