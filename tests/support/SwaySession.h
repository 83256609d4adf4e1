// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class QProcess;

namespace brindlemoor::test {

/// A headless sway for tests, as DesktopSession is an X11 desktop: its bar with a tray, its
/// XWayland, a private session bus and, if asked, a private system bus with a mocked logind.
///
/// sway refuses to run as root, so sway, its bar and the session bus run as an unprivileged
/// user in a runtime folder of that user's; the test and what it starts stay root, which may
/// use that user's sockets, and are let into XWayland with xhost. Everything started here
/// runs in its own process group and is stopped with the session.
class SwaySession final {
public:
    struct Options {
        bool logind = false; ///< a private system bus with dbusmock's logind, session "auto"
    };

    explicit SwaySession(const Options& options);
    ~SwaySession();
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    /// Whether sway can run here: it and its helpers are installed.
    static bool isInstalled();

    bool isReady() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString dataHome() const;
    QString configHome() const;
    /// For children: WAYLAND_DISPLAY (a path), DISPLAY, SWAYSOCK, both buses, a runtime folder
    /// of root's, the session's type and desktop, and the temporary XDG folders.
    QProcessEnvironment environment() const { return m_environment; }

    /// Starts a program in the session; null when it cannot start.
    QProcess* start(const QString& program, const QStringList& arguments);
    /// Starts a native Wayland window of one colour with this app_id and waits until sway lists it.
    QProcess* startNativeWindow(const QString& appId, const QString& colour);
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
    QProcess* start(const QStringList& command, const QProcessEnvironment& environment);
    QProcess* startAsUser(const QStringList& command, const QStringList& environment);
    bool startBus(const QString& name, bool asUser, QString* address);
    bool startSway();
    bool startLogind();
    bool run(const QString& program, const QStringList& arguments, QString* output) const;
    void stopAll();

    QTemporaryDir m_root;
    QString m_error;
    QString m_userRuntime;
    QString m_systemBusAddress;
    QProcessEnvironment m_environment;
    int m_nudges = 0;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace brindlemoor::test
