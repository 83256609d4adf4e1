// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

namespace brindlemoor {

// Scripted platform sources for tests: they deliver exactly what the test says.

class FakeActiveAppSource final : public ActiveAppSource {
public:
    std::optional<RunningApp> frontmostApp() const override { return frontmost; }
    /// Brings an application to the front and reports the activation.
    void activate(const std::optional<QString>& bundleID)
    {
        frontmost = RunningApp{bundleID};
        Q_EMIT activated(frontmost);
    }

    std::optional<RunningApp> frontmost;
};

class FakeIdleTimeSource final : public IdleTimeSource {
public:
    double secondsSinceLastInput() override { return idleSeconds; }
    double idleSeconds = 0;
};

class FakeLockSignalSource final : public LockSignalSource {
public:
    void signal(bool locked) { Q_EMIT lockSignalled(locked); }
};

class FakeClickSource final : public ClickSource {
public:
    bool start() override
    {
        ++registrations;
        return true;
    }
    void stop() override { --registrations; }
    void click()
    {
        if (registrations > 0)
            Q_EMIT pressed();
    }

    int registrations = 0;
};

} // namespace brindlemoor
