// SPDX-License-Identifier: MIT
#include "platform/linux/GnomeShellActiveAppSource.h"

#include "platform/linux/GnomeShellExtension.h"
#include "platform/linux/ReportedWindow.h"

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
    // The shell's window tracker gives the app id, as it does for its dash.
    return brindlemoor::applicationOf(ReportedWindow{focus.appId, focus.wmClass, focus.pid}, registry);
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
