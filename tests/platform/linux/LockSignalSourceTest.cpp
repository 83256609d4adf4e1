// SPDX-License-Identifier: MIT
#include "platform/linux/DBusLockSignalSource.h"
#include "ScriptedBusService.h"
#include "support/DesktopSession.h"

#include <QDBusObjectPath>
#include <QDBusVariant>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using brindlemoor::test::ScriptedBusService;

namespace {

const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_37");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");

/// A round trip to the bus: everything this connection sent before, match rules included, is in effect.
void syncWithBus(const QDBusConnection& bus)
{
    bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                            QStringLiteral("/org/freedesktop/DBus"),
                                            QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")));
}

} // namespace

TEST(DBusLockSignalSource, EveryLockSignalFromAnyScreenSaverOrLogindIsOneCallback)
{
    DesktopSession session(DesktopSession::Options{.display = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();

    // The private bus stands in for the system bus too, with a logind that knows one session.
    std::atomic<bool> lockedHint = false;
    ScriptedBusService logind(
        session.busAddress(), QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        [&](const QDBusMessage& call) -> std::optional<QVariantList> {
            if (call.member() == u"GetSession" && call.arguments().value(0) == QStringLiteral("auto"))
                return QVariantList{QVariant::fromValue(QDBusObjectPath(sessionPath))};
            if (call.member() == u"Get" && call.path() == sessionPath &&
                call.arguments().value(1) == QStringLiteral("LockedHint"))
                return QVariantList{QVariant::fromValue(QDBusVariant(lockedHint.load()))};
            return std::nullopt;
        });
    ASSERT_TRUE(logind.isReady());
    const QDBusConnection sessionBus =
        QDBusConnection::connectToBus(session.busAddress(), QStringLiteral("lock-session"));
    const QDBusConnection systemBus =
        QDBusConnection::connectToBus(session.busAddress(), QStringLiteral("lock-system"));

    DBusLockSignalSource source(sessionBus, systemBus);
    std::vector<bool> signals;
    QObject::connect(&source, &LockSignalSource::lockSignalled, &source,
                     [&](bool locked) { signals.push_back(locked); });
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return source.isWatchingLogind(); }));
    syncWithBus(sessionBus);
    syncWithBus(systemBus);

    const auto expectSignal = [&](const std::function<void()>& send, bool locked) {
        const size_t before = signals.size();
        send();
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return signals.size() > before; }));
        EXPECT_EQ(signals.back(), locked);
    };
    const auto screenSaver = [&](const char* path, const char* interface, bool active) {
        return [&session, path, interface, active] {
            EXPECT_TRUE(session.emitSignal(
                QString::fromLatin1(path), QString::fromLatin1(interface), QStringLiteral("ActiveChanged"),
                {active ? QStringLiteral("boolean:true") : QStringLiteral("boolean:false")}));
        };
    };
    const auto logindChange = [&](const QVariantMap& changed, const QStringList& invalidated = {}) {
        return [&logind, changed, invalidated] {
            EXPECT_TRUE(logind.emitSignal(sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                          QStringLiteral("PropertiesChanged"),
                                          {sessionInterface, changed, invalidated}));
        };
    };

    expectSignal(screenSaver("/org/gnome/ScreenSaver", "org.gnome.ScreenSaver", true), true);
    expectSignal(screenSaver("/org/gnome/ScreenSaver", "org.gnome.ScreenSaver", true), true);
    expectSignal(screenSaver("/any/path/at/all", "org.freedesktop.ScreenSaver", false), false);
    expectSignal(screenSaver("/", "org.xfce.ScreenSaver", true), true);
    // Signals that are not lock signals, each followed by one that is.
    screenSaver("/org/example/ScreenSaver", "org.example.ScreenSaver", true)();
    EXPECT_TRUE(session.emitSignal(QStringLiteral("/org/cinnamon/ScreenSaver"),
                                   QStringLiteral("org.cinnamon.ScreenSaver"), QStringLiteral("WakeUpScreen")));
    expectSignal(screenSaver("/org/cinnamon/ScreenSaver", "org.cinnamon.ScreenSaver", false), false);

    expectSignal(logindChange({{QStringLiteral("LockedHint"), true}}), true);
    logindChange({{QStringLiteral("Active"), true}})();
    expectSignal(logindChange({{QStringLiteral("LockedHint"), false}, {QStringLiteral("IdleHint"), true}}), false);
    lockedHint = true;
    expectSignal(logindChange({}, {QStringLiteral("LockedHint")}), true); // read back when only invalidated
    // Where no locker sets the hint, logind's own requests.
    for (const bool lock : {false, true})
        expectSignal(
            [&] {
                EXPECT_TRUE(logind.emitSignal(sessionPath, sessionInterface,
                                              lock ? QStringLiteral("Lock") : QStringLiteral("Unlock"), {}));
            },
            lock);

    EXPECT_EQ(signals, (std::vector<bool>{true, true, false, true, false, true, false, true, false, true}));
}
