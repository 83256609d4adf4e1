// SPDX-License-Identifier: MIT
#include "platform/linux/X11WindowSystem.h"

#include "platform/linux/PlatformLogging.h"
#include "platform/linux/XcbConnection.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

namespace brindlemoor {

namespace {

constexpr uint32_t allDesktops = 0xFFFFFFFF;
constexpr uint32_t addState = 1;
// Source indication "pager or direct user action": window managers that police
// applications' requests still follow these.
constexpr uint32_t directAction = 2;

class InertWindowSystem final : public WindowSystem {
public:
    explicit InertWindowSystem(bool capturesWholeScreen)
        : m_capturesWholeScreen(capturesWholeScreen)
    {
    }
    bool compositorRunning() const override { return false; }
    bool capturesWholeScreen() const override { return m_capturesWholeScreen; }
    void placeOnAllDesktops(QWindow* /*window*/) override {}
    void placeAboveEverything(QWindow* /*window*/) override {}
    void keepAbove(QWindow* /*window*/) override {}
    void skipTaskbarAndPager(QWindow* /*window*/) override {}
    void activate(QWindow* /*window*/) override {}

private:
    bool m_capturesWholeScreen;
};

xcb_window_t idOf(QWindow* window)
{
    return window != nullptr ? static_cast<xcb_window_t>(window->winId()) : xcb_window_t{XCB_WINDOW_NONE};
}

} // namespace

X11WindowSystem::X11WindowSystem(std::unique_ptr<XcbConnection> connection, bool underWayland)
    : m_x(std::move(connection))
    , m_underWayland(underWayland)
{
}

X11WindowSystem::~X11WindowSystem() = default;

std::unique_ptr<WindowSystem> X11WindowSystem::forApplication(bool waylandSession)
{
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // The offscreen platform answers as X11 but has no connection.
    if (x11 != nullptr && x11->connection() != nullptr) {
        if (waylandSession)
            qCInfo(lcPlatform).noquote() << "the program's windows go through XWayland; the break "
                                            "overlay's backdrop is plain, since a capture would show only X11 windows";
        return std::make_unique<X11WindowSystem>(XcbConnection::borrow(x11->connection()), waylandSession);
    }
    if (waylandSession)
        qCWarning(lcPlatform).noquote()
            << "no XWayland: the program's windows are native Wayland windows, so popovers open where "
               "the compositor puts them, and the floating cards and the break overlay cannot stay above other "
               "windows; the overlay's backdrop is plain";
    else
        qCInfo(lcPlatform).noquote() << "no X11 window system: windows stay on one desktop and appear without fading";
    return std::make_unique<InertWindowSystem>(!waylandSession);
}

bool X11WindowSystem::compositorRunning() const
{
    if (!m_x->isConnected())
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_x->screenNumber());
    const xcb_atom_t selection = m_x->atom(name.constData());
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_connection_t* c = m_x->get();
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

void X11WindowSystem::placeOnAllDesktops(QWindow* window)
{
    if (window == nullptr || !m_x->isConnected())
        return;
    // Only by message: xfwm4 4.18 misreads the property set before mapping (it compares
    // 0xFFFFFFFF read as a long with -1) and puts the window on its last desktop, where it
    // stays unmapped. The message must follow the map request, which Qt sends after it
    // says the window is visible; so it goes out from the event loop, on Qt's connection.
    const auto ask = [this, window] {
        const auto request = [this, window] { askForAllDesktops(idOf(window)); };
        QMetaObject::invokeMethod(window, request, Qt::QueuedConnection);
    };
    if (window->isVisible())
        ask();
    // A window manager forgets the desktop of a window that was hidden: ask at every show.
    const char* const followed = "brindlemoor.allDesktops";
    if (window->property(followed).toBool())
        return;
    window->setProperty(followed, true);
    QObject::connect(window, &QWindow::visibleChanged, window, [ask](bool visible) {
        if (visible)
            ask();
    });
}

void X11WindowSystem::placeAboveEverything(QWindow* window)
{
    // Out of the window manager's hands (override-redirect): every manager stacks a focused
    // full-screen window above its "keep above" windows, as EWMH recommends, so a managed
    // window gets over it only by taking the focus, which a game may answer by minimising
    // itself. Unmanaged, the window stays where the X server puts it, on top, on every
    // desktop, and the keyboard focus stays where it was.
    if (window != nullptr)
        window->setFlag(Qt::BypassWindowManagerHint);
}

void X11WindowSystem::keepAbove(QWindow* window)
{
    keepAbove(idOf(window));
}

void X11WindowSystem::skipTaskbarAndPager(QWindow* window)
{
    skipTaskbarAndPager(idOf(window));
}

void X11WindowSystem::activate(QWindow* window)
{
    const xcb_window_t id = idOf(window);
    if (!m_x->isConnected() || id == XCB_WINDOW_NONE)
        return;
    sendToWindowManager(id, m_x->atom("_NET_ACTIVE_WINDOW"), {directAction, XCB_CURRENT_TIME, XCB_WINDOW_NONE});
    xcb_flush(m_x->get());
}

void X11WindowSystem::askForAllDesktops(xcb_window_t window)
{
    if (window == XCB_WINDOW_NONE)
        return;
    sendToWindowManager(window, m_x->atom("_NET_WM_DESKTOP"), {allDesktops, directAction});
    xcb_flush(m_x->get());
}

void X11WindowSystem::keepAbove(xcb_window_t window)
{
    addStates(window, {m_x->atom("_NET_WM_STATE_ABOVE")});
}

void X11WindowSystem::skipTaskbarAndPager(xcb_window_t window)
{
    addStates(window, {m_x->atom("_NET_WM_STATE_SKIP_TASKBAR"), m_x->atom("_NET_WM_STATE_SKIP_PAGER")});
}

bool X11WindowSystem::isMapped(xcb_window_t window) const
{
    xcb_connection_t* c = m_x->get();
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

void X11WindowSystem::addStates(xcb_window_t window, std::initializer_list<xcb_atom_t> states)
{
    if (!m_x->isConnected() || window == XCB_WINDOW_NONE)
        return;
    const xcb_atom_t property = m_x->atom("_NET_WM_STATE");
    if (isMapped(window)) {
        // One message carries at most two states.
        const auto* state = states.begin();
        sendToWindowManager(window, property,
                            {addState, state[0], states.size() > 1 ? state[1] : uint32_t{0}, directAction});
    } else {
        // Qt keeps the states it does not manage itself when it maps the window.
        std::optional<QByteArray> current = m_x->property(window, property, XCB_ATOM_ATOM);
        QByteArray value = current.value_or(QByteArray());
        for (const xcb_atom_t state : states) {
            bool present = false;
            for (qsizetype at = 0; at + 4 <= value.size(); at += 4)
                present = present || std::memcmp(value.constData() + at, &state, 4) == 0;
            if (!present)
                value.append(reinterpret_cast<const char*>(&state), 4);
        }
        xcb_change_property(m_x->get(), XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(value.size() / 4), value.constData());
    }
    xcb_flush(m_x->get());
}

void X11WindowSystem::sendToWindowManager(xcb_window_t window, xcb_atom_t type, std::initializer_list<uint32_t> data)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::copy(data.begin(), data.end(), std::begin(event.data.data32));
    xcb_send_event(m_x->get(), 0, m_x->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
}

} // namespace brindlemoor
