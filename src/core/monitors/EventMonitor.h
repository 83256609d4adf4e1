// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

namespace brindlemoor {

/// Watches left and right button presses anywhere, to close a popover on a click elsewhere.
class EventMonitor final {
public:
    EventMonitor(ClickSource& source, std::function<void()> handler);
    ~EventMonitor();
    EventMonitor(const EventMonitor&) = delete;
    EventMonitor& operator=(const EventMonitor&) = delete;

    /// Replaces any running registration with a new one.
    void start();
    void stop();
    bool isRunning() const { return m_registered; }

private:
    ClickSource& m_source;
    std::function<void()> m_handler;
    bool m_registered = false;
};

} // namespace brindlemoor
