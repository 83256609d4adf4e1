// SPDX-License-Identifier: MIT
#include "core/monitors/ScreenLockMonitor.h"

namespace brindlemoor {

ScreenLockMonitor::ScreenLockMonitor(LockSignalSource& source)
    : m_source(source)
{
    m_source.onLockSignal = [this](bool locked) {
        m_isScreenLocked = locked;
        if (onLockStateChange)
            onLockStateChange(locked);
    };
}

ScreenLockMonitor::~ScreenLockMonitor()
{
    m_source.onLockSignal = nullptr;
}

} // namespace brindlemoor
