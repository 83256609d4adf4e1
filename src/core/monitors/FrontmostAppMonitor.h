// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

namespace brindlemoor {

/// Reports each application that becomes frontmost.
class FrontmostAppMonitor final {
public:
    explicit FrontmostAppMonitor(ActiveAppSource& source);
    ~FrontmostAppMonitor();
    FrontmostAppMonitor(const FrontmostAppMonitor&) = delete;
    FrontmostAppMonitor& operator=(const FrontmostAppMonitor&) = delete;

    std::function<void(const RunningApp&)> onAppActivated;

    std::optional<RunningApp> frontmostApp() const { return m_source.frontmostApp(); }

private:
    ActiveAppSource& m_source;
    QMetaObject::Connection m_connection;
};

} // namespace brindlemoor
