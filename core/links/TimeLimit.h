#pragma once

#include <QTimer>

#include <utility>

namespace orvanta::links {
/** A request's time limit: a timer of @p owner's that calls @p expired once, @p ms from now. */
template <typename Expired> QTimer* startTimeLimit(QObject* owner, int ms, Expired expired)
{
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(expired));
    timer->start(ms);
    return timer;
}
} // namespace orvanta::links
