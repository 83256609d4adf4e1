// SPDX-License-Identifier: MIT
#include "support/WaylandSession.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindlemoor::test {

namespace {

using namespace std::chrono_literals;

constexpr auto startTimeout = 30s;
constexpr int callTimeoutMs = 25000;
const QString socketName = QStringLiteral("wayland-brindlemoor");
const QString shellService = QStringLiteral("org.gnome.Shell");

/// Waits as Session::waitUntil does, for conditions that cost a process or a round trip.
bool poll(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
          std::chrono::milliseconds interval = 100ms)
{
    return Session::waitUntil(condition, timeout, interval);
}

QDBusMessage call(const QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, callTimeoutMs);
}

bool succeeded(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage;
}

struct Child {
    qint64 pid = 0;
    QByteArray name;
    QList<QByteArray> arguments;
};

/// The processes whose parent is `parent`, from /proc.
QList<Child> childrenOf(qint64 parent)
{
    QList<Child> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces; the last parenthesis ends it.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('(');
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (open < 0 || close < open || fields.size() < 2 || fields.at(1).toLongLong() != parent)
            continue;
        QFile cmdline(QStringLiteral("/proc/") + entry + QStringLiteral("/cmdline"));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        children.append({entry.toLongLong(), line.mid(open + 1, close - open - 1), cmdline.readAll().split('\0')});
    }
    return children;
}

QString connectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("brindlemoor-wayland-session-%1").arg(count++);
}

} // namespace

WaylandSession::WaylandSession(const Options& options)
    : m_desktop(options.desktop)
    , m_screenSize(options.screenSize)
{
    m_environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    QDir().mkpath(dataHome() + QStringLiteral("/applications"));
    for (const QString& app : options.testWindowApps) {
        QFile entry(dataHome() + QStringLiteral("/applications/") + app + QStringLiteral(".desktop"));
        if (!entry.open(QIODevice::WriteOnly) ||
            entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %1 %1 red\n")
                            .arg(app, QStringLiteral(BRINDLEMOOR_NATIVE_TEST_WINDOW))
                            .toUtf8()) < 0)
            fail(QStringLiteral("cannot write the desktop entry of %1").arg(app));
    }
    const bool ok =
        isReady() && (options.desktop == Desktop::GnomeShell ? startGnomeShell(options) : startWeston(options));
    if (!ok) {
        disconnect();
        stopAll();
    }
}

WaylandSession::~WaylandSession()
{
    disconnect();
    stopAll();
}

bool WaylandSession::isInstalled(Desktop desktop)
{
    const QStringList programs = desktop == Desktop::GnomeShell
                                     ? QStringList{QStringLiteral("gnome-shell"), QStringLiteral("Xwayland"),
                                                   QStringLiteral("gjs"), QStringLiteral("dbus-daemon")}
                                     : QStringList{QStringLiteral("weston"), QStringLiteral("dbus-daemon")};
    return std::all_of(programs.begin(), programs.end(),
                       [](const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }) &&
           (desktop == Desktop::Weston || QFileInfo::exists(QStringLiteral("/usr/lib/python3/dist-packages/dbusmock")));
}

bool WaylandSession::startWeston(const Options& options)
{
    const QString busAddress = startBus(m_root.filePath(QStringLiteral("bus")));
    if (busAddress.isEmpty())
        return false;
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    QProcess* weston = start(QStringLiteral("weston"),
                             {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                              QStringLiteral("--width=%1").arg(options.screenSize.width()),
                              QStringLiteral("--height=%1").arg(options.screenSize.height()),
                              QStringLiteral("--socket=") + socketName, QStringLiteral("--idle-time=0")});
    if (weston == nullptr)
        return false;
    const QString socket = m_root.filePath(QStringLiteral("runtime/") + socketName);
    if (!waitForStart(
            weston, QStringLiteral("weston"), [&] { return QFileInfo::exists(socket); }, startTimeout))
        return false;
    m_environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socketName);
    return true;
}

