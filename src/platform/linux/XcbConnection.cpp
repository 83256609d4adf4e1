// SPDX-License-Identifier: MIT
#include "platform/linux/XcbConnection.h"

#include <cstring>

namespace brindlemoor {

XcbConnection::XcbConnection(const QByteArray& display)
{
    const QByteArray name = display.isEmpty() ? qgetenv("DISPLAY") : display;
    if (name.isEmpty()) {
        m_error = QStringLiteral("no X display");
        return;
    }
    m_connection = xcb_connect(name.constData(), &m_screenNumber);
    if (xcb_connection_has_error(m_connection) != 0) {
        m_error = QStringLiteral("cannot connect to X display %1").arg(QString::fromLocal8Bit(name));
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    findRoot();
}

XcbConnection::XcbConnection(xcb_connection_t* borrowed)
    : m_connection(borrowed)
    , m_owned(false)
{
    // The lender opened the screen that DISPLAY names, as every X client does.
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &m_screenNumber) == 0)
        m_screenNumber = 0;
    std::free(host);
    if (m_connection != nullptr)
        findRoot();
}

std::unique_ptr<XcbConnection> XcbConnection::borrow(xcb_connection_t* connection)
{
    return std::unique_ptr<XcbConnection>(new XcbConnection(connection));
}

void XcbConnection::findRoot()
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < m_screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem > 0)
        m_root = screens.data->root;
}

XcbConnection::~XcbConnection()
{
    if (m_connection != nullptr && m_owned)
        xcb_disconnect(m_connection);
}

bool XcbConnection::isConnected() const
{
    return m_connection != nullptr && m_root != XCB_WINDOW_NONE && xcb_connection_has_error(m_connection) == 0;
}

int XcbConnection::fileDescriptor() const
{
    return m_connection != nullptr ? xcb_get_file_descriptor(m_connection) : -1;
}

xcb_atom_t XcbConnection::atom(const char* name) const
{
    if (!isConnected())
        return XCB_ATOM_NONE;
    const auto cookie = xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::optional<QByteArray> XcbConnection::property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
{
    if (!isConnected() || window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return std::nullopt;
    // Window properties that name applications are short; 4096 32-bit units is plenty.
    const auto cookie = xcb_get_property(m_connection, 0, window, property, type, 0, 4096);
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection, cookie, nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE)
        return std::nullopt;
    const int length = xcb_get_property_value_length(reply.get());
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
}

std::optional<xcb_window_t> XcbConnection::windowProperty(xcb_window_t window, xcb_atom_t property) const
{
    const std::optional<QByteArray> value = this->property(window, property, XCB_ATOM_WINDOW);
    if (!value || value->size() < static_cast<qsizetype>(sizeof(xcb_window_t)))
        return std::nullopt;
    xcb_window_t id = XCB_WINDOW_NONE;
    std::memcpy(&id, value->constData(), sizeof id);
    return id;
}

xcb_window_t XcbConnection::selectionOwner(xcb_atom_t selection) const
{
    if (!isConnected() || selection == XCB_ATOM_NONE)
        return XCB_WINDOW_NONE;
    const XcbReply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, selection), nullptr));
    return reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
}

} // namespace brindlemoor
