#pragma once

#include <QMap>
#include <QString>

/**
 * Gathers the stages a Create says on "orvanta.stages", from whichever thread says them, until taken. Turns the
 * category on while it lives.
 */
class StageListener final {
public:
    StageListener();
    ~StageListener();
    StageListener(const StageListener&) = delete;
    StageListener& operator=(const StageListener&) = delete;

    /** Each stage said since the last take, summed per name, in ms; the listener starts empty again. */
    static QMap<QString, double> take();
};
