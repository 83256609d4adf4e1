// SPDX-License-Identifier: MIT
#include "core/foundation/Scheduler.h"

#include <QTimer>

namespace brindlemoor {

namespace {

class QtRepeatingTimer final : public RepeatingTimer {
public:
    QtRepeatingTimer(std::chrono::milliseconds interval, std::function<void()> action)
        : m_timer(new QTimer)
    {
        // Whole-second timers fire together on the second, so counting and the idle check share
        // one wakeup; shorter ones drive animation and haptics, and must keep time.
        m_timer->setTimerType(interval % std::chrono::seconds(1) == std::chrono::milliseconds(0) ? Qt::VeryCoarseTimer
                                                                                                 : Qt::PreciseTimer);
        m_timer->setInterval(interval);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [firing = m_firing, action = std::move(action)] {
            *firing = true;
            action();
            *firing = false;
        });
        m_timer->start();
    }
    // Owners often drop their timer from inside its own firing; then the QTimer must outlive
    // the call and goes later, otherwise at once (no event loop may be left to delete it).
    ~QtRepeatingTimer() override
    {
        m_timer->stop();
        if (*m_firing)
            m_timer->deleteLater();
        else
            delete m_timer;
    }
    QtRepeatingTimer(const QtRepeatingTimer&) = delete;
    QtRepeatingTimer& operator=(const QtRepeatingTimer&) = delete;
    void stop() override { m_timer->stop(); }
    bool isActive() const override { return m_timer->isActive(); }

private:
    std::shared_ptr<bool> m_firing = std::make_shared<bool>(false);
    QTimer* m_timer;
};

} // namespace

std::unique_ptr<RepeatingTimer> QtScheduler::startRepeating(std::chrono::milliseconds interval,
                                                            std::function<void()> action)
{
    return std::make_unique<QtRepeatingTimer>(interval, std::move(action));
}

void QtScheduler::runAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> action)
{
    if (context == nullptr) {
        QTimer::singleShot(delay, Qt::PreciseTimer, std::move(action));
        return;
    }
    // Precise, so that a delay such as the overlay's self-close ends with the animation it belongs to.
    QTimer::singleShot(delay, Qt::PreciseTimer, context, std::move(action));
}

} // namespace brindlemoor