bool WaylandSession::startMock(const QStringList& arguments, const QString& name)
{
    // The system's own interpreter: python3-dbusmock is a Debian package, and a python3 earlier
    // on the PATH (pyenv, a virtual environment) may not see it.
    QProcess* mock =
        start(QStringLiteral("/usr/bin/python3"),
              QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system")} + arguments);
    if (mock == nullptr)
        return false;
    return waitForStart(
        mock, QStringLiteral("the mock of ") + name,
        [&] { return m_systemBus.interface()->isServiceRegistered(name).value(); }, startTimeout);
}

bool WaylandSession::writeKeyfile(const QStringList& extensions)
{
    QStringList quoted;
    for (const QString& extension : extensions)
        quoted.append(u'\'' + QFileInfo(extension).fileName() + u'\'');
    // GSETTINGS_BACKEND=keyfile reads this file instead of the machine's dconf database.
    // Hot corners off: the pointer is moved relatively, from the bottom-right corner, and the
    // top-left corner's barrier would stop it. No banners: the shell warns a root session in
    // one across the top. No idle blanking: the screen locks only when a test locks it.
    const QString keyfile = QStringLiteral("[org/gnome/shell]\n"
                                           "enabled-extensions=[%1]\n"
                                           "welcome-dialog-last-shown-version='999'\n"
                                           "[org/gnome/desktop/interface]\n"
                                           "enable-hot-corners=false\n"
                                           "enable-animations=false\n"
                                           "[org/gnome/desktop/notifications]\n"
                                           "show-banners=false\n"
                                           "[org/gnome/desktop/session]\n"
                                           "idle-delay=uint32 0\n"
                                           "[org/gnome/desktop/screensaver]\n"
                                           "idle-activation-enabled=false\n")
                                .arg(quoted.join(QStringLiteral(", ")));
    QDir(configHome()).mkpath(QStringLiteral("glib-2.0/settings"));
    QFile file(configHome() + QStringLiteral("/glib-2.0/settings/keyfile"));
    if (!file.open(QIODevice::WriteOnly) || file.write(keyfile.toUtf8()) < 0) {
        return fail(QStringLiteral("cannot write the settings"));
    }
    for (const QString& extension : extensions) {
        const QString target =
            dataHome() + QStringLiteral("/gnome-shell/extensions/") + QFileInfo(extension).fileName();
        QDir().mkpath(target);
        const QStringList files = QDir(extension).entryList(QDir::Files);
        if (files.isEmpty()) {
            return fail(QStringLiteral("no extension in %1").arg(extension));
        }
        for (const QString& name : files)
            QFile::copy(extension + u'/' + name, target + u'/' + name);
    }
    return true;
}

bool WaylandSession::startGnomeShell(const Options& options)
{
    // Mutter refuses a socket folder that all cannot write to, and makes a missing one with
    // its umask, which it then refuses: give it the mode a booted desktop gives it.
    const char* const x11Sockets = "/tmp/.X11-unix";
    ::mkdir(x11Sockets, 01777);
    struct stat x11Folder = {};
    if (::stat(x11Sockets, &x11Folder) != 0 ||
        ((x11Folder.st_mode & 07777) != 01777 && ::chmod(x11Sockets, 01777) != 0)) {
        return fail(QStringLiteral("/tmp/.X11-unix is not writable for all, which XWayland needs"));
    }

    // The shell needs logind on the system bus (there is /run/systemd/seats) with a session
    // for its user; its lock screen, and so org.gnome.ScreenSaver, needs GDM to answer there.
    const QString systemAddress = startBus(m_root.filePath(QStringLiteral("system-bus")));
    if (systemAddress.isEmpty())
        return false;
    m_environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), systemAddress);
    const QString systemName = connectionName();
    m_systemBus = QDBusConnection::connectToBus(systemAddress, systemName);
    if (!m_systemBus.isConnected()) {
        return fail(QStringLiteral("cannot connect to the private system bus"));
    }
    const QString user = QString::fromLocal8Bit(getpwuid(getuid())->pw_name);
    if (!startMock({QStringLiteral("--template"), QStringLiteral("logind")},
                   QStringLiteral("org.freedesktop.login1")) ||
        !startMock({QStringLiteral("org.gnome.DisplayManager"), QStringLiteral("/org/gnome/DisplayManager/Manager"),
                    QStringLiteral("org.gnome.DisplayManager.Manager")},
                   QStringLiteral("org.gnome.DisplayManager")))
        return false;
    const QString mock = QStringLiteral("org.freedesktop.DBus.Mock");
    if (!succeeded(call(m_systemBus, QStringLiteral("org.freedesktop.login1"),
                        QStringLiteral("/org/freedesktop/login1"), mock, QStringLiteral("AddSession"),
                        {QStringLiteral("c1"), QStringLiteral("seat0"), static_cast<uint>(getuid()), user, true})) ||
        !succeeded(call(m_systemBus, QStringLiteral("org.gnome.DisplayManager"),
                        QStringLiteral("/org/gnome/DisplayManager/Manager"), mock, QStringLiteral("AddProperty"),
                        {QStringLiteral("org.gnome.DisplayManager.Manager"), QStringLiteral("Version"),
                         QVariant::fromValue(QDBusVariant(QStringLiteral("43.0")))}))) {
        return fail(QStringLiteral("the logind and GDM mocks do not answer"));
    }
    m_environment.insert(QStringLiteral("XDG_SESSION_ID"), QStringLiteral("c1"));

    // The session bus starts the lock screen's org.gnome.ScreenSaver front, as a desktop's
    // bus does, and nothing else.
    const QString services = m_root.filePath(QStringLiteral("services"));
    QDir().mkpath(services);
    QFile::copy(QStringLiteral("/usr/share/dbus-1/services/org.gnome.ScreenSaver.service"),
                services + QStringLiteral("/org.gnome.ScreenSaver.service"));
    const QString sessionAddress =
        startBus(m_root.filePath(QStringLiteral("bus")), QStringLiteral("<servicedir>%1</servicedir>").arg(services));
    if (sessionAddress.isEmpty())
        return false;
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionAddress);
    m_bus = QDBusConnection::connectToBus(sessionAddress, connectionName());
    // org.gnome.Shell.Screenshot answers only the owner of the first name, Introspect the owner
    // of a portal's: GNOME's own callers. The harness stands in for them on its private bus.
    if (!m_bus.isConnected())
        return fail(QStringLiteral("cannot connect to the private session bus: ") + m_bus.lastError().message());
    if (!m_bus.registerService(QStringLiteral("org.gnome.Screenshot")) ||
        !m_bus.registerService(QStringLiteral("org.freedesktop.impl.portal.desktop.gnome"))) {
        return fail(QStringLiteral("cannot own GNOME's caller names on the private session bus: ") +
                    m_bus.lastError().message());
    }

    if (!writeKeyfile(options.extensions))
        return false;
    QProcessEnvironment environment = m_environment;
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    // With XWayland (no --no-x11): the program's own windows go through it.
    QProcess* shell =
        start(QStringLiteral("gnome-shell"),
              {QStringLiteral("--wayland"), QStringLiteral("--headless"), QStringLiteral("--virtual-monitor"),
               QStringLiteral("%1x%2").arg(options.screenSize.width()).arg(options.screenSize.height()),
               QStringLiteral("--wayland-display"), socketName},
              environment);
    if (shell == nullptr)
        return false;
    m_environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    m_environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    m_environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socketName);

    const QString socket = m_root.filePath(QStringLiteral("runtime/") + socketName);
    if (!waitForStart(
            shell, QStringLiteral("gnome-shell"),
            [&] { return QFileInfo::exists(socket) && m_bus.interface()->isServiceRegistered(shellService).value(); },
            startTimeout))
        return false;
    if (!findXwayland(shell->processId())) {
        m_error += QStringLiteral(": ") + tail(shell);
        return false;
    }
    return hideOverview();
}

