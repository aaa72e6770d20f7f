#include "StageClock.h"

// Debug messages are off by default: timing a Create costs nothing until someone listens.
Q_LOGGING_CATEGORY(orvantaStages, "orvanta.stages", QtInfoMsg)

void StageClock::lap(TimedStage stage)
{
    qCDebug(orvantaStages, "stage %s %.2f", StageNames[static_cast<int>(stage)], m_clock.nsecsElapsed() / 1e6);
    m_clock.start();
}
