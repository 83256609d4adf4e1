// SPDX-License-Identifier: MIT
#include "core/monitors/FrontmostAppMonitor.h"

namespace brindlemoor {

FrontmostAppMonitor::FrontmostAppMonitor(ActiveAppSource& source)
    : m_source(source)
{
    m_source.onActivated = [this](const std::optional<RunningApp>& app) {
        if (app && onAppActivated)
            onAppActivated(*app);
    };
}

FrontmostAppMonitor::~FrontmostAppMonitor()
{
    m_source.onActivated = nullptr;
}

} // namespace brindlemoor
