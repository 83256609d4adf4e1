// SPDX-License-Identifier: MIT
#include "platform/linux/WaylandConnection.h"

#include "platform/linux/PlatformLogging.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>

namespace brindlemoor {

namespace {

QString errnoText(int error)
{
    return qt_error_string(error);
}

} // namespace

WaylandConnection::WaylandConnection()
{
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr) {
        m_error = QStringLiteral("cannot connect to the compositor (%1)").arg(errnoText(errno));
        return;
    }
    static const wl_registry_listener listener = {
        .global = &WaylandConnection::onGlobal,
        .global_remove = &WaylandConnection::onGlobalRemove,
    };
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &listener, this);
    if (!roundtrip())
        return;
    QStringList names;
    for (const Global& global : std::as_const(m_globals))
        names << QStringLiteral("%1 v%2").arg(global.interface).arg(global.version);
    qCDebug(lcPlatform).noquote() << QStringLiteral("Wayland globals: %1").arg(names.join(u", "));

    m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WaylandConnection::readEvents);
}

WaylandConnection::~WaylandConnection()
{
    m_notifier.reset();
    if (m_seat != nullptr)
        wl_seat_destroy(m_seat);
    if (m_registry != nullptr)
        wl_registry_destroy(m_registry);
    if (m_display != nullptr)
        wl_display_disconnect(m_display);
}

quint32 WaylandConnection::version(const char* interface) const
{
    const QString name = QString::fromLatin1(interface);
    const auto it = std::find_if(m_globals.cbegin(), m_globals.cend(),
                                 [&](const Global& global) { return global.interface == name; });
    return it == m_globals.cend() ? 0 : it->version;
}

void* WaylandConnection::bind(const wl_interface& interface, quint32 highestKnown)
{
    if (!isConnected())
        return nullptr;
    const QString name = QString::fromLatin1(interface.name);
    for (const Global& global : std::as_const(m_globals)) {
        if (global.interface == name)
            return wl_registry_bind(m_registry, global.name, &interface, std::min(global.version, highestKnown));
    }
    return nullptr;
}

wl_seat* WaylandConnection::seat()
{
    if (m_seat == nullptr)
        m_seat = static_cast<wl_seat*>(bind(wl_seat_interface, 1));
    return m_seat;
}

bool WaylandConnection::roundtrip()
{
    if (!isConnected())
        return false;
    if (wl_display_roundtrip(m_display) < 0) {
        fail(errnoText(wl_display_get_error(m_display)));
        return false;
    }
    return true;
}

void WaylandConnection::flush()
{
    // EAGAIN only means the socket is full; what is queued goes with the next flush.
    if (isConnected() && wl_display_flush(m_display) < 0 && errno != EAGAIN)
        fail(errnoText(errno));
}

void WaylandConnection::onGlobal(void* data, wl_registry* /*registry*/, quint32 name, const char* interface,
                                 quint32 version)
{
    static_cast<WaylandConnection*>(data)->m_globals.append({name, QString::fromLatin1(interface), version});
}

void WaylandConnection::onGlobalRemove(void* data, wl_registry* /*registry*/, quint32 name)
{
    auto* self = static_cast<WaylandConnection*>(data);
    self->m_globals.removeIf([name](const Global& global) { return global.name == name; });
}

void WaylandConnection::readEvents()
{
    if (!isConnected())
        return;
    // The standard pattern: events already queued are handled before reading more.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0) {
            fail(errnoText(wl_display_get_error(m_display)));
            return;
        }
    }
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0) {
        const int error = wl_display_get_error(m_display);
        fail(error != 0 ? errnoText(error) : QStringLiteral("the compositor closed the connection"));
        return;
    }
    flush();
}

void WaylandConnection::fail(const QString& why)
{
    if (m_lost)
        return;
    m_lost = true;
    m_error = why;
    // A closed socket stays readable: without this the loop would spin.
    if (m_notifier)
        m_notifier->setEnabled(false);
    qCWarning(lcPlatform).noquote()
        << QStringLiteral("the Wayland connection ended (%1); what came from it stops").arg(why);
    Q_EMIT lost();
}

} // namespace brindlemoor
