// SPDX-License-Identifier: MIT
#include "support/DesktopSession.h"

#include "platform/linux/XcbConnection.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace brindlemoor::test {

namespace {

constexpr auto startTimeout = std::chrono::seconds(15);

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

/// The property's 32-bit values: windows, atoms or cardinals.
QList<xcb_window_t> windows(const XcbConnection& x, xcb_window_t window, xcb_atom_t property)
{
    const QByteArray bytes = x.property(window, property).value_or(QByteArray());
    QList<xcb_window_t> result(bytes.size() / static_cast<qsizetype>(sizeof(xcb_window_t)));
    if (!result.isEmpty())
        std::memcpy(result.data(), bytes.constData(), static_cast<size_t>(result.size()) * sizeof(xcb_window_t));
    return result;
}

/// The property's first 32-bit value, or -1 when it is unset.
qint64 first(const XcbConnection& x, xcb_window_t window, const char* property)
{
    const QList<xcb_window_t> values = windows(x, window, x.atom(property));
    return values.isEmpty() ? -1 : qint64{values.constFirst()};
}

bool isViewable(const XcbConnection& x, xcb_window_t window)
{
    XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x.get(), xcb_get_window_attributes(x.get(), window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

QList<xcb_window_t> children(const XcbConnection& x, xcb_window_t window, xcb_window_t* parent = nullptr)
{
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(x.get(), xcb_query_tree(x.get(), window), nullptr));
    if (!tree)
        return {};
    if (parent != nullptr)
        *parent = tree->parent;
    const xcb_window_t* first = xcb_query_tree_children(tree.get());
    return QList<xcb_window_t>(first, first + xcb_query_tree_children_length(tree.get()));
}

/// The window's ancestor among the root's children: its frame where the manager adds one.
xcb_window_t topLevelOf(const XcbConnection& x, xcb_window_t window)
{
    xcb_window_t parent = XCB_WINDOW_NONE;
    while (window != XCB_WINDOW_NONE) {
        children(x, window, &parent);
        if (parent == x.root())
            return window;
        window = parent;
        parent = XCB_WINDOW_NONE;
    }
    return XCB_WINDOW_NONE;
}

/// The viewable windows below `window`, `depth` levels down (three reach clients in
/// window-manager frames), in stacking order, that `matches`.
QList<xcb_window_t> findAll(const XcbConnection& x, xcb_window_t window, int depth,
                            const std::function<bool(xcb_window_t)>& matches)
{
    QList<xcb_window_t> found;
    for (const xcb_window_t child : children(x, window)) {
        if (matches(child) && isViewable(x, child))
            found.append(child);
        if (depth > 0)
            found += findAll(x, child, depth - 1, matches);
    }
    return found;
}

} // namespace

DesktopSession::DesktopSession()
    : DesktopSession(Options{})
{
}

DesktopSession::DesktopSession(const Options& options)
{
    const bool managing = options.display && options.windowManager;
    // Every manager but openbox wants a session bus; it is there before the manager starts.
    const bool bus = options.bus || (managing && options.manager != WindowManager::Openbox);
    if (!isReady())
        return;
    if (bus) {
        m_busAddress =
            startBus(m_root.filePath(QStringLiteral("bus")),
                     options.busStartsServices ? QStringLiteral("<standard_session_servicedirs/>") : QString());
        m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    }
    const bool ok = isReady() && (!options.display || startXvfb(options.screenSize)) &&
                    (!managing || startWindowManager(options.manager, options.compositor)) &&
                    (!options.display || !options.trayHost || startTrayHost());
    if (!ok) {
        m_x.reset();
        stopAll();
    }
}

DesktopSession::~DesktopSession()
{
    // Clients first, the server last, so nobody complains about a vanished display.
    m_x.reset();
    stopAll();
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
        return fail(QStringLiteral("Xvfb did not start: %1").arg(tail(xvfb)));
    }
    m_display = ':' + number;
    m_environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_display));
    m_x = std::make_unique<XcbConnection>(m_display);
    if (!m_x->isConnected()) {
        return fail(QStringLiteral("cannot connect to Xvfb on %1").arg(QString::fromLatin1(m_display)));
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
        return fail(QStringLiteral("cannot write the openbox configuration"));
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
    if (!waitForStart(
            process, program,
            [&] { return !windows(*m_x, m_x->root(), check).isEmpty() && (!compositing || isCompositing()); },
            startTimeout))
        return false;
    return isCompositing() == compositing ||
           fail(QStringLiteral("%1 runs with its compositor %2").arg(program, compositing ? u"off" : u"on"));
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
    return waitForStart(
        trayer, QStringLiteral("trayer"),
        [&] { return m_x->selectionOwner(m_x->atom("_NET_SYSTEM_TRAY_S0")) != XCB_WINDOW_NONE; }, startTimeout);
}

