// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QProcess;

namespace brindlemoor::test {

/// The window managers a session can run; each runs with its own defaults but for the
/// compositor switch (and openbox's focusNew, below).
enum class WindowManager { Openbox, Xfwm4, KWin, Mutter, Marco };

/// A private desktop for tests: Xvfb on a free display, a window manager (openbox unless
/// asked otherwise), optionally a tray host, a private D-Bus session bus and temporary XDG
/// folders. Everything it starts runs in its own process group and is killed in the
/// destructor, also when a test fails; a crashed test takes its direct children with it
/// (parent-death signal).
///
/// Under openbox new windows do not take the focus by themselves (focusNew is off); the
/// other managers give it as their desktops do. Either way a test activates the window it
/// wants, e.g. with xdotool("windowactivate", "--sync", id), and waits for activeWindow().
class DesktopSession final {
public:
    struct Options {
        bool display = true;       ///< Xvfb
        bool windowManager = true; ///< the manager below, needs the display
        bool trayHost = false;     ///< trayer, needs the display
        bool bus = true; ///< dbus-daemon with a session bus of its own (KWin, Mutter and marco get one anyway)
        /// The bus starts installed services on demand, as a desktop's does (a panel's applets).
        bool busStartsServices = false;
        QSize screenSize{1280, 800};
        WindowManager manager = WindowManager::Openbox;
        /// Compositing on or off where the manager has both modes (xfwm4, KWin, marco);
        /// Mutter always composites and openbox never does.
        bool compositor = false;
    };

    /// The manager's program, e.g. "kwin_x11".
    static QString programName(WindowManager manager);
    /// Whether the manager's program is on this machine.
    static bool isInstalled(WindowManager manager);
    /// Whether the manager can run with its compositor both on and off.
    static bool hasCompositorSwitch(WindowManager manager);

    DesktopSession();
    explicit DesktopSession(const Options& options);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    /// False when something could not be started; error() says what.
    bool isReady() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    QByteArray display() const { return m_display; } ///< ":N"
    QString busAddress() const { return m_busAddress; }
    QString dataHome() const;   ///< the temporary XDG_DATA_HOME
    QString configHome() const; ///< the temporary XDG_CONFIG_HOME
    /// The environment for children: the display, the bus and the temporary XDG folders.
    QProcessEnvironment environment() const { return m_environment; }
    /// Puts the same variables into this process's environment (for code that reads them directly).
    void exportToThisProcess() const;
    /// Sets a variable for the programs started from now on (a compositor's display).
    void setEnvironmentVariable(const QString& name, const QString& value) { m_environment.insert(name, value); }

    /// Starts a program in the session; it is stopped with the session. Null when it cannot start.
    QProcess* start(const QString& program, const QStringList& arguments);
    /// Starts a program in a process group of its own, which a session stops as one, and which
    /// dies with the test should the test crash. Null, and `error` set, when it cannot start.
    static std::unique_ptr<QProcess> launch(const QString& program, const QStringList& arguments,
                                            const QProcessEnvironment& environment, QString* error);
    /// Runs a tool to its end; true when it exits with 0. `output`, if given, receives what it printed.
    static bool runTool(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                        QString* output = nullptr);
    /// Stops a program started here before the session ends, with all it started in turn (a
    /// panel's plugins): SIGTERM to its process group, SIGKILL if it lingers.
    static void stop(QProcess* process);
    /// Starts a client and returns its window with this title once it is mapped (and managed,
    /// when a window manager runs); 0 when none shows up in time. `process`, if given, receives
    /// the client's process, for reading what it prints.
    quint32 startWindow(const QString& program, const QStringList& arguments, const QString& title,
                        QProcess** process = nullptr);
    quint32 startXterm(const QString& title, const QString& windowClass, const QString& instance);
    /// The viewable windows whose _NET_WM_PID is `pid`, the client windows inside frames included.
    QList<quint32> viewableWindowsOf(qint64 pid) const;
    /// The first viewable window with this title, or 0.
    quint32 findWindow(const QString& title) const;
    /// The window the window manager reports as active (_NET_ACTIVE_WINDOW), or 0.
    quint32 activeWindow() const;
    /// Whether the window manager has taken the window on (it is in _NET_CLIENT_LIST). The
    /// window manager focuses a new window then: wait for this before driving the focus.
    bool isManaged(quint32 window) const;
    /// The desktop shown now (_NET_CURRENT_DESKTOP), or -1.
    qint64 currentDesktop() const;
    /// Whether a compositing manager owns the screen (_NET_WM_CM_S0).
    bool isCompositing() const;
    /// Asks the window manager to make the window full screen, as a client would, and waits
    /// until it says it is (_NET_WM_STATE_FULLSCREEN).
    bool setFullScreen(quint32 window);
    /// The names of the window's _NET_WM_STATE atoms, as its window manager keeps them.
    QStringList windowStates(quint32 window) const;
    /// The window's _NET_WM_DESKTOP, or -1 when unset; 0xFFFFFFFF means every desktop.
    qint64 desktopOf(quint32 window) const;
    /// Whether the window is mapped and every ancestor too (the window manager showed it).
    bool isViewable(quint32 window) const;
    /// The window's rectangle on the screen, in the X server's pixels; empty when unknown.
    QRect geometry(quint32 window) const;
    /// Whether `upper` is stacked above `lower` on the screen: their top-level ancestors
    /// (the frames, where the window manager adds them) in the X server's stacking order.
    bool isStackedAbove(quint32 upper, quint32 lower) const;

    /// Runs xdotool against the session's display; true when it exits with 0.
    bool xdotool(const QStringList& arguments, QString* output = nullptr) const;
    /// The whole screen as it is now; a null image when it cannot be read.
    QImage grab() const;
    /// Sends a D-Bus signal on the private bus with dbus-send's argument syntax ("boolean:true").
    bool emitSignal(const QString& path, const QString& interface, const QString& member,
                    const QStringList& arguments = {}) const;

    /// Processes events until `condition` holds or `timeout` passes; for waiting on real servers.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    class XConnection;

    bool startXvfb(const QSize& screenSize);
    bool startWindowManager(WindowManager manager, bool compositor);
    bool writeOpenboxConfiguration();
    bool startTrayHost();
    bool startBus();
    QProcess* start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment);
    bool run(const QString& program, const QStringList& arguments, QString* output) const;
    void stopAll();

    QTemporaryDir m_root;
    QByteArray m_display;
    QString m_busAddress;
    QString m_error;
    bool m_busStartsServices = false;
    QProcessEnvironment m_environment;
    std::unique_ptr<XConnection> m_x;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace brindlemoor::test
