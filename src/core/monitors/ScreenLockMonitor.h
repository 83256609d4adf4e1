// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

namespace brindlemoor {

/// Reports every lock and unlock signal, also when the state did not change.
class ScreenLockMonitor final {
public:
    explicit ScreenLockMonitor(LockSignalSource& source);
    ~ScreenLockMonitor();
    ScreenLockMonitor(const ScreenLockMonitor&) = delete;
    ScreenLockMonitor& operator=(const ScreenLockMonitor&) = delete;

    std::function<void(bool locked)> onLockStateChange;
    bool isScreenLocked() const { return m_isScreenLocked; }

private:
    LockSignalSource& m_source;
    QMetaObject::Connection m_connection;
    bool m_isScreenLocked = false;
};

} // namespace brindlemoor
