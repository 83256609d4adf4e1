// SPDX-License-Identifier: MIT
#include "support/Session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace brindlemoor::test {

namespace {

using namespace std::chrono_literals;

constexpr int toolTimeoutMs = 15000;

// The bus needs nothing from the system's configuration, and starts only the services a
// session names. Any user may connect: sway's side of a session runs unprivileged.
const char* const busConfiguration = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=%1</listen>
  %2
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

Session::Session()
    : m_environment(QProcessEnvironment::systemEnvironment())
{
    if (!m_root.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    for (const char* folder : {"data", "config", "cache", "runtime"})
        QDir(m_root.path()).mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
                             "DBUS_SYSTEM_BUS_ADDRESS", "QT_QPA_PLATFORM", "XDG_SESSION_ID", "XDG_CURRENT_DESKTOP"})
        m_environment.remove(QString::fromLatin1(name));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_root.filePath(QStringLiteral("cache")));
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("runtime")));
}

Session::~Session()
{
    stopAll();
}

QString Session::dataHome() const
{
    return m_root.filePath(QStringLiteral("data"));
}

QString Session::configHome() const
{
    return m_root.filePath(QStringLiteral("config"));
}

QProcess* Session::start(const QString& program, const QStringList& arguments)
{
    return start(program, arguments, m_environment);
}

QProcess* Session::start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setProgram(program);
    process->setArguments(arguments);
    // Runs in the child between fork and exec.
    process->setChildProcessModifier([] {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    process->start();
    if (!process->waitForStarted(toolTimeoutMs)) {
        fail(QStringLiteral("cannot start %1: %2").arg(program, process->errorString()));
        return nullptr;
    }
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

QProcess* Session::startTestWindow(const QString& app, const QString& title, const QColor& colour, bool fullScreen,
                                   const std::function<bool()>& listed)
{
    QStringList arguments{app, title, colour.name()};
    if (fullScreen)
        arguments.append(QStringLiteral("--fullscreen"));
    QProcess* window = start(QStringLiteral(BRINDLEMOOR_NATIVE_TEST_WINDOW), arguments);
    const auto shown = [&] { return said(window).contains(QStringLiteral("shown")) && (!listed || listed()); };
    if (window == nullptr || !waitForStart(window, QStringLiteral("the test window ") + title, shown, 20s))
        return nullptr;
    return window;
}

QStringList Session::said(QProcess* window)
{
    // Kept with the process: reading its output consumes it.
    const QByteArray output = window->property("said").toByteArray() + window->readAllStandardOutput();
    window->setProperty("said", output);
    return QString::fromLocal8Bit(output).split(u'\n', Qt::SkipEmptyParts);
}

bool Session::runTool(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                      QString* output)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(toolTimeoutMs) || !process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output != nullptr)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void Session::stop(QProcess* process)
{
    if (process == nullptr || process->state() == QProcess::NotRunning)
        return;
    const auto group = static_cast<pid_t>(process->processId());
    if (group <= 0)
        return;
    ::kill(-group, SIGTERM);
    if (!process->waitForFinished(5000)) {
        ::kill(-group, SIGKILL);
        process->waitForFinished(3000);
    }
}

bool Session::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                        std::chrono::milliseconds interval)
{
    const QDeadlineTimer deadline(timeout);
    while (true) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(static_cast<unsigned long>(interval.count()));
    }
}

QString Session::startBus(const QString& socket, const QString& services,
                          const std::function<QProcess*(const QStringList&)>& starter)
{
    const QString config = socket + QStringLiteral(".conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QString::fromLatin1(busConfiguration).arg(socket, services).toUtf8()) < 0) {
        fail(QStringLiteral("cannot write the bus configuration"));
        return {};
    }
    file.close();
    // The socket file appears at bind(), a moment before the bus listens; the printed address
    // comes once it does.
    const QStringList command{QStringLiteral("dbus-daemon"), QStringLiteral("--config-file=") + config,
                              QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                              QStringLiteral("--print-address=1")};
    QProcess* bus = starter ? starter(command) : start(command.constFirst(), command.mid(1));
    if (bus == nullptr || !waitForStart(
                              bus, QStringLiteral("dbus-daemon"), [&] { return !said(bus).isEmpty(); }, 15s))
        return {};
    return QStringLiteral("unix:path=") + socket;
}

bool Session::waitForStart(QProcess* process, const QString& what, const std::function<bool()>& started,
                           std::chrono::milliseconds timeout)
{
    if (waitUntil([&] { return started() || hasEnded(process); }, timeout) && !hasEnded(process))
        return true;
    return fail(QStringLiteral("%1 did not start: %2").arg(what, tail(process)));
}

bool Session::fail(const QString& error)
{
    if (m_error.isEmpty())
        m_error = error;
    return false;
}

bool Session::hasEnded(QProcess* process)
{
    return process->state() != QProcess::Running || process->waitForFinished(0);
}

QString Session::tail(QProcess* process)
{
    return QString::fromLocal8Bit(process->readAllStandardError().right(3000));
}

void Session::stopAll()
{
    for (auto index = m_processes.size(); index-- > 0;)
        stop(m_processes[index].get());
    m_processes.clear();
}

} // namespace brindlemoor::test