bool WaylandSession::findXwayland(qint64 shellPid)
{
    // The shell may hang in its first second: it spawns ibus-daemon through GLib.spawn_async
    // with JavaScript to run in the forked child, which deadlocks now and then on a lock another
    // thread held at the fork (GNOME Shell 43). Such a child never gets to exec and keeps the
    // shell's name; killed, it lets the spawn fail as if ibus-daemon were missing, as it is.
    QHash<qint64, QDeadlineTimer> forks;
    const auto releaseStuckSpawn = [&](const QList<Child>& children) {
        for (const Child& child : children) {
            if (child.name != QByteArrayLiteral("gnome-shell"))
                continue;
            if (!forks.contains(child.pid))
                forks.insert(child.pid, QDeadlineTimer(2s));
            else if (forks.value(child.pid).hasExpired())
                ::kill(static_cast<pid_t>(child.pid), SIGKILL);
        }
    };
    // Mutter 43 starts XWayland with the shell and tells the display only to gnome-session
    // (Setenv), which does not run here; its child's command line names it and its cookie.
    const auto find = [&] {
        const QList<Child> children = childrenOf(shellPid);
        releaseStuckSpawn(children);
        for (const Child& child : children) {
            if (child.name != QByteArrayLiteral("Xwayland"))
                continue;
            for (qsizetype i = 0; i < child.arguments.size(); ++i) {
                if (child.arguments.at(i).startsWith(':'))
                    m_environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(child.arguments.at(i)));
                if (child.arguments.at(i) == "-auth" && i + 1 < child.arguments.size())
                    m_environment.insert(QStringLiteral("XAUTHORITY"),
                                         QString::fromLocal8Bit(child.arguments.at(i + 1)));
            }
        }
        return m_environment.contains(QStringLiteral("DISPLAY"));
    };
    // Mutter is XWayland's window manager: the display answers once both are ready.
    const auto answers = [&] {
        releaseStuckSpawn(childrenOf(shellPid));
        QProcess xprop;
        xprop.setProcessEnvironment(m_environment);
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        if (!xprop.waitForFinished(1000)) {
            xprop.kill();
            xprop.waitForFinished();
            return false;
        }
        return xprop.exitStatus() == QProcess::NormalExit && xprop.exitCode() == 0;
    };
    if (!poll(find, startTimeout)) {
        return fail(QStringLiteral("no XWayland started by gnome-shell"));
    }
    if (!poll(answers, startTimeout, 200ms)) {
        return fail(
            QStringLiteral("XWayland does not answer on %1").arg(m_environment.value(QStringLiteral("DISPLAY"))));
    }
    return true;
}

