// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QProcess;

namespace brindlemoor::test {

/// What every private desktop of the tests shares: a temporary root with XDG folders and a
/// private runtime folder, the environment for its children (none of the test's own display
/// or buses), and the processes it started. Each runs in a process group of its own, dies with
/// a crashed test (parent-death signal), and is stopped with the session, the last started first.
class Session {
public:
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// False when something could not be started; error() says what.
    bool isReady() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString dataHome() const;   ///< the temporary XDG_DATA_HOME
    QString configHome() const; ///< the temporary XDG_CONFIG_HOME
    QProcessEnvironment environment() const { return m_environment; }
    /// Sets a variable for the programs started from now on (a compositor's display).
    void setEnvironmentVariable(const QString& name, const QString& value) { m_environment.insert(name, value); }

    /// Starts a program in the session; it is stopped with the session. Null, and error() set,
    /// when it cannot start.
    QProcess* start(const QString& program, const QStringList& arguments);
    QProcess* start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment);
    /// Starts the native Wayland test window: solid `colour`, `app` its app_id. It returns once
    /// the window has drawn itself and `listed` holds (the compositor knows it); null otherwise.
    QProcess* startTestWindow(const QString& app, const QString& title, const QColor& colour, bool fullScreen = false,
                              const std::function<bool()>& listed = {});
    /// The lines the test window has printed so far: "shown", "active", "inactive".
    static QStringList said(QProcess* window);
    /// Runs a tool to its end; true when it exits with 0. `output`, if given, receives what it printed.
    static bool runTool(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                        QString* output = nullptr);
    bool run(const QString& program, const QStringList& arguments, QString* output = nullptr) const
    {
        return runTool(program, arguments, m_environment, output);
    }
    /// Stops a program started here before the session ends, with all it started in turn (a
    /// panel's plugins): SIGTERM to its process group, SIGKILL if it lingers.
    static void stop(QProcess* process);
    /// Processes events until `condition` holds or `timeout` passes; for waiting on real servers.
    /// Works before the test has made its QApplication too.
    static bool waitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10),
                          std::chrono::milliseconds interval = std::chrono::milliseconds(5));

protected:
    Session();
    ~Session();

    /// Starts a dbus-daemon listening on `socket` that any user may use, with `services` in its
    /// configuration (service folders); its address, or empty with error() set. `starter` starts
    /// the command where the bus must run as someone else.
    QString startBus(const QString& socket, const QString& services = {},
                     const std::function<QProcess*(const QStringList&)>& starter = {});
    /// Waits until `started` holds for `process`; otherwise sets error() to what it printed last.
    bool waitForStart(QProcess* process, const QString& what, const std::function<bool()>& started,
                      std::chrono::milliseconds timeout);
    /// Sets error() and returns false.
    bool fail(const QString& error);
    /// Whether the child has ended; notices it without an event loop too.
    static bool hasEnded(QProcess* process);
    /// The end of what the child printed on its standard error.
    static QString tail(QProcess* process);
    /// Stops everything started here, the last first.
    void stopAll();

    QTemporaryDir m_root;
    QString m_error;
    QProcessEnvironment m_environment;

private:
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace brindlemoor::test
