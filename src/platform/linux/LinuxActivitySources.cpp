// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxActivitySources.h"

#include "platform/linux/DBusLockSignalSource.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/IdleSourceChooser.h"
#include "platform/linux/X11ActiveAppSource.h"
#include "platform/linux/XInput2ClickSource.h"

namespace brindlemoor {

DesktopSessionAccess DesktopSessionAccess::fromEnvironment()
{
    return {{},
            QDBusConnection::sessionBus(),
            QDBusConnection::systemBus(),
            DesktopEntryRegistry::standardDataDirs(),
            DesktopEntryRegistry::userLocale()};
}

LinuxActivitySources::LinuxActivitySources(Scheduler& scheduler, const DesktopSessionAccess& access)
    : m_catalog(std::make_unique<DesktopEntryRegistry>(scheduler, access.dataDirs, access.locale))
    , m_activeApps(std::make_unique<X11ActiveAppSource>(*m_catalog, access.display))
    , m_idleTime(IdleSourceChooser::choose(access.sessionBus, access.display))
    , m_lockSignals(std::make_unique<DBusLockSignalSource>(access.sessionBus, access.systemBus))
    , m_clicks(std::make_unique<XInput2ClickSource>(access.display))
{
}

LinuxActivitySources::~LinuxActivitySources() = default;

} // namespace brindlemoor
