// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/Scheduler.h"
#include "platform/fake/ManualClock.h"

#include <map>
#include <memory>

namespace brindlemoor {

/// Virtual time for tests: timers and delays fire, in time order, as `advance` moves
/// the manual clock. A whole day runs in milliseconds and nothing sleeps. Like real
/// timers, these run on elapsed time, so setting the wall clock does not fire them.
class ManualScheduler final : public Scheduler {
public:
    explicit ManualScheduler(ManualClock& clock)
        : m_clock(clock)
    {
    }

    std::unique_ptr<RepeatingTimer> startRepeating(std::chrono::milliseconds interval,
                                                   std::function<void()> action) override;
    void runAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> action) override;

    /// Moves the clock forward by `duration`, firing everything that falls due on the way.
    void advance(std::chrono::milliseconds duration);

private:
    struct Task {
        qint64 dueMs = 0;
        qint64 intervalMs = 0; // 0 for a one-shot delay
        QPointer<QObject> context;
        bool hasContext = false;
        std::shared_ptr<bool> alive;
        std::function<void()> action;
    };
    class Handle;

    ManualClock& m_clock;
    std::multimap<std::pair<qint64, quint64>, Task> m_tasks; // (due, sequence) keeps equal times in order
    quint64 m_sequence = 0;
    qint64 m_elapsedMs = 0;
};

} // namespace brindlemoor
