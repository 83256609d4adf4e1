// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <memory>

namespace brindlemoor {

class RepeatingTimer;
class Scheduler;

/// Polls the time since the last input every five seconds and reports changes of the idle state.
class IdleMonitor final {
public:
    static constexpr double defaultIdleThreshold = 120.0;

    IdleMonitor(IdleTimeSource& source, Scheduler& scheduler, double idleThreshold = defaultIdleThreshold);
    ~IdleMonitor();
    IdleMonitor(const IdleMonitor&) = delete;
    IdleMonitor& operator=(const IdleMonitor&) = delete;

    /// Called only when the state changes; true = idle.
    std::function<void(bool)> onIdleStateChange;

    void start();
    bool isUserIdle() const { return m_isUserIdle; }

private:
    void poll();

    IdleTimeSource& m_source;
    Scheduler& m_scheduler;
    double m_idleThreshold;
    bool m_isUserIdle = false;
    std::unique_ptr<RepeatingTimer> m_timer;
};

} // namespace brindlemoor
