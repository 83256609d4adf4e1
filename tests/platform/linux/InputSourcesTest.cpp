// SPDX-License-Identifier: MIT
#include "core/monitors/ClickMonitor.h"
#include "platform/linux/IdleSourceChooser.h"
#include "platform/linux/X11ScreenSaverIdleSource.h"
#include "platform/linux/XInput2ClickSource.h"
#include "ScriptedBusService.h"
#include "support/DesktopSession.h"
#include "support/MessageLog.h"
#include "support/QtPrinting.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <atomic>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using brindlemoor::test::ScriptedBusService;
using namespace Qt::StringLiterals;

TEST(X11InputSources, IdleTimeGrowsWithoutInputAndClicksAreSeenWithoutBeingTaken)
{
    DesktopSession session(DesktopSession::Options{.bus = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();

    X11ScreenSaverIdleSource idle(session.display());
    ASSERT_TRUE(idle.isAvailable()) << idle.errorText().toStdString();
    const double start = idle.secondsSinceLastInput();
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return idle.secondsSinceLastInput() >= start + 0.5; }));
    const double beforeInput = idle.secondsSinceLastInput();
    ASSERT_TRUE(session.xdotool({u"mousemove"_s, u"17"_s, u"23"_s}));
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return idle.secondsSinceLastInput() < beforeInput; }));

    QProcess* target = nullptr;
    const quint32 window =
        session.startWindow(QStringLiteral(BRINDLEMOOR_TEST_WINDOW),
                            {u"--title"_s, u"click target"_s, u"--report-buttons"_s}, u"click target"_s, &target);
    ASSERT_NE(window, 0U) << session.error().toStdString();
    QStringList pressesOnWindow;
    const auto press = [&](int button) {
        ASSERT_TRUE(session.xdotool({u"mousemove"_s, u"--window"_s, QString::number(window), u"60"_s, u"60"_s,
                                     u"click"_s, QString::number(button)}));
    };
    const auto readPresses = [&] {
        pressesOnWindow += QString::fromLatin1(target->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    const auto click = [&](int button) {
        const qsizetype before = pressesOnWindow.size();
        press(button);
        ASSERT_TRUE(DesktopSession::waitUntil([&] {
            readPresses();
            return pressesOnWindow.size() > before;
        }));
    };
    // The window has the press, so the server has sent the raw event too; the event loop does
    // not run here, so the source has not read it.
    const auto clickUnread = [&](int button) {
        const qsizetype before = pressesOnWindow.size();
        press(button);
        while (pressesOnWindow.size() == before && target->waitForReadyRead(10000))
            readPresses();
        ASSERT_GT(pressesOnWindow.size(), before);
    };

    XInput2ClickSource clicks(session.display());
    ASSERT_TRUE(clicks.isAvailable());
    int seen = 0;
    ClickMonitor monitor(clicks);
    QObject::connect(&monitor, &ClickMonitor::pressed, [&] { ++seen; });
    monitor.start();
    monitor.start(); // still one registration: one callback per click

    click(1);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return seen >= 1; }));
    click(3);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return seen >= 2; }));
    click(2); // the middle button is not watched
    click(1);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return seen >= 3; }));
    EXPECT_EQ(seen, 3);

    monitor.stop();
    click(1);
    monitor.start();
    click(3);
    // Events arrive in order on one connection: a press seen while stopped would come first.
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return seen >= 4; }));
    EXPECT_EQ(seen, 4);

    // A press that came before stop() but was not read yet belonged to the old registration.
    clickUnread(1);
    monitor.stop();
    monitor.start();
    click(3);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return seen >= 5; }));
    EXPECT_EQ(seen, 5);

    // Every press reached the window under the pointer, watched or not.
    EXPECT_EQ(pressesOnWindow, (QStringList{u"button 1"_s, u"button 3"_s, u"button 2"_s, u"button 1"_s, u"button 1"_s,
                                            u"button 3"_s, u"button 1"_s, u"button 3"_s}));
}

TEST(IdleSourceChooser, PrefersMutterThenTheScreenSaverExtension)
{
    DesktopSession session(DesktopSession::Options{.windowManager = false});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    const QDBusConnection bus = QDBusConnection::connectToBus(session.busAddress(), QStringLiteral("chooser"));
    ASSERT_TRUE(bus.isConnected());

    {
        const test::MessageLog log;
        const auto source = IdleSourceChooser::choose(bus, session.display());
        EXPECT_EQ(log.lines(), QStringList{QStringLiteral("idle time from the X screen-saver extension")});
        EXPECT_TRUE(dynamic_cast<X11ScreenSaverIdleSource*>(source.get()));
    }

    std::atomic<quint64> idleMs = 4321;
    ScriptedBusService mutter(
        session.busAddress(), QStringLiteral("org.gnome.Mutter.IdleMonitor"),
        QStringLiteral("/org/gnome/Mutter/IdleMonitor"), [&](const QDBusMessage& call) -> std::optional<QVariantList> {
            if (call.path() != u"/org/gnome/Mutter/IdleMonitor/Core" ||
                call.interface() != u"org.gnome.Mutter.IdleMonitor" || call.member() != u"GetIdletime")
                return std::nullopt;
            return QVariantList{QVariant::fromValue<qulonglong>(idleMs.load())};
        });
    ASSERT_TRUE(mutter.isReady());
    const test::MessageLog log;
    const auto source = IdleSourceChooser::choose(bus, session.display());
    EXPECT_EQ(log.lines(), QStringList{QStringLiteral("idle time from Mutter's idle monitor")});
    EXPECT_DOUBLE_EQ(source->secondsSinceLastInput(), 4.321);
    idleMs = 130000;
    EXPECT_DOUBLE_EQ(source->secondsSinceLastInput(), 130.0);
}
