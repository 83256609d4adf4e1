// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QDBusConnection;

namespace brindlemoor {

/// The kinds of desktop session whose senses differ: each platform service picks its
/// backend by this, and only by this.
enum class SessionKind {
    X11,
    GnomeWayland,   ///< GNOME Shell (Mutter)
    KWinWayland,    ///< KDE Plasma
    WlrootsWayland, ///< sway and its kin
    OtherWayland,
};

/// What tells the sessions apart: the environment, and which compositor's name is on the session bus.
struct SessionFacts {
    // As in WindowProperties: GCC would warn of a designated initializer that leaves them out.
    QString sessionType{};    ///< XDG_SESSION_TYPE NOLINT(readability-redundant-member-init)
    QString currentDesktop{}; ///< XDG_CURRENT_DESKTOP, a colon-separated list NOLINT(readability-redundant-member-init)
    bool waylandDisplay = false;
    bool x11Display = false;
    bool swaySocket = false;      ///< SWAYSOCK: sway runs it
    bool gnomeShellOnBus = false; ///< org.gnome.Shell
    bool kwinOnBus = false;       ///< org.kde.KWin

    static SessionFacts fromEnvironment(const QDBusConnection& sessionBus);
};

SessionKind decideSession(const SessionFacts& facts);
/// "X11", "GNOME Shell on Wayland", ...
QString describeSession(SessionKind kind);
bool isWayland(SessionKind kind);

/// The Qt platform the program's windows use, decided before Qt starts. In a Wayland
/// session with XWayland they go through it: a native Wayland window can neither place
/// itself nor stay above others, and X11 gives the popovers, the floating cards and the
/// overlay what they need. Empty to leave Qt's own choice (the user's QT_QPA_PLATFORM
/// first, X11 sessions, and Wayland without XWayland).
QByteArray windowPlatformFor(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                             const QByteArray& x11Display);

} // namespace brindlemoor
