// SPDX-License-Identifier: MIT
#include "support/DesktopSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace brindlemoor::test {

namespace {

constexpr auto startTimeout = std::chrono::seconds(15);
constexpr int toolTimeoutMs = 15000;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// The bus needs nothing from the system's configuration, and its services must not
// start on their own in a test.
const char* const busConfiguration = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  %2
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

/// The first line a child prints, read without an event loop: a session may start before
/// the test makes its QApplication (which needs the session's display).
QByteArray firstLine(QProcess* process)
{
    QByteArray output;
    const QDeadlineTimer deadline(startTimeout);
    while (!output.contains('\n') && process->state() == QProcess::Running && !deadline.hasExpired()) {
        process->waitForReadyRead(100);
        output += process->readAllStandardOutput();
    }
    return output.trimmed();
}

/// Whether the child has ended; also notices it without an event loop.
bool hasEnded(QProcess* process)
{
    return process->state() != QProcess::Running || process->waitForFinished(0);
}

} // namespace

/// The session's own view of its display, for waiting on windows and the window manager.
class DesktopSession::XConnection final {
public:
    explicit XConnection(const QByteArray& display)
        : m_connection(xcb_connect(display.constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection) == 0)
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }
    ~XConnection() { xcb_disconnect(m_connection); }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool isConnected() const { return m_root != XCB_WINDOW_NONE && xcb_connection_has_error(m_connection) == 0; }
    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }

    xcb_atom_t atom(const char* name) const
    {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    QByteArray property(xcb_window_t window, xcb_atom_t property) const
    {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 65536),
            nullptr));
        if (!reply)
            return {};
        return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                xcb_get_property_value_length(reply.get())};
    }

    QList<xcb_window_t> windows(xcb_window_t window, xcb_atom_t property) const
    {
        const QByteArray bytes = this->property(window, property);
        QList<xcb_window_t> result(bytes.size() / static_cast<qsizetype>(sizeof(xcb_window_t)));
        if (!result.isEmpty())
            std::memcpy(result.data(), bytes.constData(), static_cast<size_t>(result.size()) * sizeof(xcb_window_t));
        return result;
    }

    /// The property's first 32-bit value, or -1 when it is unset.
    qint64 first(xcb_window_t window, const char* property) const
    {
        const QList<xcb_window_t> values = windows(window, atom(property));
        return values.isEmpty() ? -1 : qint64{values.constFirst()};
    }

    bool isViewable(xcb_window_t window) const
    {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    QByteArray atomName(xcb_atom_t atom) const
    {
        Reply<xcb_get_atom_name_reply_t> reply(
            xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atom), nullptr));
        return reply ? QByteArray(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()))
                     : QByteArray();
    }

    bool ownsSelection(const char* selection) const
    {
        Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
            m_connection, xcb_get_selection_owner(m_connection, atom(selection)), nullptr));
        return owner && owner->owner != XCB_WINDOW_NONE;
    }

    /// The root's children, bottom first: the server's stacking order.
    QList<xcb_window_t> topLevels() const
    {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
        if (!tree)
            return {};
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return QList<xcb_window_t>(children, children + xcb_query_tree_children_length(tree.get()));
    }

    /// The window's ancestor among the root's children: its frame where the manager adds one.
    xcb_window_t topLevelOf(xcb_window_t window) const
    {
        while (window != XCB_WINDOW_NONE) {
            Reply<xcb_query_tree_reply_t> tree(
                xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
            if (!tree)
                return XCB_WINDOW_NONE;
            if (tree->parent == m_root)
                return window;
            window = tree->parent;
        }
        return XCB_WINDOW_NONE;
    }

    /// The viewable windows below `window`, `depth` levels down (three reach clients in
    /// window-manager frames), in stacking order, that `matches`.
    QList<xcb_window_t> findAll(xcb_window_t window, int depth, const std::function<bool(xcb_window_t)>& matches) const
    {
        QList<xcb_window_t> found;
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree)
            return found;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            if (matches(children[i]) && isViewable(children[i]))
                found.append(children[i]);
            if (depth > 0)
                found += findAll(children[i], depth - 1, matches);
        }
        return found;
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_WINDOW_NONE;
};

