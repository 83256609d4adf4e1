// SPDX-License-Identifier: MIT
#include "platform/linux/XInput2ClickSource.h"

#include "platform/linux/PlatformLogging.h"
#include "platform/linux/XcbConnection.h"

#include <QSocketNotifier>

#include <xcb/xinput.h>

namespace brindlemoor {

namespace {

constexpr uint32_t leftButton = 1;
constexpr uint32_t rightButton = 3;

} // namespace

XInput2ClickSource::XInput2ClickSource(const QByteArray& display)
    : m_x(std::make_unique<XcbConnection>(display))
{
    if (!m_x->isConnected()) {
        qCWarning(lcPlatform).noquote() << QStringLiteral("global click monitor unavailable: %1").arg(m_x->errorText());
        return;
    }
    xcb_connection_t* c = m_x->get();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    // Raw events reach the root window even while another client grabs the pointer only from 2.1 on.
    const XcbReply<xcb_input_xi_query_version_reply_t> version(
        extension != nullptr && extension->present != 0
            ? xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr)
            : nullptr);
    if (!version || version->major_version < 2 || (version->major_version == 2 && version->minor_version < 1)) {
        qCWarning(lcPlatform).noquote() << QStringLiteral(
            "global click monitor unavailable: the X server has no XInput 2.1");
        return;
    }
    m_inputOpcode = extension->major_opcode;
    m_available = true;
    m_notifier = std::make_unique<QSocketNotifier>(m_x->fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readEvents(); });
}

XInput2ClickSource::~XInput2ClickSource()
{
    stop();
}

bool XInput2ClickSource::isAvailable() const
{
    return m_available && m_x->isConnected();
}

bool XInput2ClickSource::selectRawButtonPresses(bool enabled)
{
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, enabled ? uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS} : 0};
    xcb_connection_t* c = m_x->get();
    const XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_input_xi_select_events_checked(c, m_x->root(), 1, &mask.head)));
    return !error && m_x->isConnected();
}

bool XInput2ClickSource::start()
{
    stop();
    if (!isAvailable() || !selectRawButtonPresses(true))
        return false;
    m_registered = true;
    // The round trip may have queued events that the socket will not announce again.
    const auto read = [this] { readEvents(); };
    QMetaObject::invokeMethod(m_notifier.get(), read, Qt::QueuedConnection);
    return true;
}

void XInput2ClickSource::stop()
{
    if (!m_registered)
        return;
    m_registered = false;
    if (!isAvailable())
        return;
    selectRawButtonPresses(false);
    // Presses read in before the round trip ended belong to the old registration; left in
    // the queue they would reach the next one.
    while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_queued_event(m_x->get())}) {
    }
}

void XInput2ClickSource::readEvents()
{
    while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(m_x->get())}) {
        if ((event->response_type & 0x7f) != XCB_GE_GENERIC)
            continue;
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event.get());
        if (generic->extension != m_inputOpcode || generic->event_type != XCB_INPUT_RAW_BUTTON_PRESS)
            continue;
        const auto* press = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event.get());
        if (press->detail != leftButton && press->detail != rightButton)
            continue;
        // A receiver may stop the source, so look at it afresh for each event.
        if (m_registered)
            Q_EMIT pressed();
    }
    if (!m_x->isConnected() && m_available) {
        m_available = false;
        m_notifier->setEnabled(false);
        qCWarning(lcPlatform).noquote() << QStringLiteral("global click monitor stopped: the X connection was lost");
    }
}

} // namespace brindlemoor
