// SPDX-License-Identifier: MIT
#include "platform/linux/WaylandIdleSource.h"

#include "platform/linux/WaylandConnection.h"

#include <protocols/ext-idle-notify-v1-client-protocol.h>
#include <protocols/kde-idle-client-protocol.h>

namespace brindlemoor {

struct WaylandIdleSource::Listeners {
    static void idled(void* data, ext_idle_notification_v1* /*notification*/)
    {
        static_cast<WaylandIdleSource*>(data)->idled();
    }
    static void resumed(void* data, ext_idle_notification_v1* /*notification*/)
    {
        static_cast<WaylandIdleSource*>(data)->resumed();
    }
    static void kdeIdle(void* data, org_kde_kwin_idle_timeout* /*timeout*/)
    {
        static_cast<WaylandIdleSource*>(data)->idled();
    }
    static void kdeResumed(void* data, org_kde_kwin_idle_timeout* /*timeout*/)
    {
        static_cast<WaylandIdleSource*>(data)->resumed();
    }

    static constexpr ext_idle_notification_v1_listener notification = {.idled = idled, .resumed = resumed};
    static constexpr org_kde_kwin_idle_timeout_listener kde = {.idle = kdeIdle, .resumed = kdeResumed};
};

WaylandIdleSource::WaylandIdleSource(WaylandConnection& connection)
    : m_connection(connection)
{
    if (!connection.isConnected()) {
        m_error = connection.errorText();
        return;
    }
    const bool ext = connection.version(ext_idle_notifier_v1_interface.name) > 0;
    if (!ext && connection.version(org_kde_kwin_idle_interface.name) == 0) {
        m_error = QStringLiteral("the compositor offers neither ext_idle_notifier_v1 nor org_kde_kwin_idle");
        return;
    }
    wl_seat* seat = connection.seat();
    if (seat == nullptr) {
        m_error = QStringLiteral("the compositor has no seat");
        return;
    }
    if (ext) {
        auto* notifier = static_cast<ext_idle_notifier_v1*>(connection.bind(ext_idle_notifier_v1_interface, 1));
        m_notification = ext_idle_notifier_v1_get_idle_notification(notifier, notificationTimeoutMs, seat);
        ext_idle_notification_v1_add_listener(m_notification, &Listeners::notification, this);
        // The notification lives on without the notifier.
        ext_idle_notifier_v1_destroy(notifier);
    } else {
        auto* idle = static_cast<org_kde_kwin_idle*>(connection.bind(org_kde_kwin_idle_interface, 1));
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(idle, seat, notificationTimeoutMs);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &Listeners::kde, this);
        org_kde_kwin_idle_destroy(idle);
    }
    connection.flush();
}

WaylandIdleSource::~WaylandIdleSource()
{
    if (m_notification != nullptr)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_kdeTimeout != nullptr)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
}

QString WaylandIdleSource::protocol() const
{
    return QString::fromLatin1(m_notification != nullptr ? ext_idle_notifier_v1_interface.name
                                                         : org_kde_kwin_idle_interface.name);
}

double WaylandIdleSource::secondsSinceLastInput()
{
    // Without the compositor nothing tells of input any more: never idle, as a source that cannot tell.
    if (!m_idleSince.isValid() || !m_connection.isConnected())
        return 0;
    return static_cast<double>(m_idleSince.elapsed() + notificationTimeoutMs) / 1000.0;
}

void WaylandIdleSource::idled()
{
    m_idleSince.start();
}

void WaylandIdleSource::resumed()
{
    m_idleSince.invalidate();
}

} // namespace brindlemoor