DesktopSession::DesktopSession()
    : DesktopSession(Options{})
{
}

DesktopSession::DesktopSession(const Options& options)
    : m_busStartsServices(options.busStartsServices)
    , m_environment(QProcessEnvironment::systemEnvironment())
{
    if (!m_root.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    for (const char* folder : {"data", "config", "cache", "runtime", "bus"})
        QDir(m_root.path()).mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_root.filePath(QStringLiteral("cache")));
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("runtime")));
    m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_environment.remove(QStringLiteral("DISPLAY"));
    m_environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));

    const bool managing = options.display && options.windowManager;
    // Every manager but openbox wants a session bus; it is there before the manager starts.
    const bool bus = options.bus || (managing && options.manager != WindowManager::Openbox);
    const bool ok = (!options.display || startXvfb(options.screenSize)) && (!bus || startBus()) &&
                    (!managing || startWindowManager(options.manager, options.compositor)) &&
                    (!options.display || !options.trayHost || startTrayHost());
    if (!ok)
        stopAll();
}

DesktopSession::~DesktopSession()
{
    stopAll();
}

QString DesktopSession::dataHome() const
{
    return m_root.filePath(QStringLiteral("data"));
}

QString DesktopSession::configHome() const
{
    return m_root.filePath(QStringLiteral("config"));
}

void DesktopSession::exportToThisProcess() const
{
    for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                             "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString value = m_environment.value(QString::fromLatin1(name));
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    }
    qunsetenv("WAYLAND_DISPLAY");
}

QProcess* DesktopSession::start(const QString& program, const QStringList& arguments)
{
    return start(program, arguments, m_environment);
}

std::unique_ptr<QProcess> DesktopSession::launch(const QString& program, const QStringList& arguments,
                                                 const QProcessEnvironment& environment, QString* error)
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
        *error = QStringLiteral("cannot start %1: %2").arg(program, process->errorString());
        return nullptr;
    }
    return process;
}

