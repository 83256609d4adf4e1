// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
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

/// A private desktop for tests: Xvfb on a free display, openbox, optionally a tray host,
/// a private D-Bus session bus and temporary XDG folders. Everything it starts runs in
/// its own process group and is killed in the destructor, also when a test fails; a
/// crashed test takes its direct children with it (parent-death signal).
///
/// New windows do not take the focus by themselves (openbox's focusNew is off): a test
/// activates the window it wants, e.g. with xdotool("windowactivate", "--sync", id).
class DesktopSession final {
public:
    struct Options {
        bool display = true;       ///< Xvfb
        bool windowManager = true; ///< openbox, needs the display
        bool trayHost = false;     ///< trayer, needs the display
        bool bus = true;           ///< dbus-daemon with a session bus of its own
        /// The bus starts installed services on demand, as a desktop's does (a panel's applets).
        bool busStartsServices = false;
        QSize screenSize{1280, 800};
    };

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

    /// Starts a program in the session; it is stopped with the session. Null when it cannot start.
    QProcess* start(const QString& program, const QStringList& arguments);
    /// Starts a client and returns its window with this title once it is mapped (and managed,
    /// when a window manager runs); 0 when none shows up in time. `process`, if given, receives
    /// the client's process, for reading what it prints.
    quint32 startWindow(const QString& program, const QStringList& arguments, const QString& title,
                        QProcess** process = nullptr);
    quint32 startXterm(const QString& title, const QString& windowClass, const QString& instance);
    /// The first viewable window with this title, or 0.
    quint32 findWindow(const QString& title) const;
    /// The window the window manager reports as active (_NET_ACTIVE_WINDOW), or 0.
    quint32 activeWindow() const;
    /// Whether the window manager has taken the window on (it is in _NET_CLIENT_LIST). The
    /// window manager focuses a new window then: wait for this before driving the focus.
    bool isManaged(quint32 window) const;

    /// Runs xdotool against the session's display; true when it exits with 0.
    bool xdotool(const QStringList& arguments, QString* output = nullptr) const;
    /// Saves the whole screen as a PNG.
    bool screenshot(const QString& path) const;
    /// Sends a D-Bus signal on the private bus with dbus-send's argument syntax ("boolean:true").
    bool emitSignal(const QString& path, const QString& interface, const QString& member,
                    const QStringList& arguments = {}) const;

    /// Processes events until `condition` holds or `timeout` passes; for waiting on real servers.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    class XConnection;

    bool startXvfb(const QSize& screenSize);
    bool startWindowManager();
    bool startTrayHost();
    bool startBus();
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
