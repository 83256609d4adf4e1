// SPDX-License-Identifier: MIT
#include "core/monitors/ClickMonitor.h"

namespace brindlemoor {

ClickMonitor::ClickMonitor(ClickSource& source, QObject* parent)
    : QObject(parent)
    , m_source(source)
{
    connect(&m_source, &ClickSource::pressed, this, [this] {
        if (m_registered)
            Q_EMIT pressed();
    });
}

ClickMonitor::~ClickMonitor()
{
    stop();
}

void ClickMonitor::start()
{
    stop();
    m_registered = m_source.start();
}

void ClickMonitor::stop()
{
    if (!m_registered)
        return;
    m_source.stop();
    m_registered = false;
}

} // namespace brindlemoor
