// SPDX-License-Identifier: MIT
#include "app/RunningInstance.h"

#include "app/AppLogging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QThread>

namespace brindlemoor {

bool RunningInstance::registerOn(QDBusConnection bus)
{
    if (!bus.isConnected()) {
        qCWarning(lcApp) << "no session bus: a second start cannot reach this one";
        return false;
    }
    if (!bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots)) {
        qCWarning(lcApp).noquote()
            << QStringLiteral("cannot offer %1 on the session bus: %2").arg(objectPath, bus.lastError().message());
        return false;
    }
    if (!bus.registerService(serviceName)) {
        qCWarning(lcApp).noquote() << QStringLiteral("cannot take the name %1 on the session bus: %2")
                                          .arg(serviceName, bus.lastError().message());
        return false;
    }
    return true;
}

bool RunningInstance::ask(const QDBusConnection& bus, Request request, std::chrono::milliseconds timeout)
{
    m_error.clear();
    if (!bus.isConnected()) {
        m_error = QStringLiteral("no session bus");
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    // The other instance holds the lock from its first moments but takes its name a little later.
    while (!bus.interface()->isServiceRegistered(serviceName).value()) {
        if (waited.elapsed() >= timeout.count()) {
            m_error = QStringLiteral("it has no name on the session bus");
            return false;
        }
        QThread::msleep(50);
    }
    const QString method = request == Request::Settings ? QStringLiteral("ShowSettings") : QStringLiteral("ShowUsage");
    const QDBusMessage reply =
        bus.call(QDBusMessage::createMethodCall(serviceName, objectPath, QStringLiteral(BRINDLEMOOR_APP_ID), method));
    if (reply.type() == QDBusMessage::ErrorMessage) {
        m_error = reply.errorMessage();
        return false;
    }
    return true;
}

void RunningInstance::ShowUsage()
{
    Q_EMIT requested(Request::Usage);
}

void RunningInstance::ShowSettings()
{
    Q_EMIT requested(Request::Settings);
}

} // namespace brindlemoor
