// SPDX-License-Identifier: MIT
#include "platform/fake/ManualScheduler.h"

namespace brindlemoor {

class ManualScheduler::Handle final : public RepeatingTimer {
public:
    explicit Handle(std::shared_ptr<bool> alive)
        : m_alive(std::move(alive))
    {
    }
    ~Handle() override { *m_alive = false; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void stop() override { *m_alive = false; }
    bool isActive() const override { return *m_alive; }

private:
    std::shared_ptr<bool> m_alive;
};

std::unique_ptr<RepeatingTimer> ManualScheduler::startRepeating(std::chrono::milliseconds interval,
                                                                std::function<void()> action)
{
    auto alive = std::make_shared<bool>(true);
    Task task{m_elapsedMs + interval.count(), interval.count(), {}, false, alive, std::move(action)};
    m_tasks.emplace(std::make_pair(task.dueMs, m_sequence++), std::move(task));
    return std::make_unique<Handle>(alive);
}

void ManualScheduler::runAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> action)
{
    Task task{
        m_elapsedMs + delay.count(), 0, context, context != nullptr, std::make_shared<bool>(true), std::move(action)};
    m_tasks.emplace(std::make_pair(task.dueMs, m_sequence++), std::move(task));
}

void ManualScheduler::advance(std::chrono::milliseconds duration)
{
    const qint64 endMs = m_elapsedMs + duration.count();
    while (!m_tasks.empty() && m_tasks.begin()->first.first <= endMs) {
        auto node = m_tasks.extract(m_tasks.begin());
        Task task = std::move(node.mapped());
        if (!*task.alive)
            continue;
        if (task.dueMs > m_elapsedMs) {
            m_clock.advanceMs(task.dueMs - m_elapsedMs);
            m_elapsedMs = task.dueMs;
        }
        if (task.hasContext && task.context.isNull())
            continue;
        if (task.intervalMs > 0) {
            Task next = task;
            next.dueMs += next.intervalMs;
            m_tasks.emplace(std::make_pair(next.dueMs, m_sequence++), std::move(next));
        }
        task.action();
    }
    if (endMs > m_elapsedMs) {
        m_clock.advanceMs(endMs - m_elapsedMs);
        m_elapsedMs = endMs;
    }
}

} // namespace brindlemoor
