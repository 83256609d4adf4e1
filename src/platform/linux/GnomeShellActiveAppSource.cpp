// SPDX-License-Identifier: MIT
#include "platform/linux/GnomeShellActiveAppSource.h"

#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/GnomeShellExtension.h"
#include "platform/linux/ProcessInfo.h"
#include "platform/linux/X11ActiveAppSource.h"

#include <QCoreApplication>

namespace brindlemoor {

GnomeShellActiveAppSource::GnomeShellActiveAppSource(const DesktopEntryRegistry& registry,
                                                     GnomeShellExtension& extension)
    : m_registry(registry)
{
    connect(&extension, &GnomeShellExtension::focusChanged, this, &GnomeShellActiveAppSource::report);
    connect(&extension, &GnomeShellExtension::presenceChanged, this, [this](bool present) {
        // Whatever was in front is no longer known to be; the next report tells again.
        if (!present && m_front && m_front->bundleID) {
            m_front = RunningApp{};
            Q_EMIT activated(m_front);
        }
    });
    if (const auto focus = extension.focus())
        report(*focus);
}

RunningApp GnomeShellActiveAppSource::applicationOf(const ShellFocus& focus, const DesktopEntryRegistry& registry)
{
    if (focus.pid != 0 && focus.pid == QCoreApplication::applicationPid())
        return RunningApp{X11ActiveAppSource::ownId};
    // The shell's tracker matched the window to its entry already, as it does for its dash.
    if (!focus.appId.isEmpty() && registry.application(focus.appId))
        return RunningApp{focus.appId};
    // A native window's app_id is its class; the rest is as for an X11 window.
    WindowProperties window{.instance = focus.wmClass, .windowClass = focus.wmClass};
    if (focus.pid != 0) {
        window.executable = ProcessInfo::executablePath(focus.pid);
        window.flatpakId = ProcessInfo::flatpakAppId(focus.pid);
    }
    if (std::optional<QString> id = registry.idForWindow(window))
        return RunningApp{std::move(id)};
    return RunningApp{focus.appId.isEmpty() ? std::nullopt : std::optional<QString>(focus.appId)};
}

void GnomeShellActiveAppSource::report(const ShellFocus& focus)
{
    // Focus on nothing (the desktop, the overview) is no activation, as on X11.
    if (focus.isEmpty())
        return;
    m_front = applicationOf(focus, m_registry);
    Q_EMIT activated(m_front);
}

} // namespace brindlemoor