QProcess* DesktopSession::start(const QString& program, const QStringList& arguments,
                                const QProcessEnvironment& environment)
{
    auto process = launch(program, arguments, environment, &m_error);
    if (!process)
        return nullptr;
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

bool DesktopSession::startXvfb(const QSize& screenSize)
{
    QProcess* xvfb =
        start(QStringLiteral("Xvfb"),
              {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
               QStringLiteral("%1x%2x24").arg(screenSize.width()).arg(screenSize.height()), QStringLiteral("-nolisten"),
               QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (xvfb == nullptr)
        return false;
    // -displayfd: the server picks a free display and writes its number when it accepts clients.
    const QByteArray number = firstLine(xvfb);
    if (number.isEmpty()) {
        m_error = QStringLiteral("Xvfb did not start: %1").arg(QString::fromLocal8Bit(xvfb->readAllStandardError()));
        return false;
    }
    m_display = ':' + number;
    m_environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_display));
    m_x = std::make_unique<XConnection>(m_display);
    if (!m_x->isConnected()) {
        m_error = QStringLiteral("cannot connect to Xvfb on %1").arg(QString::fromLatin1(m_display));
        return false;
    }
    return true;
}

bool DesktopSession::writeOpenboxConfiguration()
{
    // The system's configuration with one change: a new window does not take the focus by
    // itself. Openbox would give it the focus some time after managing it, which can land
    // after a test's own activation; so only the tests move the focus.
    QFile systemConfiguration(QStringLiteral("/etc/xdg/openbox/rc.xml"));
    QByteArray configuration =
        systemConfiguration.open(QIODevice::ReadOnly) ? systemConfiguration.readAll() : QByteArray("<openbox_config/>");
    configuration.replace("<focusNew>yes</focusNew>", "<focusNew>no</focusNew>");
    // Alt-click goes to the clients, as where the desktop moves windows with Super: openbox's
    // own Alt-drag would take the program's Alt-click on its tray icon.
    configuration.replace("button=\"A-Left\"", "button=\"W-Left\"");
    QDir(configHome()).mkpath(QStringLiteral("openbox"));
    QFile userConfiguration(configHome() + QStringLiteral("/openbox/rc.xml"));
    if (!userConfiguration.open(QIODevice::WriteOnly) || userConfiguration.write(configuration) < 0) {
        m_error = QStringLiteral("cannot write the openbox configuration");
        return false;
    }
    return true;
}

QString DesktopSession::programName(WindowManager manager)
{
    // In the order of the enumeration.
    const char* const programs[] = {"openbox", "xfwm4", "kwin_x11", "mutter", "marco"};
    return QString::fromLatin1(programs[static_cast<int>(manager)]);
}

bool DesktopSession::isInstalled(WindowManager manager)
{
    return !QStandardPaths::findExecutable(programName(manager)).isEmpty();
}

bool DesktopSession::hasCompositorSwitch(WindowManager manager)
{
    return manager == WindowManager::Xfwm4 || manager == WindowManager::KWin || manager == WindowManager::Marco;
}

bool DesktopSession::startWindowManager(WindowManager manager, bool compositor)
{
    QStringList arguments;
    QProcessEnvironment environment = m_environment;
    switch (manager) {
    case WindowManager::Openbox:
        if (!writeOpenboxConfiguration())
            return false;
        arguments = {QStringLiteral("--sm-disable")};
        break;
    case WindowManager::Xfwm4:
        // Without xfconfd on the bus it runs on its built-in defaults, as a fresh XFCE user has them.
        arguments = {compositor ? QStringLiteral("--compositor=on") : QStringLiteral("--compositor=off")};
        break;
    case WindowManager::KWin:
        // A Qt program: a test's offscreen platform would leave it without a screen to manage.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        if (!compositor)
            environment.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("N"));
        break;
    case WindowManager::Mutter:
        arguments = {QStringLiteral("--x11"), QStringLiteral("--sm-disable")};
        // Its defaults, not the machine user's dconf database.
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
        break;
    case WindowManager::Marco:
        arguments = {QStringLiteral("--sm-disable"),
                     compositor ? QStringLiteral("--composite") : QStringLiteral("--no-composite")};
        environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
        break;
    }
    const QString program = programName(manager);
    QProcess* process = start(program, arguments, environment);
    if (process == nullptr)
        return false;
    const bool compositing = manager == WindowManager::Mutter || (compositor && hasCompositorSwitch(manager));
    const xcb_atom_t check = m_x->atom("_NET_SUPPORTING_WM_CHECK");
    // A compositor takes its selection a moment after the manager announces itself.
    const bool up = waitUntil(
        [&] {
            return (!m_x->windows(m_x->root(), check).isEmpty() && (!compositing || isCompositing())) ||
                   hasEnded(process);
        },
        startTimeout);
    if (!up || hasEnded(process)) {
        m_error = QStringLiteral("%1 did not start: %2")
                      .arg(program, QString::fromLocal8Bit(process->readAllStandardError().right(3000)));
        return false;
    }
    if (isCompositing() != compositing) {
        m_error = QStringLiteral("%1 runs with its compositor %2").arg(program, compositing ? u"off" : u"on");
        return false;
    }
    return true;
}

bool DesktopSession::startTrayHost()
{
    QProcess* trayer =
        start(QStringLiteral("trayer"),
              {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"), QStringLiteral("right"),
               QStringLiteral("--widthtype"), QStringLiteral("request"), QStringLiteral("--height"),
               QStringLiteral("24"), QStringLiteral("--SetDockType"), QStringLiteral("true")});
    if (trayer == nullptr)
        return false;
    const auto trayOwned = [&] { return m_x->ownsSelection("_NET_SYSTEM_TRAY_S0"); };
    if (!waitUntil([&] { return trayOwned() || hasEnded(trayer); }, startTimeout) || !trayOwned()) {
        m_error =
            QStringLiteral("trayer did not start: %1").arg(QString::fromLocal8Bit(trayer->readAllStandardError()));
        return false;
    }
    return true;
}

