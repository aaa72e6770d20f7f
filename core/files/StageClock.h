#pragma once

#include <QElapsedTimer>
#include <QLoggingCategory>

#include <iterator>

Q_DECLARE_LOGGING_CATEGORY(orvantaStages)

/** The stages of a Create, in the order it runs them; one inside another follows the outer one. */
enum class TimedStage {
    Page,
    Key,
    Sizing,
    Convert,
    ConvertTab,
    ConvertLoad,
    ConvertMeasure,
    ConvertPrint,
    ConvertWrite,
    Finish,
    FinishPass,
    FinishWebPage,
    FinishPreflight,
    Placing,
};

/** Each stage's name as said, by its place in TimedStage; the benchmark orders its table by them. */
inline constexpr const char* StageNames[] = {
    "page",          "key",           "sizing", "convert",     "convert.tab",    "convert.load",     "convert.measure",
    "convert.print", "convert.write", "finish", "finish.pass", "finish.webpage", "finish.preflight", "placing",
};
static_assert(std::size(StageNames) == static_cast<std::size_t>(TimedStage::Placing) + 1, "a stage without a name");

/**
 * How long each stage of a Create took, said on the logging category "orvanta.stages" as "stage NAME MS". Off unless
 * a measurement turns the category on; a stage inside another is named "outer.inner".
 */
class StageClock {
public:
    StageClock() { m_clock.start(); }

    /** Says the time since the clock started or last lapped as @p stage's, and starts it again. */
    void lap(TimedStage stage);
    /** Starts again without saying anything. */
    void restart() { m_clock.start(); }

private:
    QElapsedTimer m_clock;
};
