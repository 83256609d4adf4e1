// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QColor>
#include <QDBusConnection>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class QProcess;

namespace brindlemoor::test {

/// A private headless Wayland desktop for tests, as DesktopSession is for X11: a runtime
/// folder of its own, a private session bus, temporary XDG folders, and the compositor.
/// Everything it starts runs in its own process group and is killed with the session.
///
/// GNOME Shell runs with XWayland (environment() carries its DISPLAY), a mocked logind and
/// GDM on a private system bus (the shell needs the one, its lock screen the other), and the
/// extensions given installed and enabled. The helpers for input, screenshots, locking and
/// the windows' focus use GNOME's own D-Bus interfaces; under weston only start() and
/// startTestWindow() are of use.
class WaylandSession final {
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
        quint64 id = 0;
        QString title;
        QString wmClass; ///< a native window's app_id
        QString appId;   ///< the shell's application, "window:N" where it knows none
        bool focused = false;
        bool x11 = false;
    };

    explicit WaylandSession(const Options& options);
    ~WaylandSession();
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    /// Whether the desktop can run here: its programs are installed.
    static bool isInstalled(Desktop desktop);

    bool isReady() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString dataHome() const;
    QString configHome() const;
    /// For children: WAYLAND_DISPLAY, DISPLAY and XAUTHORITY (GNOME), the runtime folder, both
    /// buses, the session's type and desktop, and the temporary XDG folders.
    QProcessEnvironment environment() const { return m_environment; }

    /// Starts a program in the session; it is stopped with the session. Null when it cannot start.
    QProcess* start(const QString& program, const QStringList& arguments);
    QProcess* start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment);
    /// Starts the native test window: solid `colour`, app_id `app`. It returns once the window
    /// has drawn itself, and under GNOME the shell lists it.
    QProcess* startTestWindow(const QString& app, const QString& title, const QColor& colour, bool fullScreen = false);
    /// The lines the test window `process` has printed so far: "shown", "active", "inactive".
    static QStringList said(QProcess* process);

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

private:
    bool startGnomeShell(const Options& options);
    bool startWeston(const Options& options);
    QProcess* startBus(const QString& name, const QString& serviceFolder, QString* address);
    bool startMock(const QStringList& arguments, const QString& name);
    bool findXwayland(qint64 shellPid);
    bool hideOverview();
    bool writeKeyfile(const QStringList& extensions);
    bool remoteDesktop();
    bool run(const QString& program, const QStringList& arguments, QString* output) const;
    void stopAll();

    QTemporaryDir m_root;
    Desktop m_desktop = Desktop::GnomeShell;
    QSize m_screenSize;
    QString m_error;
    QProcessEnvironment m_environment;
    QDBusConnection m_bus{QString()};       ///< the harness's own connection to the session bus
    QDBusConnection m_systemBus{QString()}; ///< and to the private system bus
    QString m_remoteDesktopSession;         ///< lives as long as m_bus
    QHash<QString, QColor> m_colours;       ///< the test windows' colours by title
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace brindlemoor::test
