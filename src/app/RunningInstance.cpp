// SPDX-License-Identifier: MIT
#include "app/RunningInstance.h"

#include "app/AppLogging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QTimer>

namespace brindlemoor {

namespace {

// The other instance holds the lock from its first moments but takes its name a little later.
bool waitForName(const QDBusConnection& bus, std::chrono::milliseconds timeout)
{
    // Watching before asking, so that a name taken in between is not missed.
    QDBusServiceWatcher watcher(RunningInstance::serviceName, bus, QDBusServiceWatcher::WatchForRegistration);
    if (bus.interface()->isServiceRegistered(RunningInstance::serviceName).value())
        return true;
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec();
    return bus.interface()->isServiceRegistered(RunningInstance::serviceName).value();
}

} // namespace

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
    if (!waitForName(bus, timeout)) {
        m_error = QStringLiteral("it has no name on the session bus");
        return false;
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
