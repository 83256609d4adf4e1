// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QDBusConnection>

#include <memory>

namespace brindlemoor {

class DesktopEntryRegistry;
class KWinScript;
struct ReportedWindow;

/// Activations on KDE Plasma's Wayland session, as the program's KWin script reports the
/// active window, matched to desktop entries as on X11. While the script does not run
/// nothing is in front: time is never credited to the last application seen.
class KWinActiveAppSource final : public ActiveAppSource {
public:
    /// Loads the script at `scriptPath` into KWin on `bus`, which holds the program's name.
    KWinActiveAppSource(const DesktopEntryRegistry& registry, const QDBusConnection& bus, const QString& scriptPath);
    ~KWinActiveAppSource() override;

    std::optional<RunningApp> frontmostApp() const override { return m_front; }
    /// Whether KWin runs the script, so that activations are known.
    bool isAvailable() const;

private:
    void report(const ReportedWindow& window);

    const DesktopEntryRegistry& m_registry;
    std::optional<RunningApp> m_front;
    std::unique_ptr<KWinScript> m_script;
};

} // namespace brindlemoor
