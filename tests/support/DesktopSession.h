// SPDX-License-Identifier: MIT
#pragma once

#include "support/Session.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>

#include <memory>

class QProcess;

namespace brindlemoor {
class XcbConnection;
}

namespace brindlemoor::test {

/// The window managers a session can run; each runs with its own defaults but for the
/// compositor switch (and openbox's focusNew, below).
enum class WindowManager { Openbox, Xfwm4, KWin, Mutter, Marco };

/// A private X11 desktop for tests: Xvfb on a free display, a window manager (openbox unless
/// asked otherwise), optionally a tray host, and a private D-Bus session bus.
///
/// Under openbox new windows do not take the focus by themselves (focusNew is off); the
/// other managers give it as their desktops do. Either way a test activates the window it
/// wants, e.g. with xdotool("windowactivate", "--sync", id), and waits for activeWindow().
class DesktopSession final : public Session {
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

    QByteArray display() const { return m_display; } ///< ":N"
    QString busAddress() const { return m_busAddress; }
    /// Puts the session's display, bus and XDG folders into this process's environment (for
    /// code that reads them directly).
    void exportToThisProcess() const;

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

private:
    bool startXvfb(const QSize& screenSize);
    bool startWindowManager(WindowManager manager, bool compositor);
    bool writeOpenboxConfiguration();
    bool startTrayHost();

    QByteArray m_display;
    QString m_busAddress;
    std::unique_ptr<XcbConnection> m_x;
};

} // namespace brindlemoor::test
