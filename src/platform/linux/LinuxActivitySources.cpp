// SPDX-License-Identifier: MIT
#include "platform/linux/LinuxActivitySources.h"

#include "platform/linux/DBusLockSignalSource.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/GnomeShellActiveAppSource.h"
#include "platform/linux/IdleSourceChooser.h"
#include "platform/linux/KWinActiveAppSource.h"
#include "platform/linux/KWinScript.h"
#include "platform/linux/LinuxTrayIcon.h"
#include "platform/linux/MutterIdleSource.h"
#include "platform/linux/PlatformLogging.h"
#include "platform/linux/WaylandConnection.h"
#include "platform/linux/WaylandIdleSource.h"
#include "platform/linux/WlrootsActiveAppSource.h"
#include "platform/linux/X11ActiveAppSource.h"
#include "platform/linux/X11ScreenSaverIdleSource.h"
#include "platform/linux/XInput2ClickSource.h"

namespace brindlemoor {

namespace {

class NoActiveAppSource final : public ActiveAppSource {
public:
    std::optional<RunningApp> frontmostApp() const override { return std::nullopt; }
};

class NoClickSource final : public ClickSource {
public:
    bool start() override { return false; }
    void stop() override {}
};

QString idleBackend(IdleTimeSource& source)
{
    if (dynamic_cast<MutterIdleSource*>(&source) != nullptr)
        return QStringLiteral("Mutter's idle monitor");
    if (dynamic_cast<X11ScreenSaverIdleSource*>(&source) != nullptr)
        return QStringLiteral("the X screen-saver extension");
    if (auto* wayland = dynamic_cast<WaylandIdleSource*>(&source))
        return wayland->protocol();
    return QStringLiteral("unavailable (never idle)");
}

} // namespace

DesktopSessionAccess DesktopSessionAccess::fromEnvironment()
{
    const QDBusConnection sessionBus = QDBusConnection::sessionBus();
    return {{},
            sessionBus,
            QDBusConnection::systemBus(),
            DesktopEntryRegistry::standardDataDirs(),
            DesktopEntryRegistry::userLocale(),
            decideSession(SessionFacts::fromEnvironment(sessionBus))};
}

LinuxActivitySources::LinuxActivitySources(Scheduler& scheduler, const DesktopSessionAccess& access)
    : m_catalog(std::make_unique<DesktopEntryRegistry>(scheduler, access.dataDirs, access.locale))
{
    const bool x11 = access.kind == SessionKind::X11;
    QString activeBackend;
    QString clickBackend;
    if (x11) {
        auto source = std::make_unique<X11ActiveAppSource>(*m_catalog, access.display);
        activeBackend = source->isAvailable() ? QStringLiteral("X11's active window") : QStringLiteral("unavailable");
        m_activeApps = std::move(source);
    } else if (access.shellExtension != nullptr) {
        m_activeApps = std::make_unique<GnomeShellActiveAppSource>(*m_catalog, *access.shellExtension);
        activeBackend = QStringLiteral("Brindlemoor's GNOME Shell extension");
    } else if (access.kind == SessionKind::KWinWayland) {
        auto source = std::make_unique<KWinActiveAppSource>(*m_catalog, access.sessionBus, KWinScript::installedPath());
        activeBackend = source->isAvailable() ? QStringLiteral("Brindlemoor's KWin script")
                                              : QStringLiteral("unavailable (KWin did not run Brindlemoor's script)");
        m_activeApps = std::move(source);
    }
    // GNOME's compositor answers on the bus; the others only on their Wayland socket.
    if (isWayland(access.kind) && access.kind != SessionKind::GnomeWayland) {
        m_wayland = std::make_unique<WaylandConnection>();
        if (!m_wayland->isConnected())
            qCWarning(lcPlatform).noquote() << QStringLiteral("no Wayland connection: %1").arg(m_wayland->errorText());
    }
    if (m_wayland && m_wayland->isConnected() && !m_activeApps && access.kind != SessionKind::KWinWayland) {
        auto source = std::make_unique<WlrootsActiveAppSource>(*m_catalog, *m_wayland);
        if (source->isAvailable()) {
            activeBackend = QStringLiteral("the compositor's foreign-toplevel list");
            m_activeApps = std::move(source);
        } else {
            activeBackend = QStringLiteral("unavailable (the compositor offers no zwlr_foreign_toplevel_manager_v1)");
        }
    }
    if (!m_activeApps) {
        m_activeApps = std::make_unique<NoActiveAppSource>();
        if (activeBackend.isEmpty())
            activeBackend = QStringLiteral("unavailable (this compositor tells no program which window is in front)");
    }
    m_idleTime = IdleSourceChooser::choose(access.sessionBus, access.display, x11, m_wayland.get());
    m_lockSignals = std::make_unique<DBusLockSignalSource>(access.sessionBus, access.systemBus);
    if (x11) {
        auto clicks = std::make_unique<XInput2ClickSource>(access.display);
        clickBackend = clicks->isAvailable() ? QStringLiteral("XInput2") : QStringLiteral("unavailable");
        m_clicks = std::move(clicks);
    } else {
        m_clicks = std::make_unique<NoClickSource>();
        clickBackend = QStringLiteral("unavailable (a popover closes when it loses the focus)");
    }
    QString tray = QStringLiteral("a StatusNotifierItem host");
    if (access.shellExtension != nullptr)
        tray += QStringLiteral(", else the extension's top-bar dot");
    if (hasX11Windows())
        tray += QStringLiteral(", else an XEmbed tray");
    qCInfo(lcPlatform).noquote() << QStringLiteral(
                                        "%1 session; active application: %2; idle: %3; lock: D-Bus signals; clicks "
                                        "outside a popover: %4; tray: %5")
                                        .arg(describeSession(access.kind), activeBackend, idleBackend(*m_idleTime),
                                             clickBackend, tray);
}

LinuxActivitySources::~LinuxActivitySources() = default;

} // namespace brindlemoor
