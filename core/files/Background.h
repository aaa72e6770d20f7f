#pragma once

#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>
#include <memory>
#include <type_traits>

class QThreadPool;

namespace orvanta::files {
/** Work off the window's thread, on one pool that every front end and every kind of work share. */
namespace Background {
/**
 * A few threads that stay, whichever front end and however many jobs, so memory settles after the first runs
 * instead of growing with every thread's own allocator arena.
 */
QThreadPool& pool();

/** Runs @p work on the pool; @p done gets its result on @p context's thread, unless @p context is gone by then. */
template <typename Work, typename Done> void run(QObject* context, Work work, Done done)
{
    QtConcurrent::run(&pool(), std::move(work)).then(context, std::move(done));
}
} // namespace Background
} // namespace orvanta::files

/**
 * Work of one kind, in the order given: a piece never overtakes nor overlaps the one before it. It runs on the
 * shared pool, ahead of work that waits there; each result comes back on the thread the lane was made in.
 */
class Lane final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Lane)

public:
    explicit Lane(QObject* parent = nullptr);
    /** Waits for every piece: nothing given to the lane outlives it. */
    ~Lane() override;

    /** Queues @p work; @p done gets its result once it and every piece before it have run. */
    template <typename Work, typename Done> void run(Work work, Done done)
    {
        add([this, work, done] {
            auto result = work();
            QMetaObject::invokeMethod(
                this,
                [this, done, result] {
                    --m_undelivered;
                    done(result);
                },
                Qt::QueuedConnection);
        });
    }

    /** Returns once every piece given so far has run; those the pool has not begun run here, in order. */
    void wait();
    /** Nothing waits, runs, or has a result still to hand back. */
    bool isIdle() const;

private:
    struct Queue;
    void add(std::function<void()> piece);

    std::unique_ptr<Queue> m_queue;
    int m_undelivered = 0;
};
