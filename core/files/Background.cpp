#include "Background.h"

#include <QMutex>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <deque>

using namespace orvanta::files;

namespace orvanta::files {
namespace {
// A lane's piece is short and someone may wait for it: it goes before queued fitting and sizing.
constexpr int LanePriority = 1;
} // namespace

QThreadPool& Background::pool()
{
    static QThreadPool* threads = [] {
        auto* created = new QThreadPool;
        created->setMaxThreadCount(qBound(1, QThread::idealThreadCount(), 4));
        created->setExpiryTimeout(-1);
        return created;
    }();
    return *threads;
}
} // namespace orvanta::files

/** The pieces still to run; itself the one runnable that drains them, so at most one piece runs at a time. */
struct Lane::Queue final : QRunnable {
    QMutex mutex;
    QWaitCondition drained;
    std::deque<std::function<void()>> pieces;
    /** Handed to the pool and not yet back: queued there, or running. */
    bool draining = false;

    void run() override { drain(); }
    void drain();
    bool isEmpty();
};

void Lane::Queue::drain()
{
    for (;;) {
        std::function<void()> piece;
        {
            QMutexLocker locker(&mutex);
            if (pieces.empty()) {
                draining = false;
                drained.wakeAll();
                return;
            }
            piece = std::move(pieces.front());
            pieces.pop_front();
        }
        piece();
    }
}

bool Lane::Queue::isEmpty()
{
    QMutexLocker locker(&mutex);
    return pieces.empty() && !draining;
}

Lane::Lane(QObject* parent)
    : QObject(parent)
    , m_queue(std::make_unique<Queue>())
{
    m_queue->setAutoDelete(false);
}

Lane::~Lane()
{
    wait();
}

void Lane::add(std::function<void()> piece)
{
    ++m_undelivered;
    QMutexLocker locker(&m_queue->mutex);
    m_queue->pieces.push_back(std::move(piece));
    if (m_queue->draining)
        return;
    m_queue->draining = true;
    Background::pool().start(m_queue.get(), LanePriority);
}

void Lane::wait()
{
    // A caller that waits need not wait for the pool's other work to free a thread.
    if (Background::pool().tryTake(m_queue.get()))
        m_queue->drain();
    QMutexLocker locker(&m_queue->mutex);
    while (m_queue->draining)
        m_queue->drained.wait(&m_queue->mutex);
}

bool Lane::isIdle() const
{
    return m_undelivered == 0 && m_queue->isEmpty();
}
