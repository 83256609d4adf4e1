// SPDX-License-Identifier: MIT
#pragma once

#include "support/Session.h"

#include <QColor>
#include <QDBusConnection>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace brindlemoor::test {

/// A private headless Wayland desktop for tests, as DesktopSession is for X11: a private
/// session bus and the compositor.
///
/// GNOME Shell runs with XWayland (environment() carries its DISPLAY), a mocked logind and
/// GDM on a private system bus (the shell needs the one, its lock screen the other), and the
/// extensions given installed and enabled. The helpers for input, screenshots, locking and
/// the windows' focus use GNOME's own D-Bus interfaces; under weston only start() and
/// startTestWindow() are of use.
class WaylandSession final : public Session {
public:
    enum class Desktop { GnomeShell, Weston };

    struct Options {
        Desktop desktop = Desktop::GnomeShell;
        QSize screenSize{1280, 800};
        /// Extension folders, each named by its UUID, installed and enabled before the shell starts.
        QStringList extensions;
        /// Desktop entries for the test window under these ids (its app_id), written before the
        /// desktop starts so that the shell knows the applications from their first window.
        QStringList testWindowApps;
    };

    /// A window as GNOME Shell lists it (org.gnome.Shell.Introspect).
    struct Window {
        QString title;
        bool focused = false;
    };

    explicit WaylandSession(const Options& options);
    ~WaylandSession();

    /// Whether the desktop can run here: its programs are installed.
    static bool isInstalled(Desktop desktop);

    // environment(): WAYLAND_DISPLAY, DISPLAY and XAUTHORITY (GNOME), both buses, the session's type and desktop.

    /// Starts the native test window, under GNOME until the shell lists it.
    QProcess* startTestWindow(const QString& app, const QString& title, const QColor& colour, bool fullScreen = false);

    // GNOME Shell only, from here on.

    /// The whole screen through org.gnome.Shell.Screenshot; null when it fails.
    QImage screenshot() const;
    /// The windows of applications, with the focus as the shell sees it.
    QList<Window> windows() const;
    /// The title of the window that has the keyboard, empty when none has.
    QString focusedTitle() const;
    /// Clicks the test window with this title where its colour shows, and waits until it has the focus.
    bool focus(const QString& title);
    /// Presses and releases `button` (1 primary, 2 middle, 3 secondary) at a global position.
    bool click(QPoint at, int button = 1);
    /// A little pointer motion: input, as far as the idle time goes.
    bool nudge();
    /// Milliseconds since the last input (org.gnome.Mutter.IdleMonitor), -1 when unknown.
    qint64 idleTime() const;
    /// Locks the screen as the user would (org.gnome.ScreenSaver Lock); true once it is locked.
    bool lock();
    /// Ends the lock (org.gnome.ScreenSaver SetActive false); true once it is over.
    bool unlock();
    bool isLocked() const;
    /// Runs xdotool against XWayland; true when it exits with 0.
    bool xdotool(const QStringList& arguments, QString* output = nullptr) const;
    /// Where the shown XWayland window whose name matches `namePattern` stands; invalid when none shows.
    QRect windowGeometry(const QString& namePattern) const;

private:
    bool startGnomeShell(const Options& options);
    bool startWeston(const Options& options);
    bool startMock(const QStringList& arguments, const QString& name);
    bool findXwayland(qint64 shellPid);
    bool hideOverview();
    bool writeKeyfile(const QStringList& extensions);
    bool remoteDesktop();
    void disconnect();

    Desktop m_desktop = Desktop::GnomeShell;
    QSize m_screenSize;
    QDBusConnection m_bus{QString()};       ///< the harness's own connection to the session bus
    QDBusConnection m_systemBus{QString()}; ///< and to the private system bus
    QString m_remoteDesktopSession;         ///< lives as long as m_bus
    QHash<QString, QColor> m_colours;       ///< the test windows' colours by title
};

} // namespace brindlemoor::test
