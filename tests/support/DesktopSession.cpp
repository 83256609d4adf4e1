// SPDX-License-Identifier: MIT
#include "support/DesktopSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace brindlemoor::test {

namespace {

constexpr auto startTimeout = std::chrono::seconds(15);
constexpr int toolTimeoutMs = 15000;

template <typename T> struct Reply {
    T* data;
    explicit Reply(T* reply)
        : data(reply)
    {
    }
    ~Reply() { std::free(data); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;
    T* operator->() const { return data; }
    explicit operator bool() const { return data != nullptr; }
};

// The bus needs nothing from the system's configuration, and its services must not
// start on their own in a test.
const char* const busConfiguration = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

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
        return {static_cast<const char*>(xcb_get_property_value(reply.data)),
                xcb_get_property_value_length(reply.data)};
    }

    QList<xcb_window_t> windows(xcb_window_t window, xcb_atom_t property) const
    {
        const QByteArray bytes = this->property(window, property);
        QList<xcb_window_t> result(bytes.size() / static_cast<qsizetype>(sizeof(xcb_window_t)));
        if (!result.isEmpty())
            std::memcpy(result.data(), bytes.constData(), static_cast<size_t>(result.size()) * sizeof(xcb_window_t));
        return result;
    }

    bool isViewable(xcb_window_t window) const
    {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    xcb_window_t findByTitle(xcb_window_t window, const QByteArray& title, int depth) const
    {
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree)
            return XCB_WINDOW_NONE;
        const xcb_window_t* children = xcb_query_tree_children(tree.data);
        const int count = xcb_query_tree_children_length(tree.data);
        const xcb_atom_t netName = atom("_NET_WM_NAME");
        for (int i = 0; i < count; ++i) {
            const xcb_window_t child = children[i];
            if ((property(child, XCB_ATOM_WM_NAME) == title || property(child, netName) == title) && isViewable(child))
                return child;
            if (depth > 0) {
                if (const xcb_window_t found = findByTitle(child, title, depth - 1); found != XCB_WINDOW_NONE)
                    return found;
            }
        }
        return XCB_WINDOW_NONE;
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
    : m_environment(QProcessEnvironment::systemEnvironment())
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

    const bool ok = (!options.display || startXvfb(options.screenSize)) &&
                    (!options.display || !options.windowManager || startWindowManager()) &&
                    (!options.display || !options.trayHost || startTrayHost()) && (!options.bus || startBus());
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
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_environment);
    process->setProgram(program);
    process->setArguments(arguments);
    // Runs in the child between fork and exec: a process group of its own, so that the
    // session can stop what it spawns, and death with the test should the test crash.
    process->setChildProcessModifier([] {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    process->start();
    if (!process->waitForStarted(toolTimeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program, process->errorString());
        return nullptr;
    }
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
    QByteArray number;
    const bool announced = waitUntil(
        [&] {
            number += xvfb->readAllStandardOutput();
            return number.contains('\n') || xvfb->state() != QProcess::Running;
        },
        startTimeout);
    number = number.trimmed();
    if (!announced || number.isEmpty()) {
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

bool DesktopSession::startWindowManager()
{
    // The system's configuration with one change: a new window does not take the focus by
    // itself. Openbox would give it the focus some time after managing it, which can land
    // after a test's own activation; so only the tests move the focus.
    QFile systemConfiguration(QStringLiteral("/etc/xdg/openbox/rc.xml"));
    QByteArray configuration =
        systemConfiguration.open(QIODevice::ReadOnly) ? systemConfiguration.readAll() : QByteArray("<openbox_config/>");
    configuration.replace("<focusNew>yes</focusNew>", "<focusNew>no</focusNew>");
    QDir(configHome()).mkpath(QStringLiteral("openbox"));
    QFile userConfiguration(configHome() + QStringLiteral("/openbox/rc.xml"));
    if (!userConfiguration.open(QIODevice::WriteOnly) || userConfiguration.write(configuration) < 0) {
        m_error = QStringLiteral("cannot write the openbox configuration");
        return false;
    }
    userConfiguration.close();

    QProcess* openbox = start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (openbox == nullptr)
        return false;
    const xcb_atom_t check = m_x->atom("_NET_SUPPORTING_WM_CHECK");
    const bool up =
        waitUntil([&] { return !m_x->windows(m_x->root(), check).isEmpty() || openbox->state() != QProcess::Running; },
                  startTimeout);
    if (!up || openbox->state() != QProcess::Running) {
        m_error =
            QStringLiteral("openbox did not start: %1").arg(QString::fromLocal8Bit(openbox->readAllStandardError()));
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
    const xcb_atom_t selection = m_x->atom("_NET_SYSTEM_TRAY_S0");
    const auto trayOwned = [&] {
        Reply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(m_x->get(), xcb_get_selection_owner(m_x->get(), selection), nullptr));
        return owner && owner->owner != XCB_WINDOW_NONE;
    };
    if (!waitUntil([&] { return trayOwned() || trayer->state() != QProcess::Running; }, startTimeout) || !trayOwned()) {
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
        config.write(QString::fromLatin1(busConfiguration).arg(m_root.filePath(QStringLiteral("bus"))).toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    config.close();
    QProcess* bus = start(QStringLiteral("dbus-daemon"),
                          {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                           QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (bus == nullptr)
        return false;
    QByteArray address;
    waitUntil(
        [&] {
            address += bus->readAllStandardOutput();
            return address.contains('\n') || bus->state() != QProcess::Running;
        },
        startTimeout);
    m_busAddress = QString::fromUtf8(address.trimmed());
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
    // Three levels reach clients inside window-manager frames.
    return m_x->findByTitle(m_x->root(), title.toUtf8(), 3);
}

quint32 DesktopSession::activeWindow() const
{
    if (!m_x)
        return 0;
    const QList<xcb_window_t> active = m_x->windows(m_x->root(), m_x->atom("_NET_ACTIVE_WINDOW"));
    return active.isEmpty() ? 0 : active.constFirst();
}

bool DesktopSession::isManaged(quint32 window) const
{
    return m_x && window != 0 && m_x->windows(m_x->root(), m_x->atom("_NET_CLIENT_LIST")).contains(window);
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
        return (window != 0 && listed) || client->state() != QProcess::Running;
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
    QProcess process;
    process.setProcessEnvironment(m_environment);
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

bool DesktopSession::screenshot(const QString& path) const
{
    if (!m_x)
        return false;
    xcb_connection_t* c = m_x->get();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    Reply<xcb_get_image_reply_t> image(
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_x->root(), 0, 0, screen->width_in_pixels,
                                          screen->height_in_pixels, ~0U),
                            nullptr));
    const int width = screen->width_in_pixels;
    const int height = screen->height_in_pixels;
    if (!image || image->depth != 24 || xcb_get_image_data_length(image.data) < qsizetype{width} * height * 4)
        return false;
    // Depth 24 comes as 32 bits per pixel, blue first: Qt's RGB32 on little-endian machines.
    const QImage frame(xcb_get_image_data(image.data), width, height, qsizetype{width} * 4, QImage::Format_RGB32);
    return frame.copy().save(path, "PNG");
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

void DesktopSession::stopAll()
{
    m_x.reset();
    // Clients first, the server last, so nobody complains about a vanished display.
    for (auto index = m_processes.size(); index-- > 0;) {
        QProcess& process = *m_processes[index];
        if (process.state() == QProcess::NotRunning)
            continue;
        const auto group = static_cast<pid_t>(process.processId());
        ::kill(-group, SIGTERM);
        if (!process.waitForFinished(3000)) {
            ::kill(-group, SIGKILL);
            process.waitForFinished(3000);
        }
    }
    m_processes.clear();
}

} // namespace brindlemoor::test
