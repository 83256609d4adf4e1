// SPDX-License-Identifier: MIT
#include "core/monitors/IdleMonitor.h"

#include "core/foundation/Scheduler.h"

namespace brindlemoor {

IdleMonitor::IdleMonitor(IdleTimeSource& source, Scheduler& scheduler, double idleThreshold, QObject* parent)
    : QObject(parent)
    , m_source(source)
    , m_scheduler(scheduler)
    , m_idleThreshold(idleThreshold)
{
}

IdleMonitor::~IdleMonitor() = default;

void IdleMonitor::start()
{
    m_timer = m_scheduler.startRepeating(std::chrono::seconds(5), [this] { poll(); });
}

void IdleMonitor::poll()
{
    const bool idle = m_source.secondsSinceLastInput() >= m_idleThreshold;
    if (idle == m_isUserIdle)
        return;
    m_isUserIdle = idle;
    Q_EMIT idleChanged(idle);
}

} // namespace brindlemoor
