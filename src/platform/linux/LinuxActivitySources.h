// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"
#include "platform/linux/SessionKind.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QStringList>

#include <memory>

namespace brindlemoor {

class DesktopEntryRegistry;
class GnomeShellExtension;
class Scheduler;

/// Where the desktop session is: the X display, the buses, the XDG data folders.
struct DesktopSessionAccess {
    QByteArray display; ///< empty for DISPLAY
    QDBusConnection sessionBus;
    QDBusConnection systemBus;
    QStringList dataDirs;
    QString locale;
    SessionKind kind = SessionKind::X11;
    /// The program's GNOME Shell extension, on GNOME's Wayland session; null elsewhere.
    GnomeShellExtension* shellExtension = nullptr;

    /// The session this process was started in.
    static DesktopSessionAccess fromEnvironment();
};

/// Every Linux source of activity, built once at start-up for the kind of session. Sources
/// that cannot work here (no X display, no bus, a Wayland session without a way in) say so
/// once on standard error and then report nothing; a last line says which backend serves
/// each sense. In a Wayland session none comes from X11: XWayland sees only X11 clients.
class LinuxActivitySources final {
public:
    explicit LinuxActivitySources(Scheduler& scheduler,
                                  const DesktopSessionAccess& access = DesktopSessionAccess::fromEnvironment());
    ~LinuxActivitySources();
    LinuxActivitySources(const LinuxActivitySources&) = delete;
    LinuxActivitySources& operator=(const LinuxActivitySources&) = delete;

    DesktopEntryRegistry& catalog() { return *m_catalog; }
    ActiveAppSource& activeApps() { return *m_activeApps; }
    IdleTimeSource& idleTime() { return *m_idleTime; }
    LockSignalSource& lockSignals() { return *m_lockSignals; }
    ClickSource& clicks() { return *m_clicks; }

private:
    std::unique_ptr<DesktopEntryRegistry> m_catalog;
    std::unique_ptr<ActiveAppSource> m_activeApps;
    std::unique_ptr<IdleTimeSource> m_idleTime;
    std::unique_ptr<LockSignalSource> m_lockSignals;
    std::unique_ptr<ClickSource> m_clicks;
};

} // namespace brindlemoor
