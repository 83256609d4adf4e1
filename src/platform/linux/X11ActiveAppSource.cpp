// SPDX-License-Identifier: MIT
#include "platform/linux/X11ActiveAppSource.h"

#include "core/foundation/ProgramIdentity.h"
#include "platform/linux/AppId.h"
#include "platform/linux/DesktopEntryRegistry.h"
#include "platform/linux/PlatformLogging.h"
#include "platform/linux/ProcessInfo.h"
#include "platform/linux/XcbConnection.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <xcb/res.h>
#include <xcb/xcb_icccm.h>

namespace brindlemoor {

namespace {

// Dialogs of dialogs exist; a cycle of WM_TRANSIENT_FOR does too, in broken clients.
constexpr int maximumTransientDepth = 8;

QString textOf(const std::optional<QByteArray>& value)
{
    if (!value)
        return {};
    QByteArray bytes = *value;
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

} // namespace

X11ActiveAppSource::X11ActiveAppSource(const DesktopEntryRegistry& registry, const QByteArray& display)
    : m_registry(registry)
    , m_x(std::make_unique<XcbConnection>(display))
{
    if (!m_x->isConnected()) {
        giveUp(m_x->errorText());
        return;
    }
    xcb_connection_t* c = m_x->get();
    m_activeWindowAtom = m_x->atom("_NET_ACTIVE_WINDOW");
    m_gtkApplicationIdAtom = m_x->atom("_GTK_APPLICATION_ID");
    m_kdeDesktopFileAtom = m_x->atom("_KDE_NET_WM_DESKTOP_FILE");

    // Local client PIDs arrived with X-Resource 1.2.
    const XcbReply<xcb_res_query_version_reply_t> version(
        xcb_res_query_version_reply(c, xcb_res_query_version(c, 1, 2), nullptr));
    m_hasClientIds =
        version && (version->server_major > 1 || (version->server_major == 1 && version->server_minor >= 2));

    // Selecting replaces this connection's mask on the root, so add to what is there.
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, m_x->root()), nullptr));
    const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, m_x->root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    if (const auto window = activeWindow()) {
        m_lastWindow = applicationWindow(*window);
        watch(m_lastWindow);
        m_lastId = applicationOf(m_lastWindow).bundleID;
    }

    m_notifier = std::make_unique<QSocketNotifier>(m_x->fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readEvents(); });
    drainLater();
}

X11ActiveAppSource::~X11ActiveAppSource() = default;

bool X11ActiveAppSource::isAvailable() const
{
    return m_notifier != nullptr && m_x->isConnected();
}

void X11ActiveAppSource::giveUp(const QString& reason) const
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    qCWarning(lcPlatform).noquote() << QStringLiteral("active-window tracking unavailable: %1").arg(reason);
}

void X11ActiveAppSource::drainLater() const
{
    // Replies read for a synchronous request can bring events into xcb's queue without
    // the socket becoming readable again; look at the queue once control returns.
    if (!m_notifier)
        return;
    const auto read = [this] { readEvents(); };
    QMetaObject::invokeMethod(m_notifier.get(), read, Qt::QueuedConnection);
}

void X11ActiveAppSource::readEvents() const
{
    if (!m_notifier || !m_notifier->isEnabled())
        return;
    // Looking at a change takes round trips, which read any newer event into xcb's queue
    // without the socket becoming readable again: keep going until the queue is empty.
    while (true) {
        bool activeWindowTouched = false;
        bool identityTouched = false;
        while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(m_x->get())}) {
            if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                continue;
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (notify->window == m_x->root() && notify->atom == m_activeWindowAtom)
                activeWindowTouched = true;
            else if (notify->window == m_watchedWindow && isIdentityProperty(notify->atom))
                identityTouched = true;
        }
        if (!m_x->isConnected()) {
            giveUp(QStringLiteral("the X connection was lost"));
            return;
        }
        if (!activeWindowTouched && !identityTouched)
            return;
        if (!(activeWindowTouched && activeWindowMayHaveChanged()) && identityTouched)
            identityMayHaveChanged();
    }
}

bool X11ActiveAppSource::activeWindowMayHaveChanged() const
{
    const std::optional<xcb_window_t> window = activeWindow();
    if (!window)
        return false; // None: focus on nothing is not an activation
    const xcb_window_t application = applicationWindow(*window);
    if (application == m_lastWindow)
        return false;
    m_lastWindow = application;
    // Watched before it is read, so that a change in between still brings an event.
    watch(application);
    const RunningApp app = applicationOf(application);
    m_lastId = app.bundleID;
    // The source itself is never const; its readers are, so that frontmostApp() can drain events.
    Q_EMIT const_cast<X11ActiveAppSource*>(this)->activated(app);
    return true;
}

