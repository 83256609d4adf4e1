// SPDX-License-Identifier: MIT
#include "core/monitors/EventMonitor.h"

namespace brindlemoor {

EventMonitor::EventMonitor(ClickSource& source, std::function<void()> handler)
    : m_source(source)
    , m_handler(std::move(handler))
{
}

EventMonitor::~EventMonitor()
{
    stop();
}

void EventMonitor::start()
{
    stop();
    m_registered = m_source.start([this] {
        if (m_handler)
            m_handler();
    });
}

void EventMonitor::stop()
{
    if (!m_registered)
        return;
    m_source.stop();
    m_registered = false;
}

} // namespace brindlemoor
