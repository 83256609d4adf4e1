// SPDX-License-Identifier: MIT
// The real program on headless Wayland desktops, with native Wayland windows in front:
// GNOME Shell with the program's extension, and weston, where nothing tells the focus.
#include "support/ProgramTesting.h"
#include "support/WaylandSession.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <climits>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-app");
const QString kOther = QStringLiteral("other-app");
const QString kUsage = QStringLiteral("Today in Brindlemoor");
// The program takes this long without input for the user's absence.
constexpr std::chrono::seconds idleThreshold{120};

QString extensionFolder()
{
    const QString chosen = qEnvironmentVariable("BRINDLEMOOR_GNOME_EXTENSION");
    return chosen.isEmpty() ? QStringLiteral(BRINDLEMOOR_GNOME_EXTENSION) : chosen;
}

} // namespace

TEST(ProgramOnGnomeShell, CountsTheFocusedNativeWindowUntilLockedOrIdleAndShowsItsDotPopoverAndOverlay)
{
    if (!WaylandSession::isInstalled(WaylandSession::Desktop::GnomeShell))
        GTEST_SKIP() << "GNOME Shell, XWayland, gjs or python3-dbusmock is not installed";
    ASSERT_TRUE(QFileInfo::exists(extensionFolder() + QStringLiteral("/metadata.json"))) << "the extension is built";
    WaylandSession session({.extensions = {extensionFolder()}, .testWindowApps = {kWatched, kOther}});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    const auto counted = [&] { return countedSeconds(session, kWatched); };
    const auto countsOn = [&](double seconds) { return test::countsOn(session, kWatched, seconds); };
    const auto stopsCounting = [&] { return test::stopsCounting(session, kWatched); };
    prepareReturningUser(session, {kWatched});
    ASSERT_NE(session.startTestWindow(kWatched, QStringLiteral("Watched"), Qt::red), nullptr)
        << session.error().toStdString();
    ASSERT_NE(session.startTestWindow(kOther, QStringLiteral("Other"), Qt::blue), nullptr)
        << session.error().toStdString();
    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);

    // GNOME's top bar has no tray: the extension draws the dot the program hands it.
    const QRect topBar(0, 0, INT_MAX, 32);
    QRect dot;
    EXPECT_TRUE(Session::waitUntil([&] { return !(dot = trayDotArea(session.screenshot(), topBar)).isEmpty(); }, 20s))
        << "the dot shows in the top bar";

    ASSERT_TRUE(session.focus(QStringLiteral("Watched")));
    EXPECT_TRUE(countsOn(3)) << "the focused watched window counts";
    ASSERT_TRUE(session.focus(QStringLiteral("Other")));
    EXPECT_TRUE(stopsCounting()) << "another native window in front counts nothing";
    ASSERT_TRUE(session.focus(QStringLiteral("Watched")));
    EXPECT_TRUE(countsOn(1));

    ASSERT_TRUE(session.lock());
    EXPECT_TRUE(stopsCounting()) << "a locked screen counts nothing";
    ASSERT_TRUE(session.unlock());
    ASSERT_EQ(session.focusedTitle(), QStringLiteral("Watched")) << "the unlock gives the focus back";
    EXPECT_TRUE(countsOn(2)) << "the unlock resumes counting";

    // A click on the dot opens the usage popover, an X11 window through XWayland.
    const auto popoverShown = [&] {
        return session.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                QStringLiteral("^%1$").arg(kUsage)});
    };
    if (!dot.isEmpty()) {
        // Found again: the top bar's indicator of the harness's remote input has come beside it.
        dot = trayDotArea(session.screenshot(), topBar);
        ASSERT_FALSE(dot.isEmpty());
        ASSERT_TRUE(session.click(dot.center()));
        EXPECT_TRUE(Session::waitUntil(popoverShown, 10s)) << "the dot's click opens the usage popover";
        ASSERT_TRUE(session.focus(QStringLiteral("Watched")));
        EXPECT_TRUE(Session::waitUntil([&] { return !popoverShown(); }, 10s)) << "a click elsewhere closes it";

        // The chart button in the popover's header, beside the pause button, opens the history.
        ASSERT_TRUE(session.click(dot.center()));
        ASSERT_TRUE(Session::waitUntil(popoverShown, 10s));
        const QRect popover = session.windowGeometry(QStringLiteral("^%1$").arg(kUsage));
        ASSERT_TRUE(session.click(popover.topLeft() + QPoint(157, 43)));
        EXPECT_TRUE(Session::waitUntil(
            [&] { return session.windowGeometry(QStringLiteral("^Usage history$")).isValid(); }, 10s))
            << "the chart button opens the history";
        EXPECT_TRUE(Session::waitUntil([&] { return !popoverShown(); }, 10s));
    }
    EXPECT_TRUE(stopsCleanly(program));

    // A day a few seconds short of a one-minute limit, the watched app full screen in front.
    seedDayNearTheLimit(session, kWatched, 50);
    const QColor fullScreenColour(Qt::green);
    ASSERT_NE(session.startTestWindow(kWatched, QStringLiteral("Full screen"), fullScreenColour, true), nullptr)
        << session.error().toStdString();
    // The last input until the end of the idle check below.
    ASSERT_TRUE(session.focus(QStringLiteral("Full screen")));
    EXPECT_GT(shareOf(session.screenshot(), fullScreenColour.rgb()), 0.9);
    const double atStart = counted();
    program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(Session::waitUntil([&] { return shareOf(session.screenshot(), fullScreenColour.rgb()) < 0.5; }, 30s))
        << "the break overlay covers the full-screen window, at " << counted() << " s";

    // Without input the count goes on up to the idle threshold and stops after it.
    ASSERT_LT(session.idleTime(), std::chrono::milliseconds(idleThreshold).count() / 2) << "too slow to tell";
    ASSERT_TRUE(
        Session::waitUntil([&] { return session.idleTime() >= std::chrono::milliseconds(idleThreshold - 5s).count(); },
                           idleThreshold + 10s));
    EXPECT_GT(counted(), atStart + 60) << "counting went on while the user was still there";
    ASSERT_TRUE(Session::waitUntil(
        [&] { return session.idleTime() >= std::chrono::milliseconds(idleThreshold + 2s).count(); }, 20s));
    EXPECT_TRUE(stopsCounting()) << "GNOME's idle time stops the count";
    ASSERT_TRUE(session.nudge());
    EXPECT_TRUE(countsOn(2)) << "input resumes it";
    EXPECT_TRUE(stopsCleanly(program));
}

