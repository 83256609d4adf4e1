// SPDX-License-Identifier: MIT
#include "platform/linux/SessionKind.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace brindlemoor {

namespace {

bool ownsName(const QDBusConnection& bus, const QString& name)
{
    return bus.isConnected() && bus.interface()->isServiceRegistered(name).value();
}

bool desktopIs(const QString& currentDesktop, std::initializer_list<const char*> names)
{
    const QStringList desktops = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const char* name : names)
        if (desktops.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

SessionFacts SessionFacts::fromEnvironment(const QDBusConnection& sessionBus)
{
    SessionFacts facts;
    facts.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    facts.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    facts.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    facts.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    facts.swaySocket = !qEnvironmentVariableIsEmpty("SWAYSOCK");
    facts.gnomeShellOnBus = ownsName(sessionBus, QStringLiteral("org.gnome.Shell"));
    facts.kwinOnBus = ownsName(sessionBus, QStringLiteral("org.kde.KWin"));
    return facts;
}

SessionKind decideSession(const SessionFacts& facts)
{
    // XDG_SESSION_TYPE is inherited by terminals and nested sessions and may lie; a Wayland
    // socket to talk to is what makes a Wayland session.
    if (!facts.waylandDisplay)
        return SessionKind::X11;
    // The compositor's name on the bus is proof; the desktop variable only names what the session was started as.
    if (facts.gnomeShellOnBus)
        return SessionKind::GnomeWayland;
    if (facts.kwinOnBus)
        return SessionKind::KWinWayland;
    if (facts.swaySocket ||
        desktopIs(facts.currentDesktop, {"sway", "river", "wayfire", "labwc", "Hyprland", "dwl", "cage", "wlroots"}))
        return SessionKind::WlrootsWayland;
    if (desktopIs(facts.currentDesktop, {"GNOME"}))
        return SessionKind::GnomeWayland;
    if (desktopIs(facts.currentDesktop, {"KDE"}))
        return SessionKind::KWinWayland;
    return SessionKind::OtherWayland;
}

QString describeSession(SessionKind kind)
{
    switch (kind) {
    case SessionKind::X11:
        return QStringLiteral("X11");
    case SessionKind::GnomeWayland:
        return QStringLiteral("GNOME Shell on Wayland");
    case SessionKind::KWinWayland:
        return QStringLiteral("KDE Plasma (KWin) on Wayland");
    case SessionKind::WlrootsWayland:
        return QStringLiteral("a wlroots compositor on Wayland");
    case SessionKind::OtherWayland:
        return QStringLiteral("Wayland");
    }
    return {};
}

bool isWayland(SessionKind kind)
{
    return kind != SessionKind::X11;
}

QByteArray windowPlatformFor(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                             const QByteArray& x11Display)
{
    if (!qpaPlatform.isEmpty() || waylandDisplay.isEmpty() || x11Display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

} // namespace brindlemoor
