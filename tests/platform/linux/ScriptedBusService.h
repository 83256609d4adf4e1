// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace brindlemoor::test {

/// A stand-in for a desktop service (Mutter, logind) on a test bus. It answers on a thread
/// of its own, so that code under test may call it with a blocking call.
class ScriptedBusService final {
public:
    /// The arguments of the reply, or none for an "unknown method" error. Runs on the service's thread.
    using Handler = std::function<std::optional<QVariantList>(const QDBusMessage& call)>;

    ScriptedBusService(const QString& busAddress, const QString& serviceName, const QString& objectPath,
                       Handler handler);
    ~ScriptedBusService();
    ScriptedBusService(const ScriptedBusService&) = delete;
    ScriptedBusService& operator=(const ScriptedBusService&) = delete;

    bool isReady() const { return m_ready; }
    /// Sends a signal from the service's own name, as the real service would.
    bool emitSignal(const QString& path, const QString& interface, const QString& member,
                    const QVariantList& arguments);
    /// Sends a message from the service's name without waiting for an answer (a call a real service makes).
    bool send(const QDBusMessage& message);

private:
    class Object;

    QString m_connectionName;
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<Object> m_object;
    bool m_ready = false;
};

} // namespace brindlemoor::test
