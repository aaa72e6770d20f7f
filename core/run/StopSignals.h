#pragma once

#include <QObject>

class QSocketNotifier;

/**
 * Turns Ctrl+C (SIGINT), SIGTERM and a closed terminal (SIGHUP) into a signal on the event loop: the handler only
 * writes to a pipe, so everything else, stopping the converters and removing files, happens in order outside it.
 */
class StopSignals final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StopSignals)

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    /** The first signal received, or 0. */
    int received() const { return m_received; }
    /** Ends the process as @p signal would have, so a calling shell sees it was stopped; returns if it cannot. */
    static int endAsStopped(int signal);

Q_SIGNALS:
    void stopRequested();

private:
    void onReadable();

    QSocketNotifier* m_notifier = nullptr;
    int m_received = 0;
};
