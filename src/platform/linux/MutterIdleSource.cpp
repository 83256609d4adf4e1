// SPDX-License-Identifier: MIT
#include "platform/linux/MutterIdleSource.h"

#include "platform/linux/PlatformLogging.h"

#include <QDBusMessage>

namespace brindlemoor {

namespace {

// The poll runs on the main thread; a compositor that hangs must not freeze the program.
constexpr int callTimeoutMs = 1000;

} // namespace

MutterIdleSource::MutterIdleSource(QDBusConnection sessionBus)
    : m_bus(std::move(sessionBus))
{
}

std::optional<double> MutterIdleSource::query()
{
    m_error.clear();
    if (!m_bus.isConnected()) {
        m_error = QStringLiteral("no session bus");
        return std::nullopt;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
        QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        m_error = reply.errorMessage().isEmpty() ? QStringLiteral("no answer") : reply.errorMessage();
        return std::nullopt;
    }
    bool ok = false;
    const qulonglong milliseconds = reply.arguments().constFirst().toULongLong(&ok);
    if (!ok) {
        m_error = QStringLiteral("unexpected answer");
        return std::nullopt;
    }
    return static_cast<double>(milliseconds) / 1000.0;
}

double MutterIdleSource::secondsSinceLastInput()
{
    if (const std::optional<double> seconds = query())
        return *seconds;
    if (!m_failureReported) {
        m_failureReported = true;
        qCWarning(lcPlatform).noquote() << QStringLiteral("Mutter stopped answering for idle time: %1").arg(m_error);
    }
    return 0;
}

} // namespace brindlemoor
