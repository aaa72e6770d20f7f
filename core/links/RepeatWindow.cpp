#include "RepeatWindow.h"

#include <cstdlib>

bool RepeatWindow::isRepeat(QByteArrayView address, QByteArrayView agent, int link, qint64 utcSeconds)
{
    const size_t visitor = qHashMulti(0, address, agent, link);
    const auto last = m_lastClick.constFind(visitor);
    if (last != m_lastClick.cend() && std::llabs(utcSeconds - last.value()) <= WindowSeconds)
        return true;
    if (m_lastClick.size() >= MaxVisitors)
        prune();
    m_lastClick.insert(visitor, utcSeconds);
    m_newest = std::max(m_newest, utcSeconds);
    return false;
}

void RepeatWindow::prune()
{
    m_lastClick.removeIf([this](const auto& entry) { return m_newest - entry.value() > WindowSeconds; });
    // More visitors within one window than the bound: the window starts afresh rather than grow.
    if (m_lastClick.size() >= MaxVisitors)
        m_lastClick.clear();
}
