// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace brindlemoor {

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
/// xcb hands out replies and events allocated with malloc.
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

/// One connection to the X server of our own, so that the event masks we select and the
/// events we read never mix with Qt's connection.
class XcbConnection final {
public:
    /// `display` as in DISPLAY; empty for the DISPLAY of the environment.
    explicit XcbConnection(const QByteArray& display = {});
    /// Borrows a connection opened elsewhere (Qt's own, whose windows must see our requests
    /// in order); it stays open when this one goes.
    static std::unique_ptr<XcbConnection> borrow(xcb_connection_t* connection);
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    /// True while the connection works.
    bool isConnected() const;
    /// Why there is no connection, for the user ("no X display").
    QString errorText() const { return m_error; }

    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    /// The screen DISPLAY names, for per-screen selections such as _NET_SYSTEM_TRAY_S0.
    int screenNumber() const { return m_screenNumber; }
    int fileDescriptor() const;
    xcb_atom_t atom(const char* name) const;

    /// The raw bytes of a property; none when the window or the property is missing.
    std::optional<QByteArray> property(xcb_window_t window, xcb_atom_t property,
                                       xcb_atom_t type = XCB_GET_PROPERTY_TYPE_ANY) const;
    /// A property holding one window id (_NET_ACTIVE_WINDOW, WM_TRANSIENT_FOR).
    std::optional<xcb_window_t> windowProperty(xcb_window_t window, xcb_atom_t property) const;
    /// The window owning a selection; none when nobody owns it.
    xcb_window_t selectionOwner(xcb_atom_t selection) const;

private:
    explicit XcbConnection(xcb_connection_t* borrowed);
    void findRoot();

    xcb_connection_t* m_connection = nullptr;
    bool m_owned = true;
    int m_screenNumber = 0;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    QString m_error;
};

} // namespace brindlemoor
