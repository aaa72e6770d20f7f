#include "Background.h"

#include <QMutex>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <thread>

using namespace orvanta::files;

class TestBackground : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lanePiecesRunInOrderOneAtATime();
    void resultsComeBackOnTheCallersThread();
    void waitRunsWhatThePoolHasNotBegun();
};

// Earlier pieces take longer: one that overtook or overlapped another would show in the order or the count.
void TestBackground::lanePiecesRunInOrderOneAtATime()
{
    Lane lane;
    QMutex mutex;
    QList<int> ran;
    QList<int> delivered;
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    constexpr int Pieces = 12;
    for (int i = 0; i < Pieces; ++i)
        lane.run(
            [&, i] {
                mostAtOnce = std::max(mostAtOnce.load(), ++running);
                QThread::msleep(Pieces - i);
                QMutexLocker locker(&mutex);
                ran << i;
                --running;
                return i;
            },
            [&](int i) { delivered << i; });
    QVERIFY(!lane.isIdle());
    lane.wait();
    QList<int> expected;
    for (int i = 0; i < Pieces; ++i)
        expected << i;
    QCOMPARE(ran, expected);
    QCOMPARE(mostAtOnce.load(), 1);
    // The work is done, but the results are still on their way: not idle until they are handed back.
    QVERIFY(!lane.isIdle());
    QTRY_VERIFY(lane.isIdle());
    QCOMPARE(delivered, expected);
}

void TestBackground::resultsComeBackOnTheCallersThread()
{
    QThread* caller = QThread::currentThread();
    std::atomic<QThread*> laneWorker{nullptr};
    std::atomic<QThread*> runWorker{nullptr};
    QThread* laneDone = nullptr;
    QThread* runDone = nullptr;
    Lane lane;
    QObject context;
    lane.run([&] { return laneWorker = QThread::currentThread(); },
             [&](QThread*) { laneDone = QThread::currentThread(); });
    Background::run(
        &context, [&] { return runWorker = QThread::currentThread(); },
        [&](QThread*) { runDone = QThread::currentThread(); });
    QTRY_VERIFY(laneDone && runDone);
    QVERIFY(laneWorker != caller && runWorker != caller);
    QCOMPARE(laneDone, caller);
    QCOMPARE(runDone, caller);
}

// Every thread of the pool is held by other work: a waiting caller runs the lane's pieces itself.
void TestBackground::waitRunsWhatThePoolHasNotBegun()
{
    QThreadPool& pool = Background::pool();
    QSemaphore started;
    QSemaphore release;
    QSemaphore waited;
    for (int i = 0; i < pool.maxThreadCount(); ++i)
        pool.start([&] {
            started.release();
            release.acquire();
        });
    started.acquire(pool.maxThreadCount());
    // Should the caller wrongly wait for the pool, the piece gets a pool thread at last instead of hanging.
    std::thread watchdog([&] {
        waited.tryAcquire(1, 3000);
        release.release(pool.maxThreadCount());
    });
    Lane lane;
    std::atomic<QThread*> worker{nullptr};
    lane.run([&] { return worker = QThread::currentThread(); }, [](QThread*) {});
    lane.wait();
    waited.release();
    watchdog.join();
    QCOMPARE(worker.load(), QThread::currentThread());
    pool.waitForDone();
}

QTEST_GUILESS_MAIN(TestBackground)
#include "tst_background.moc"
