// SPDX-License-Identifier: MIT
#include "LinuxActivitySources.h"

#include "DBusLockSignalSource.h"
#include "DesktopEntryRegistry.h"
#include "IdleSourceChooser.h"
#include "X11ActiveAppSource.h"
#include "XInput2ClickSource.h"

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
