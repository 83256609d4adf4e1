// SPDX-License-Identifier: MIT
#include "ScriptedBusService.h"

#include <QDBusVirtualObject>
#include <QThread>
#include <QUuid>

namespace brindlemoor::test {

class ScriptedBusService::Object final : public QDBusVirtualObject {
public:
    explicit Object(Handler handler)
        : m_handler(std::move(handler))
    {
    }

    QString introspect(const QString& /*path*/) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        const std::optional<QVariantList> arguments = m_handler(message);
        connection.send(arguments ? message.createReply(*arguments)
                                  : message.createErrorReply(QDBusError::UnknownMethod, message.member()));
        return true;
    }

private:
    Handler m_handler;
};

ScriptedBusService::ScriptedBusService(const QString& busAddress, const QString& serviceName, const QString& objectPath,
                                       Handler handler)
    : m_connectionName(QStringLiteral("scripted-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_thread(std::make_unique<QThread>())
    , m_object(std::make_unique<Object>(std::move(handler)))
{
    // Registration gives the object a helper child, which must move to the thread with it;
    // the name is taken last, so no call can arrive before the object is in place.
    QDBusConnection connection = QDBusConnection::connectToBus(busAddress, m_connectionName);
    const bool registered = connection.isConnected() &&
                            connection.registerVirtualObject(objectPath, m_object.get(), QDBusConnection::SubPath);
    m_thread->start();
    m_object->moveToThread(m_thread.get());
    m_ready = registered && connection.registerService(serviceName);
}

ScriptedBusService::~ScriptedBusService()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_thread->quit();
    m_thread->wait();
}

bool ScriptedBusService::emitSignal(const QString& path, const QString& interface, const QString& member,
                                    const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createSignal(path, interface, member);
    message.setArguments(arguments);
    return send(message);
}

bool ScriptedBusService::send(const QDBusMessage& message)
{
    return QDBusConnection(m_connectionName).send(message);
}

} // namespace brindlemoor::test
