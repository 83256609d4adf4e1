// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

namespace brindlemoor {

class DesktopEntryRegistry;
class GnomeShellExtension;
struct ShellFocus;

/// Activations on GNOME's Wayland session, as the program's GNOME Shell extension reports
/// the focused window, matched to desktop entries as on X11. While the extension is absent
/// nothing is in front: time is never credited to the last application seen.
class GnomeShellActiveAppSource final : public ActiveAppSource {
public:
    GnomeShellActiveAppSource(const DesktopEntryRegistry& registry, GnomeShellExtension& extension);

    std::optional<RunningApp> frontmostApp() const override { return m_front; }

    /// The application of a focused window, for tests.
    static RunningApp applicationOf(const ShellFocus& focus, const DesktopEntryRegistry& registry);

private:
    void report(const ShellFocus& focus);

    const DesktopEntryRegistry& m_registry;
    std::optional<RunningApp> m_front;
};

} // namespace brindlemoor
