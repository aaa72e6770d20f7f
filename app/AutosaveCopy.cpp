#include "AutosaveCopy.h"

namespace {
constexpr int AutosaveQuietMs = 2000;
} // namespace

AutosaveCopy::AutosaveCopy(Take take, std::function<void(const QString&)> sayFailure)
    : m_take(std::move(take))
    , m_sayFailure(std::move(sayFailure))
{
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(AutosaveQuietMs);
    QObject::connect(&m_quietTimer, &QTimer::timeout, &m_quietTimer, [this] { autosave(); });
}

void AutosaveCopy::noteChange()
{
    m_quietTimer.start();
}

void AutosaveCopy::cancelPending()
{
    m_quietTimer.stop();
}

void AutosaveCopy::settle()
{
    m_quietTimer.stop();
    m_writer.wait();
}

bool AutosaveCopy::isIdle() const
{
    return m_writer.isIdle();
}

void AutosaveCopy::autosave()
{
    const Write write = m_take();
    if (!write)
        return;
    m_writer.run(write, [this](const Result<void>& result) {
        if (!result.ok() && !m_failed)
            m_sayFailure(result.error());
        m_failed = !result.ok();
    });
}

Result<void> AutosaveCopy::writeNow()
{
    settle();
    const Write write = m_take();
    if (!write)
        return {};
    // The lane is idle now, so the copy is written here and is whole when this returns.
    const Result<void> result = write();
    m_failed = !result.ok();
    return result;
}
