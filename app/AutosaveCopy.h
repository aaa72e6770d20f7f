#pragma once

#include "Background.h"
#include "Result.h"

#include <QString>
#include <QTimer>

#include <functional>

/**
 * A window's copy of its unsaved work, written once the changes pause: the controls are read on the window's thread,
 * the file is written in a lane of its own, and a failure is said once per run of failures, not every pause.
 */
class AutosaveCopy final {
    Q_DISABLE_COPY_MOVE(AutosaveCopy)

public:
    /** Writes a copy of the work as it was when it was taken. */
    using Write = std::function<Result<void>()>;
    /** Takes the work from the controls now; an empty write when nothing is unsaved. */
    using Take = std::function<Write()>;

    AutosaveCopy(Take take, std::function<void(const QString& error)> sayFailure);

    /** The work changed: its copy is written after a pause. */
    void noteChange();
    /** A copy due after the pause is not written; the one written stays. */
    void cancelPending();
    /** Nothing is due or being written once this returns. */
    void settle();
    /** Writes the copy here and now, after any being written. */
    Result<void> writeNow();
    bool isIdle() const;

private:
    void autosave();

    Take m_take;
    std::function<void(const QString&)> m_sayFailure;
    QTimer m_quietTimer;
    bool m_failed = false;
    /** Last, so every write is done before the rest goes. */
    Lane m_writer;
};
