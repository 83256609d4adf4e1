// SPDX-License-Identifier: MIT
#include "core/monitors/FrontmostAppMonitor.h"

namespace brindlemoor {

FrontmostAppMonitor::FrontmostAppMonitor(ActiveAppSource& source)
    : m_source(source)
{
    m_connection = QObject::connect(&m_source, &ActiveAppSource::activated, &m_source,
                                    [this](const std::optional<RunningApp>& app) {
                                        if (app && onAppActivated)
                                            onAppActivated(*app);
                                    });
}

FrontmostAppMonitor::~FrontmostAppMonitor()
{
    QObject::disconnect(m_connection);
}

} // namespace brindlemoor
