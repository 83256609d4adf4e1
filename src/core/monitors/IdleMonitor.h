// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QObject>

#include <memory>

namespace brindlemoor {

class RepeatingTimer;
class Scheduler;

/// Polls the time since the last input every five seconds and reports changes of the idle state.
class IdleMonitor final : public QObject {
    Q_OBJECT

public:
    static constexpr double defaultIdleThreshold = 120.0;

    IdleMonitor(IdleTimeSource& source, Scheduler& scheduler, double idleThreshold = defaultIdleThreshold,
                QObject* parent = nullptr);
    ~IdleMonitor() override;

    void start();
    bool isUserIdle() const { return m_isUserIdle; }

Q_SIGNALS:
    /// Sent only when the state changes.
    void idleChanged(bool idle);

private:
    void poll();

    IdleTimeSource& m_source;
    Scheduler& m_scheduler;
    double m_idleThreshold;
    bool m_isUserIdle = false;
    std::unique_ptr<RepeatingTimer> m_timer;
};

} // namespace brindlemoor
