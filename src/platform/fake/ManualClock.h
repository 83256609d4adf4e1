// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/Clock.h"

namespace brindlemoor {

/// A clock that moves only when told to.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start)
        : m_now(std::move(start))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& instant) { m_now = instant; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

} // namespace brindlemoor
