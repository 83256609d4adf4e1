// SPDX-License-Identifier: MIT
// What the headless KWin 5.27 of the end-to-end test cannot show: Plasma 6's name for a loaded
// script, callers other than KWin, and a KWin without its scripting interface.
#include "platform/linux/KWinScript.h"
#include "ScriptedBusService.h"
#include "support/DesktopSession.h"
#include "support/MessageLog.h"
#include "support/QtPrinting.h"

#include <QDBusPendingCall>
#include <QMutex>
#include <QSignalSpy>

#include <atomic>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

const QString kwinName = QStringLiteral("org.kde.KWin");

QDBusMessage report(const QString& app, int pid)
{
    return QDBusMessage::createMethodCall(QStringLiteral("io.github.brindlemoor.Brindlemoor"), KWinScript::objectPath,
                                          QStringLiteral("io.github.brindlemoor.KWin1"),
                                          QStringLiteral("ReportActiveWindow"))
           << app << app << pid;
}

} // namespace

TEST(KWinScript, RunsUnderPlasma6sNamesHearsOnlyKWinAndSaysOnceWhenItCannot)
{
    DesktopSession session(DesktopSession::Options{.display = false, .windowManager = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    QDBusConnection bus = QDBusConnection::connectToBus(session.busAddress(), QStringLiteral("program"));
    ASSERT_TRUE(bus.registerService(QStringLiteral("io.github.brindlemoor.Brindlemoor")));
    QMutex mutex;
    QStringList calls;
    {
        ScriptedBusService plasma6(session.busAddress(), kwinName, QStringLiteral("/"),
                                   [&](const QDBusMessage& call) -> std::optional<QVariantList> {
                                       const QMutexLocker lock(&mutex);
                                       calls.append(call.path() + u' ' + call.member());
                                       if (call.member() == u"loadScript")
                                           return QVariantList{7};
                                       if (call.member() == u"unloadScript")
                                           return QVariantList{true};
                                       if (call.path() == u"/Scripting/Script7")
                                           return QVariantList{};
                                       return std::nullopt;
                                   });
        ASSERT_TRUE(plasma6.isReady());
        KWinScript script(bus, QStringLiteral("/usr/share/brindlemoor/kwin/active-window.js"));
        EXPECT_TRUE(script.isLoaded());
        QSignalSpy reports(&script, &KWinScript::activeWindowReported);
        const QDBusPendingCall forged = QDBusConnection::connectToBus(session.busAddress(), QStringLiteral("other"))
                                            .asyncCall(report(QStringLiteral("forged"), 1));
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return forged.isFinished(); }));
        ASSERT_TRUE(plasma6.send(report(QStringLiteral("org.kde.dolphin"), 42)));
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return !reports.isEmpty(); }));
        const auto window = reports.constFirst().constFirst().value<ReportedWindow>();
        EXPECT_EQ(window.appId, QStringLiteral("org.kde.dolphin"));
        EXPECT_EQ(window.pid, 42U);
        EXPECT_EQ(reports.size(), 1) << "only KWin's word counts";
    }
    const QMutexLocker lock(&mutex);
    EXPECT_EQ(calls,
              QStringList({QStringLiteral("/Scripting unloadScript"), QStringLiteral("/Scripting loadScript"),
                           QStringLiteral("/Scripting/Script7 run"), QStringLiteral("/Scripting unloadScript")}));

    const MessageLog log;
    std::atomic<int> asked = 0;
    const auto noScripting = [&] {
        return std::make_unique<ScriptedBusService>(session.busAddress(), kwinName, QStringLiteral("/"),
                                                    [&](const QDBusMessage&) -> std::optional<QVariantList> {
                                                        ++asked;
                                                        return std::nullopt;
                                                    });
    };
    auto kwin = noScripting();
    KWinScript script(bus, QStringLiteral("/usr/share/brindlemoor/kwin/active-window.js"));
    EXPECT_FALSE(script.isLoaded());
    // KWin back again, still without scripting: tried again, not said again.
    kwin = nullptr;
    const int before = asked;
    kwin = noScripting();
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return asked > before; }));
    EXPECT_FALSE(script.isLoaded());
    EXPECT_EQ(log.lines().size(), 1) << log.lines().join(u'\n').toStdString();
}
