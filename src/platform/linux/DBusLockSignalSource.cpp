// SPDX-License-Identifier: MIT
#include "platform/linux/DBusLockSignalSource.h"

#include "platform/linux/PlatformLogging.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QMetaMethod>
#include <QVariantMap>

namespace brindlemoor {

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindSessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString lockedHint = QStringLiteral("LockedHint");

} // namespace

const QStringList DBusLockSignalSource::screenSaverInterfaces = {
    QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver"),
    QStringLiteral("org.xfce.ScreenSaver"), QStringLiteral("org.cinnamon.ScreenSaver")};

// QtDBus connects bus signals only by method signature. Relaying them through Qt
// signals keeps that to one place and lets the rest use typed connections.
class DBusLockSignalSource::Relay final : public QObject {
    Q_OBJECT
public:
    /// The form QDBusConnection::connect wants for a Qt signal as the receiving end.
    template <typename Signal> static QByteArray receiver(Signal signal)
    {
        return QByteArray::number(QSIGNAL_CODE) + QMetaMethod::fromSignal(signal).methodSignature();
    }

    // The definitions are moc's, which names the parameters _t1, _t2, ...
Q_SIGNALS:
    void activeChanged(bool active); // NOLINT(readability-inconsistent-declaration-parameter-name)
    void logindLock();
    void logindUnlock();
    // NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
};

DBusLockSignalSource::DBusLockSignalSource(QDBusConnection sessionBus, QDBusConnection systemBus)
    : m_sessionBus(std::move(sessionBus))
    , m_systemBus(std::move(systemBus))
    , m_relay(std::make_unique<Relay>())
{
    QObject::connect(m_relay.get(), &Relay::activeChanged, m_relay.get(), [this](bool active) { deliver(active); });
    QObject::connect(m_relay.get(), &Relay::logindLock, m_relay.get(), [this] { deliver(true); });
    QObject::connect(m_relay.get(), &Relay::logindUnlock, m_relay.get(), [this] { deliver(false); });
    QObject::connect(m_relay.get(), &Relay::propertiesChanged, m_relay.get(),
                     [this](const QString& interface, const QVariantMap& changed, const QStringList& invalidated) {
                         if (interface != logindSessionInterface)
                             return;
                         if (const auto it = changed.constFind(lockedHint); it != changed.constEnd())
                             deliver(it->toBool());
                         else if (invalidated.contains(lockedHint))
                             readLockedHint();
                     });
    listenToScreenSavers();
    findLogindSession();
}

DBusLockSignalSource::~DBusLockSignalSource() = default;

bool DBusLockSignalSource::isWatchingLogind() const
{
    return m_watchingLogind;
}

void DBusLockSignalSource::deliver(bool locked)
{
    Q_EMIT lockSignalled(locked);
}

void DBusLockSignalSource::listenToScreenSavers()
{
    if (!m_sessionBus.isConnected()) {
        qCWarning(lcPlatform).noquote() << QStringLiteral("screen-saver lock signals unavailable: %1")
                                               .arg(m_sessionBus.lastError().message().isEmpty()
                                                        ? QStringLiteral("no session bus")
                                                        : m_sessionBus.lastError().message());
        return;
    }
    const QByteArray receiver = Relay::receiver(&Relay::activeChanged);
    for (const QString& interface : screenSaverInterfaces) {
        // Empty service and path: screen savers send from whatever name and path they like.
        if (!m_sessionBus.connect(QString(), QString(), interface, QStringLiteral("ActiveChanged"), QStringLiteral("b"),
                                  m_relay.get(), receiver.constData()))
            qCWarning(lcPlatform).noquote()
                << QStringLiteral("cannot listen to %1: %2").arg(interface, m_sessionBus.lastError().message());
    }
}

void DBusLockSignalSource::findLogindSession()
{
    if (!m_systemBus.isConnected()) {
        qCWarning(lcPlatform).noquote() << QStringLiteral("logind lock signals unavailable: no system bus");
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(logindService, QStringLiteral("/org/freedesktop/login1"),
                                       QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSession"));
    call << QStringLiteral("auto");
    auto* watcher = new QDBusPendingCallWatcher(m_systemBus.asyncCall(call), m_relay.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, m_relay.get(), [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (reply.isError()) {
            qCWarning(lcPlatform).noquote()
                << QStringLiteral("logind lock signals unavailable: %1").arg(reply.error().message());
            return;
        }
        listenToLogindSession(reply.value().path());
    });
}

void DBusLockSignalSource::listenToLogindSession(const QString& sessionPath)
{
    m_sessionPath = sessionPath;
    m_watchingLogind = m_systemBus.connect(logindService, sessionPath, propertiesInterface,
                                           QStringLiteral("PropertiesChanged"), QStringLiteral("sa{sv}as"),
                                           m_relay.get(), Relay::receiver(&Relay::propertiesChanged).constData());
    // Where no screen locker sets LockedHint (wlroots desktops), logind's requests to lock are all there is.
    m_watchingLogind = m_watchingLogind &&
                       m_systemBus.connect(logindService, sessionPath, logindSessionInterface, QStringLiteral("Lock"),
                                           m_relay.get(), Relay::receiver(&Relay::logindLock).constData()) &&
                       m_systemBus.connect(logindService, sessionPath, logindSessionInterface, QStringLiteral("Unlock"),
                                           m_relay.get(), Relay::receiver(&Relay::logindUnlock).constData());
    if (!m_watchingLogind)
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("logind lock signals unavailable: %1").arg(m_systemBus.lastError().message());
}

void DBusLockSignalSource::readLockedHint()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(logindService, m_sessionPath, propertiesInterface, QStringLiteral("Get"));
    call << logindSessionInterface << lockedHint;
    auto* watcher = new QDBusPendingCallWatcher(m_systemBus.asyncCall(call), m_relay.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, m_relay.get(), [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *call;
        if (!reply.isError())
            deliver(reply.value().variant().toBool());
    });
}

} // namespace brindlemoor

#include "DBusLockSignalSource.moc"