quint32 DesktopSession::findWindow(const QString& title) const
{
    if (!m_x)
        return 0;
    const QByteArray name = title.toUtf8();
    const xcb_atom_t netName = m_x->atom("_NET_WM_NAME");
    const QList<xcb_window_t> found = findAll(*m_x, m_x->root(), 3, [&](xcb_window_t window) {
        return m_x->property(window, XCB_ATOM_WM_NAME) == name || m_x->property(window, netName) == name;
    });
    // Mutter 48 draws each frame in a client of its own that names the frame after the window.
    const QList<xcb_window_t> managed = windows(*m_x, m_x->root(), m_x->atom("_NET_CLIENT_LIST"));
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
    return findAll(*m_x, m_x->root(), 3, [&](xcb_window_t window) {
        return windows(*m_x, window, pidAtom) == QList<xcb_window_t>{static_cast<xcb_window_t>(pid)};
    });
}

quint32 DesktopSession::activeWindow() const
{
    return m_x ? static_cast<quint32>(std::max<qint64>(first(*m_x, m_x->root(), "_NET_ACTIVE_WINDOW"), 0)) : 0;
}

bool DesktopSession::isManaged(quint32 window) const
{
    return m_x && window != 0 && windows(*m_x, m_x->root(), m_x->atom("_NET_CLIENT_LIST")).contains(window);
}

bool DesktopSession::isCompositing() const
{
    return m_x && m_x->selectionOwner(m_x->atom("_NET_WM_CM_S0")) != XCB_WINDOW_NONE;
}

QStringList DesktopSession::windowStates(quint32 window) const
{
    QStringList names;
    if (m_x) {
        for (const xcb_atom_t state : windows(*m_x, window, m_x->atom("_NET_WM_STATE"))) {
            XcbReply<xcb_get_atom_name_reply_t> name(
                xcb_get_atom_name_reply(m_x->get(), xcb_get_atom_name(m_x->get(), state), nullptr));
            if (name)
                names.append(
                    QString::fromLatin1(xcb_get_atom_name_name(name.get()), xcb_get_atom_name_name_length(name.get())));
        }
    }
    return names;
}

qint64 DesktopSession::desktopOf(quint32 window) const
{
    return m_x ? first(*m_x, window, "_NET_WM_DESKTOP") : -1;
}

qint64 DesktopSession::currentDesktop() const
{
    return m_x ? first(*m_x, m_x->root(), "_NET_CURRENT_DESKTOP") : -1;
}

bool DesktopSession::isViewable(quint32 window) const
{
    return m_x && test::isViewable(*m_x, window);
}

QRect DesktopSession::geometry(quint32 window) const
{
    if (!m_x)
        return {};
    xcb_connection_t* c = m_x->get();
    XcbReply<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    XcbReply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, m_x->root(), 0, 0), nullptr));
    if (!size || !origin)
        return {};
    return {origin->dst_x, origin->dst_y, size->width, size->height};
}

bool DesktopSession::isStackedAbove(quint32 upper, quint32 lower) const
{
    if (!m_x)
        return false;
    const QList<xcb_window_t> stacking = children(*m_x, m_x->root());
    const qsizetype upperIndex = stacking.indexOf(topLevelOf(*m_x, upper));
    const qsizetype lowerIndex = stacking.indexOf(topLevelOf(*m_x, lower));
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
    const bool managed = !windows(*m_x, m_x->root(), m_x->atom("_NET_SUPPORTING_WM_CHECK")).isEmpty();
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
    XcbReply<xcb_get_image_reply_t> image(
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

} // namespace brindlemoor::test
