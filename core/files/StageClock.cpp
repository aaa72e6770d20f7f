#include "StageClock.h"

// Debug messages are off by default: timing a Create costs nothing until someone listens.
Q_LOGGING_CATEGORY(orvantaStages, "orvanta.stages", QtInfoMsg)

void StageClock::lap(const char* stage)
{
    qCDebug(orvantaStages, "stage %s %.2f", stage, m_clock.nsecsElapsed() / 1e6);
    m_clock.start();
}
