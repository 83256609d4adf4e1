// SPDX-License-Identifier: MIT
#include "platform/linux/ReportedWindow.h"

#include "core/foundation/ProgramIdentity.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/ProcessInfo.h"
#include "platform/linux/X11ActiveAppSource.h"

#include <QCoreApplication>

namespace brindlemoor {

namespace {

std::optional<QString> entryOf(const ReportedWindow& window, const DesktopEntryRegistry& registry)
{
    // The compositor matched the window to its entry already, as it does for its own task list.
    if (!window.appId.isEmpty() && registry.application(window.appId))
        return window.appId;
    // A native window's app_id is its class; the rest is as for an X11 window.
    WindowProperties properties{.instance = window.windowClass, .windowClass = window.windowClass};
    if (window.pid != 0) {
        properties.executable = ProcessInfo::executablePath(window.pid);
        properties.flatpakId = ProcessInfo::flatpakAppId(window.pid);
    }
    if (std::optional<QString> id = registry.idForWindow(properties))
        return id;
    return window.appId.isEmpty() ? std::nullopt : std::optional<QString>(window.appId);
}

} // namespace

RunningApp applicationOf(const ReportedWindow& window, const DesktopEntryRegistry& registry)
{
    if (window.pid != 0 && window.pid == QCoreApplication::applicationPid())
        return RunningApp{programId};
    return X11ActiveAppSource::identified(entryOf(window, registry));
}

} // namespace brindlemoor
