// SPDX-License-Identifier: MIT
#include "platform/linux/X11ScreenSaverIdleSource.h"

#include "platform/linux/XcbConnection.h"

#include <xcb/screensaver.h>

namespace brindlemoor {

X11ScreenSaverIdleSource::X11ScreenSaverIdleSource(const QByteArray& display)
    : m_x(std::make_unique<XcbConnection>(display))
{
    if (!m_x->isConnected()) {
        m_error = m_x->errorText();
        return;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(m_x->get(), &xcb_screensaver_id);
    if (extension == nullptr || extension->present == 0)
        m_error = QStringLiteral("the X server has no MIT-SCREEN-SAVER extension");
}

X11ScreenSaverIdleSource::~X11ScreenSaverIdleSource() = default;

double X11ScreenSaverIdleSource::secondsSinceLastInput()
{
    if (!isAvailable() || !m_x->isConnected())
        return 0;
    xcb_connection_t* c = m_x->get();
    const XcbReply<xcb_screensaver_query_info_reply_t> info(
        xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, m_x->root()), nullptr));
    return info ? static_cast<double>(info->ms_since_user_input) / 1000.0 : 0.0;
}

} // namespace brindlemoor
