#pragma once

#include <QElapsedTimer>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(orvantaStages)

/**
 * How long each stage of a Create took, said on the logging category "orvanta.stages" as "stage NAME MS". Off unless
 * a measurement turns the category on; a stage inside another is named "outer.inner".
 */
class StageClock {
public:
    StageClock() { m_clock.start(); }

    /** Says the time since the clock started or last lapped as @p stage's, and starts it again. */
    void lap(const char* stage);
    /** Starts again without saying anything. */
    void restart() { m_clock.start(); }

private:
    QElapsedTimer m_clock;
};
