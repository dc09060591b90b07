#pragma once

#include <QDateTime>

#include <functional>

namespace base {

// The local time as the run sees it. Tests replace it to let half an hour pass at once.
using Clock = std::function<QDateTime()>;

inline Clock systemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

} // namespace base
