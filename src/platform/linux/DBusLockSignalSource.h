// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QDBusConnection>

#include <memory>

namespace brindlemoor {

/// Lock and unlock from every place a Linux desktop announces them: logind's LockedHint and
/// its Lock and Unlock signals on the system bus, and the screen savers' ActiveChanged on the
/// session bus.
class DBusLockSignalSource final : public LockSignalSource {
public:
    /// The screen-saver interfaces listened to, from any sender and on any object path.
    static const QStringList screenSaverInterfaces;

    DBusLockSignalSource(QDBusConnection sessionBus, QDBusConnection systemBus);
    ~DBusLockSignalSource() override;
    DBusLockSignalSource(const DBusLockSignalSource&) = delete;
    DBusLockSignalSource& operator=(const DBusLockSignalSource&) = delete;

    /// True once the logind session's signals are subscribed (the session lookup is asynchronous).
    bool isWatchingLogind() const;

private:
    class Relay;

    void listenToScreenSavers();
    void findLogindSession();
    void listenToLogindSession(const QString& sessionPath);
    void readLockedHint();
    void deliver(bool locked);

    QDBusConnection m_sessionBus;
    QDBusConnection m_systemBus;
    std::unique_ptr<Relay> m_relay;
    QString m_sessionPath;
    bool m_watchingLogind = false;
};

} // namespace brindlemoor
