// SPDX-License-Identifier: MIT
#include "core/monitors/ScreenLockMonitor.h"

namespace brindlemoor {

ScreenLockMonitor::ScreenLockMonitor(LockSignalSource& source)
    : m_source(source)
{
    m_connection = QObject::connect(&m_source, &LockSignalSource::lockSignalled, &m_source, [this](bool locked) {
        m_isScreenLocked = locked;
        if (onLockStateChange)
            onLockStateChange(locked);
    });
}

ScreenLockMonitor::~ScreenLockMonitor()
{
    QObject::disconnect(m_connection);
}

} // namespace brindlemoor
