// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

namespace brindlemoor {

/// A running repeating timer; destroying the handle stops it, so an owner that
/// keeps its handle as a member never sees a firing after it is gone.
class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

/// Repeating timers and one-shot delays on the main thread's event loop.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    /// Starts a timer that calls `action` every `interval` until stopped or destroyed.
    virtual std::unique_ptr<RepeatingTimer> startRepeating(std::chrono::milliseconds interval,
                                                           std::function<void()> action) = 0;

    /// Calls `action` once after `delay`, unless `context` has been destroyed by then.
    virtual void runAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> action) = 0;
};

/// Production scheduler on QTimer. Qt timers keep firing inside the nested event
/// loops of menus and popups, which is what the one-second tick needs.
class QtScheduler final : public Scheduler {
public:
    std::unique_ptr<RepeatingTimer> startRepeating(std::chrono::milliseconds interval,
                                                   std::function<void()> action) override;
    void runAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> action) override;
};

} // namespace brindlemoor