void X11ActiveAppSource::identityMayHaveChanged() const
{
    // Applications rename their window once they are up (LibreOffice's start centre becomes
    // "libreoffice-writer"); the window in front is then another application's.
    const RunningApp app = applicationOf(m_lastWindow);
    if (app.bundleID == m_lastId)
        return;
    m_lastId = app.bundleID;
    Q_EMIT const_cast<X11ActiveAppSource*>(this)->activated(app);
}

void X11ActiveAppSource::watch(xcb_window_t window) const
{
    if (window == m_watchedWindow || window == m_x->root())
        return;
    // Masks are per connection: these never touch what the window's own client selected. The
    // previous window may be gone; the error that brings is read and dropped with the events.
    const uint32_t none = XCB_EVENT_MASK_NO_EVENT;
    const uint32_t property = XCB_EVENT_MASK_PROPERTY_CHANGE;
    if (m_watchedWindow != XCB_WINDOW_NONE)
        xcb_change_window_attributes(m_x->get(), m_watchedWindow, XCB_CW_EVENT_MASK, &none);
    xcb_change_window_attributes(m_x->get(), window, XCB_CW_EVENT_MASK, &property);
    m_watchedWindow = window;
}

bool X11ActiveAppSource::isIdentityProperty(xcb_atom_t atom) const
{
    return atom == XCB_ATOM_WM_CLASS || atom == m_gtkApplicationIdAtom || atom == m_kdeDesktopFileAtom;
}

std::optional<RunningApp> X11ActiveAppSource::frontmostApp() const
{
    if (!isAvailable())
        return std::nullopt;
    const std::optional<xcb_window_t> window = activeWindow();
    drainLater();
    if (!window)
        return std::nullopt;
    return applicationOf(applicationWindow(*window));
}

std::optional<xcb_window_t> X11ActiveAppSource::activeWindow() const
{
    const std::optional<xcb_window_t> window = m_x->windowProperty(m_x->root(), m_activeWindowAtom);
    if (!window || *window == XCB_WINDOW_NONE)
        return std::nullopt;
    return window;
}

xcb_window_t X11ActiveAppSource::applicationWindow(xcb_window_t window) const
{
    for (int depth = 0; depth < maximumTransientDepth; ++depth) {
        const std::optional<xcb_window_t> parent = m_x->windowProperty(window, XCB_ATOM_WM_TRANSIENT_FOR);
        // Transient for None or the root means "for the whole group": it stands for itself.
        if (!parent || *parent == XCB_WINDOW_NONE || *parent == m_x->root() || *parent == window)
            break;
        window = *parent;
    }
    return window;
}

std::optional<quint32> X11ActiveAppSource::clientPid(xcb_window_t window) const
{
    if (!m_hasClientIds)
        return std::nullopt;
    xcb_connection_t* c = m_x->get();
    const xcb_res_client_id_spec_t wanted{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const XcbReply<xcb_res_query_client_ids_reply_t> reply(
        xcb_res_query_client_ids_reply(c, xcb_res_query_client_ids(c, 1, &wanted), nullptr));
    if (!reply)
        return std::nullopt;
    // The server answers only with the kind of id asked for: the local client's PID.
    for (auto ids = xcb_res_query_client_ids_ids_iterator(reply.get()); ids.rem > 0;
         xcb_res_client_id_value_next(&ids)) {
        if (xcb_res_client_id_value_value_length(ids.data) >= 1)
            return *xcb_res_client_id_value_value(ids.data);
    }
    return std::nullopt;
}

RunningApp X11ActiveAppSource::applicationOf(xcb_window_t window) const
{
    const std::optional<quint32> pid = clientPid(window);
    if (pid && *pid == QCoreApplication::applicationPid())
        return RunningApp{programId};

    WindowProperties properties;
    if (const std::optional<QByteArray> wmClass = m_x->property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING)) {
        // WM_CLASS is "instance\0class\0".
        const QList<QByteArray> parts = wmClass->split('\0');
        properties.instance = QString::fromLocal8Bit(parts.value(0));
        properties.windowClass = QString::fromLocal8Bit(parts.value(1));
    }
    properties.gtkApplicationId = textOf(m_x->property(window, m_gtkApplicationIdAtom));
    properties.kdeDesktopFile = textOf(m_x->property(window, m_kdeDesktopFileAtom));
    if (pid) {
        properties.executable = ProcessInfo::executablePath(*pid);
        properties.flatpakId = ProcessInfo::flatpakAppId(*pid);
    }
    return identified(m_registry.idForWindow(properties));
}

RunningApp X11ActiveAppSource::identified(std::optional<QString> id)
{
    // Qt names the program's windows after its desktop entry (_GTK_APPLICATION_ID, Wayland's
    // app_id), and the entry names their class.
    if (id == QLatin1String(BRINDLEMOOR_APP_ID))
        return RunningApp{programId};
    return RunningApp{std::move(id)};
}

} // namespace brindlemoor