bool WaylandSession::hideOverview()
{
    // GNOME 43 starts in the overview, where a new window gets no focus. The shell's own
    // OverviewActive property hides it, as its D-Bus interface offers; the startup shows the
    // overview first, so wait for it before hiding it, lest the startup show it again.
    const auto overviewActive = [&] {
        const QDBusMessage reply = call(m_bus, shellService, QStringLiteral("/org/gnome/Shell"),
                                        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                        {shellService, QStringLiteral("OverviewActive")});
        return succeeded(reply) && reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
    };
    poll(overviewActive, 10s);
    call(m_bus, shellService, QStringLiteral("/org/gnome/Shell"), QStringLiteral("org.freedesktop.DBus.Properties"),
         QStringLiteral("Set"),
         {shellService, QStringLiteral("OverviewActive"), QVariant::fromValue(QDBusVariant(false))});
    if (!poll([&] { return !overviewActive(); }, 10s)) {
        return fail(QStringLiteral("the overview does not close"));
    }
    return true;
}

QProcess* WaylandSession::startTestWindow(const QString& app, const QString& title, const QColor& colour,
                                          bool fullScreen)
{
    m_colours.insert(title, colour);
    return Session::startTestWindow(app, title, colour, fullScreen, [&] {
        const QList<Window> all = windows();
        return m_desktop != Desktop::GnomeShell ||
               std::any_of(all.begin(), all.end(), [&](const Window& w) { return w.title == title; });
    });
}

QImage WaylandSession::screenshot() const
{
    static std::atomic<int> count{0};
    const QString file = m_root.filePath(QStringLiteral("shot-%1.png").arg(count++));
    const QDBusMessage reply =
        call(m_bus, QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("/org/gnome/Shell/Screenshot"),
             QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("Screenshot"), {false, false, file});
    if (!succeeded(reply) || !reply.arguments().value(0).toBool())
        return {};
    QImage image(file);
    QFile::remove(file);
    return image;
}

QList<WaylandSession::Window> WaylandSession::windows() const
{
    QList<Window> windows;
    const QDBusMessage reply =
        call(m_bus, QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("/org/gnome/Shell/Introspect"),
             QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("GetWindows"));
    if (!succeeded(reply) || reply.arguments().isEmpty())
        return windows;
    const auto map = reply.arguments().constFirst().value<QDBusArgument>();
    map.beginMap();
    while (!map.atEnd()) {
        quint64 id = 0;
        QVariantMap properties;
        map.beginMapEntry();
        map >> id >> properties;
        map.endMapEntry();
        const Window window{properties.value(QStringLiteral("title")).toString(),
                            properties.value(QStringLiteral("has-focus")).toBool()};
        windows.append(window);
    }
    map.endMap();
    return windows;
}

QString WaylandSession::focusedTitle() const
{
    for (const Window& window : windows()) {
        if (window.focused)
            return window.title;
    }
    return {};
}

bool WaylandSession::focus(const QString& title)
{
    if (!m_colours.contains(title))
        return false;
    // The shell tells no window's place; its colour on the screen does, once the shell has
    // drawn the window's first frame, which comes a moment after the client drew it. The click
    // goes to the middle of the largest square of it: within a few pixels of a window above
    // it, the click would grab that window's invisible resize border instead (Mutter 48).
    const QRgb colour = m_colours.value(title).rgb();
    QPoint target;
    const bool shown = poll(
        [&] {
            const QImage screen = screenshot().convertToFormat(QImage::Format_RGB32);
            // side[x]: the side of the largest square of the colour whose bottom-right corner is (x, y).
            QList<int> above(screen.width() + 1, 0);
            QList<int> side(screen.width() + 1, 0);
            int largest = 0;
            for (int y = 0; y < screen.height(); ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
                for (int x = 0; x < screen.width(); ++x) {
                    side[x + 1] = line[x] != colour ? 0 : 1 + std::min({side[x], above[x], above[x + 1]});
                    if (side[x + 1] > largest) {
                        largest = side[x + 1];
                        target = QPoint(x - largest / 2, y - largest / 2);
                    }
                }
                std::swap(above, side);
            }
            return largest > 0;
        },
        10s);
    return shown && click(target) && poll([&] { return focusedTitle() == title; }, 10s);
}