bool DesktopSession::startBus()
{
    QFile config(m_root.filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(QString::fromLatin1(busConfiguration)
                         .arg(m_root.filePath(QStringLiteral("bus")),
                              m_busStartsServices ? QStringLiteral("<standard_session_servicedirs/>") : QString())
                         .toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    config.close();
    QProcess* bus = start(QStringLiteral("dbus-daemon"),
                          {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                           QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (bus == nullptr)
        return false;
    m_busAddress = QString::fromUtf8(firstLine(bus));
    if (m_busAddress.isEmpty()) {
        m_error =
            QStringLiteral("dbus-daemon did not start: %1").arg(QString::fromLocal8Bit(bus->readAllStandardError()));
        return false;
    }
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    return true;
}

quint32 DesktopSession::findWindow(const QString& title) const
{
    if (!m_x)
        return 0;
    const QByteArray name = title.toUtf8();
    const xcb_atom_t netName = m_x->atom("_NET_WM_NAME");
    const QList<xcb_window_t> found = m_x->findAll(m_x->root(), 3, [&](xcb_window_t window) {
        return m_x->property(window, XCB_ATOM_WM_NAME) == name || m_x->property(window, netName) == name;
    });
    // Mutter 48 draws each frame in a client of its own that names the frame after the window.
    const QList<xcb_window_t> managed = m_x->windows(m_x->root(), m_x->atom("_NET_CLIENT_LIST"));
    for (const xcb_window_t window : found)
        if (managed.contains(window))
            return window;
    return found.isEmpty() ? 0 : found.constFirst();
}

QList<quint32> DesktopSession::viewableWindowsOf(qint64 pid) const
{
    if (!m_x)
        return {};
    const xcb_atom_t pidAtom = m_x->atom("_NET_WM_PID");
    return m_x->findAll(m_x->root(), 3, [&](xcb_window_t window) {
        return m_x->windows(window, pidAtom) == QList<xcb_window_t>{static_cast<xcb_window_t>(pid)};
    });
}

quint32 DesktopSession::activeWindow() const
{
    return m_x ? static_cast<quint32>(std::max<qint64>(m_x->first(m_x->root(), "_NET_ACTIVE_WINDOW"), 0)) : 0;
}

bool DesktopSession::isManaged(quint32 window) const
{
    return m_x && window != 0 && m_x->windows(m_x->root(), m_x->atom("_NET_CLIENT_LIST")).contains(window);
}

bool DesktopSession::isCompositing() const
{
    return m_x && m_x->ownsSelection("_NET_WM_CM_S0");
}

QStringList DesktopSession::windowStates(quint32 window) const
{
    QStringList names;
    if (m_x) {
        for (const xcb_atom_t state : m_x->windows(window, m_x->atom("_NET_WM_STATE")))
            names.append(QString::fromLatin1(m_x->atomName(state)));
    }
    return names;
}

qint64 DesktopSession::desktopOf(quint32 window) const
{
    return m_x ? m_x->first(window, "_NET_WM_DESKTOP") : -1;
}

qint64 DesktopSession::currentDesktop() const
{
    return m_x ? m_x->first(m_x->root(), "_NET_CURRENT_DESKTOP") : -1;
}

bool DesktopSession::isViewable(quint32 window) const
{
    return m_x && m_x->isViewable(window);
}

QRect DesktopSession::geometry(quint32 window) const
{
    if (!m_x)
        return {};
    xcb_connection_t* c = m_x->get();
    Reply<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    Reply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, m_x->root(), 0, 0), nullptr));
    if (!size || !origin)
        return {};
    return {origin->dst_x, origin->dst_y, size->width, size->height};
}

bool DesktopSession::isStackedAbove(quint32 upper, quint32 lower) const
{
    if (!m_x)
        return false;
    const QList<xcb_window_t> stacking = m_x->topLevels();
    const qsizetype upperIndex = stacking.indexOf(m_x->topLevelOf(upper));
    const qsizetype lowerIndex = stacking.indexOf(m_x->topLevelOf(lower));
    return upperIndex >= 0 && lowerIndex >= 0 && upperIndex > lowerIndex;
}

bool DesktopSession::setFullScreen(quint32 window)
{
    if (!m_x)
        return false;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = m_x->atom("_NET_WM_STATE");
    event.data.data32[0] = 1; // add
    event.data.data32[1] = m_x->atom("_NET_WM_STATE_FULLSCREEN");
    event.data.data32[3] = 1; // source: an application
    xcb_send_event(m_x->get(), 0, m_x->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_x->get());
    return waitUntil([&] { return windowStates(window).contains(QStringLiteral("_NET_WM_STATE_FULLSCREEN")); });
}

quint32 DesktopSession::startWindow(const QString& program, const QStringList& arguments, const QString& title,
                                    QProcess** process)
{
    QProcess* client = start(program, arguments);
    if (process != nullptr)
        *process = client;
    if (client == nullptr || !m_x)
        return 0;
    const bool managed = !m_x->windows(m_x->root(), m_x->atom("_NET_SUPPORTING_WM_CHECK")).isEmpty();
    quint32 window = 0;
    bool listed = false;
    waitUntil([&] {
        window = findWindow(title);
        listed = !managed || isManaged(window);
        return (window != 0 && listed) || hasEnded(client);
    });
    if (window != 0 && listed)
        return window;
    m_error =
        QStringLiteral("%1 \"%2\" from %3 (%4): %5")
            .arg(window == 0 ? QStringLiteral("no window") : QStringLiteral("the window manager did not take"), title,
                 program, client->state() == QProcess::Running ? QStringLiteral("running") : QStringLiteral("exited"),
                 QString::fromLocal8Bit(client->readAllStandardError()));
    return 0;
}

quint32 DesktopSession::startXterm(const QString& title, const QString& windowClass, const QString& instance)
{
    // cat keeps the terminal open without a shell and its start-up files; it ends when the pty closes.
    return startWindow(QStringLiteral("xterm"),
                       {QStringLiteral("-T"), title, QStringLiteral("-class"), windowClass, QStringLiteral("-name"),
                        instance, QStringLiteral("-e"), QStringLiteral("cat")},
                       title);
}

bool DesktopSession::run(const QString& program, const QStringList& arguments, QString* output) const
{
    return runTool(program, arguments, m_environment, output);
}

bool DesktopSession::runTool(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& environment, QString* output)
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

bool DesktopSession::xdotool(const QStringList& arguments, QString* output) const
{
    return !m_display.isEmpty() && run(QStringLiteral("xdotool"), arguments, output);
}

bool DesktopSession::emitSignal(const QString& path, const QString& interface, const QString& member,
                                const QStringList& arguments) const
{
    if (m_busAddress.isEmpty())
        return false;
    return run(QStringLiteral("dbus-send"),
               QStringList{QStringLiteral("--bus=") + m_busAddress, QStringLiteral("--type=signal"), path,
                           interface + u'.' + member} +
                   arguments,
               nullptr);
}

QImage DesktopSession::grab() const
{
    if (!m_x)
        return {};
    xcb_connection_t* c = m_x->get();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    Reply<xcb_get_image_reply_t> image(
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_x->root(), 0, 0, screen->width_in_pixels,
                                          screen->height_in_pixels, ~0U),
                            nullptr));
    const int width = screen->width_in_pixels;
    const int height = screen->height_in_pixels;
    if (!image || image->depth != 24 || xcb_get_image_data_length(image.get()) < qsizetype{width} * height * 4)
        return {};
    // Depth 24 comes as 32 bits per pixel, blue first: Qt's RGB32 on little-endian machines.
    const QImage frame(xcb_get_image_data(image.get()), width, height, qsizetype{width} * 4, QImage::Format_RGB32);
    return frame.copy();
}

bool DesktopSession::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    while (true) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
}

void DesktopSession::stop(QProcess* process)
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

void DesktopSession::stopAll()
{
    m_x.reset();
    // Clients first, the server last, so nobody complains about a vanished display.
    for (auto index = m_processes.size(); index-- > 0;)
        stop(m_processes[index].get());
    m_processes.clear();
}

} // namespace brindlemoor::test
