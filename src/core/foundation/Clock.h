// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>

namespace brindlemoor {

/// The one source of "now" for everything that reads the time.
class Clock {
public:
    virtual ~Clock() = default;
    /// The current instant; callers convert to local time where they need the calendar.
    virtual QDateTime now() const = 0;
};

/// The system's wall clock.
class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace brindlemoor