bool WaylandSession::remoteDesktop()
{
    if (!m_remoteDesktopSession.isEmpty())
        return true;
    // Mutter's remote desktop takes input without a screencast (and so without PipeWire) as
    // long as the pointer moves relatively; the session lasts as long as this connection.
    const QDBusMessage created =
        call(m_bus, QStringLiteral("org.gnome.Mutter.RemoteDesktop"), QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
             QStringLiteral("org.gnome.Mutter.RemoteDesktop"), QStringLiteral("CreateSession"));
    if (!succeeded(created))
        return false;
    const QString path = created.arguments().value(0).value<QDBusObjectPath>().path();
    if (!succeeded(call(m_bus, QStringLiteral("org.gnome.Mutter.RemoteDesktop"), path,
                        QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"), QStringLiteral("Start"))))
        return false;
    m_remoteDesktopSession = path;
    return true;
}

bool WaylandSession::click(QPoint at, int button)
{
    if (!remoteDesktop())
        return false;
    const auto send = [&](const QString& method, const QVariantList& arguments) {
        return succeeded(call(m_bus, QStringLiteral("org.gnome.Mutter.RemoteDesktop"), m_remoteDesktopSession,
                              QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"), method, arguments));
    };
    // Absolute motion needs a screencast stream: into the bottom-right corner, where the
    // pointer stops, then on by the difference.
    const QSize size = m_screenSize;
    const int code = button == 2 ? 0x112 : button == 3 ? 0x111 : 0x110; // BTN_MIDDLE, BTN_RIGHT, BTN_LEFT
    return send(QStringLiteral("NotifyPointerMotionRelative"), {10.0 * size.width(), 10.0 * size.height()}) &&
           send(QStringLiteral("NotifyPointerMotionRelative"),
                {double(at.x() - (size.width() - 1)), double(at.y() - (size.height() - 1))}) &&
           send(QStringLiteral("NotifyPointerButton"), {code, true}) &&
           send(QStringLiteral("NotifyPointerButton"), {code, false});
}

bool WaylandSession::nudge()
{
    if (!remoteDesktop())
        return false;
    for (const double dx : {1.0, -1.0}) {
        if (!succeeded(call(m_bus, QStringLiteral("org.gnome.Mutter.RemoteDesktop"), m_remoteDesktopSession,
                            QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"),
                            QStringLiteral("NotifyPointerMotionRelative"), {dx, 0.0})))
            return false;
    }
    return true;
}

qint64 WaylandSession::idleTime() const
{
    const QDBusMessage reply = call(m_bus, QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                                    QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                                    QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
    return succeeded(reply) ? static_cast<qint64>(reply.arguments().value(0).toULongLong()) : -1;
}

bool WaylandSession::lock()
{
    return succeeded(call(m_bus, QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                          QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("Lock"))) &&
           poll([&] { return isLocked(); }, 10s);
}

bool WaylandSession::unlock()
{
    return succeeded(call(m_bus, QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                          QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("SetActive"), {false})) &&
           poll([&] { return !isLocked(); }, 10s);
}

bool WaylandSession::isLocked() const
{
    const QDBusMessage reply =
        call(m_bus, QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
             QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("GetActive"));
    return succeeded(reply) && reply.arguments().value(0).toBool();
}

bool WaylandSession::xdotool(const QStringList& arguments, QString* output) const
{
    return m_environment.contains(QStringLiteral("DISPLAY")) && run(QStringLiteral("xdotool"), arguments, output);
}

QRect WaylandSession::windowGeometry(const QString& namePattern) const
{
    QString output;
    if (!xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), namePattern,
                  QStringLiteral("getwindowgeometry")},
                 &output))
        return {};
    // "Window 4194310\n  Position: 910,32 (screen: 0)\n  Geometry: 370x215"
    static const QRegularExpression figures(QStringLiteral(R"(Position: (\d+),(\d+).*\n.*Geometry: (\d+)x(\d+))"));
    const QRegularExpressionMatch match = figures.match(output);
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), match.captured(4).toInt()};
}

void WaylandSession::disconnect()
{
    for (QDBusConnection* connection : {&m_bus, &m_systemBus}) {
        if (connection->isConnected())
            QDBusConnection::disconnectFromBus(connection->name());
    }
    m_remoteDesktopSession.clear();
}

} // namespace brindlemoor::test
