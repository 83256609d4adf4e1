// SPDX-License-Identifier: MIT
#pragma once

#include "support/Session.h"

#include <QImage>

namespace brindlemoor::test {

/// A headless sway for tests, as DesktopSession is an X11 desktop: its bar with a tray, its
/// XWayland, a private session bus and, if asked, a private system bus with a mocked logind.
///
/// sway refuses to run as root, so sway, its bar and the session bus run as an unprivileged
/// user in a runtime folder of that user's; the test and what it starts stay root, which may
/// use that user's sockets, and are let into XWayland with xhost.
class SwaySession final : public Session {
public:
    struct Options {
        bool logind = false; ///< a private system bus with dbusmock's logind, session "auto"
    };

    explicit SwaySession(const Options& options);

    /// Whether sway can run here: it and its helpers are installed.
    static bool isInstalled();

    // environment(): WAYLAND_DISPLAY (a path), DISPLAY, SWAYSOCK, both buses, the session's type and desktop.

    /// Starts the native test window, titled by its app_id, until sway lists it.
    QProcess* startNativeWindow(const QString& appId, const QColor& colour);
    /// Runs swaymsg with these arguments; true when it exits with 0.
    bool swaymsg(const QStringList& arguments, QString* output = nullptr) const;
    /// Focuses the window with this app_id and waits until sway says it has the focus.
    bool focus(const QString& appId) const;
    /// The focused window's app_id (an X11 window's class); empty when none has the focus.
    QString focusedApp() const;
    /// A little pointer motion: input, as far as the compositor's idle time goes.
    bool nudge();
    /// Asks the mocked logind to lock or unlock the session (its Lock and Unlock signals).
    bool lockSession(bool locked) const;
    /// The whole output (grim); a null image when it cannot be taken.
    QImage grab() const;

private:
    QProcess* startAsUser(const QStringList& command, const QStringList& environment = {});
    bool startSway();
    bool startLogind();

    QString m_userRuntime;
    QString m_systemBusAddress;
    int m_nudges = 0;
};

} // namespace brindlemoor::test