TEST(ProgramOnWeston, SaysWhatItLacksCountsNothingAndQuitsCleanly)
{
    if (!WaylandSession::isInstalled(WaylandSession::Desktop::Weston))
        GTEST_SKIP() << "weston is not installed";
    WaylandSession session(
        {.desktop = WaylandSession::Desktop::Weston, .extensions = {}, .testWindowApps = {kWatched}});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    prepareReturningUser(session, {kWatched});
    // Headless weston has no seat: the window is in front, and nothing has the keyboard.
    ASSERT_NE(session.startTestWindow(kWatched, QStringLiteral("Watched"), Qt::red), nullptr)
        << session.error().toStdString();
    QProcessEnvironment environment = session.environment();
    // Qt's Wayland platform leaves libwayland proxies behind at exit; the program's windows use it here alone.
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=" BRINDLEMOOR_SOURCE_DIR "/tests/lsan-qt-wayland.supp"));
    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {}, environment);
    ASSERT_NE(program, nullptr);

    QString said;
    const auto hear = [&] {
        said += QString::fromLocal8Bit(program->readAllStandardError());
        return said;
    };
    EXPECT_TRUE(stopsCounting(session, kWatched));
    EXPECT_EQ(countedSeconds(session, kWatched), 0) << "weston tells nobody which window is in front";
    EXPECT_EQ(program->state(), QProcess::Running) << hear().toStdString();
    EXPECT_TRUE(hear().contains(QRegularExpression(QStringLiteral("active[- ](window|application)[^\n]*unavailable"))))
        << "it says what it cannot know here: " << said.toStdString();
    EXPECT_TRUE(stopsCleanly(program));
}
