// SPDX-License-Identifier: MIT
#include "Scheduler.h"

#include <QTimer>

namespace brindlemoor {

namespace {

class QtRepeatingTimer final : public RepeatingTimer {
public:
    QtRepeatingTimer(std::chrono::milliseconds interval, std::function<void()> action)
        : m_timer(new QTimer)
    {
        m_timer->setTimerType(Qt::PreciseTimer);
        m_timer->setInterval(interval);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, std::move(action));
        m_timer->start();
    }
    // Owners often drop their timer from inside its own firing; the QTimer goes later.
    ~QtRepeatingTimer() override
    {
        m_timer->stop();
        QObject::disconnect(m_timer, nullptr, nullptr, nullptr);
        m_timer->deleteLater();
    }
    QtRepeatingTimer(const QtRepeatingTimer&) = delete;
    QtRepeatingTimer& operator=(const QtRepeatingTimer&) = delete;
    void stop() override { m_timer->stop(); }
    bool isActive() const override { return m_timer->isActive(); }

private:
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
        QTimer::singleShot(delay, std::move(action));
        return;
    }
    QTimer::singleShot(delay, context, std::move(action));
}

} // namespace brindlemoor
