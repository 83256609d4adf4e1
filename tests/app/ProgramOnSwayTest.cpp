// SPDX-License-Identifier: MIT
// The real program under a headless sway: the front from the compositor's toplevel list, idle
// time from its idle notifications, logind's lock, the bar's tray and the overlay, from outside.
#include "support/ProgramTesting.h"
#include "support/SwaySession.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

// The entry's id differs from the app_id: the match goes through StartupWMClass.
const QString kWatched = QStringLiteral("org.example.Watched");
const QString kWatchedWindow = QStringLiteral("watched-native");
const QString kOther = QStringLiteral("other-native");
const QRgb kWatchedColour = qRgb(200, 40, 40);

class ProgramOnSway : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SwaySession::isInstalled())
            GTEST_SKIP() << "sway, grim or xhost is not installed";
        session = std::make_unique<SwaySession>(SwaySession::Options{.logind = true});
        ASSERT_TRUE(session->isReady()) << session->error().toStdString();
        writeDesktopEntry(*session, kWatched, kWatchedWindow);
        writeDesktopEntry(*session, kOther, kOther);
        prepareReturningUser(*session, {kWatched});
        ASSERT_NE(session->startNativeWindow(kWatchedWindow, QColor(kWatchedColour)), nullptr)
            << session->error().toStdString();
        ASSERT_NE(session->startNativeWindow(kOther, QColor(0x30, 0x50, 0xc0)), nullptr)
            << session->error().toStdString();
    }

    QProcess* startProgram()
    {
        QProcess* program = session->start(QStringLiteral(BRINDLEMOOR_BINARY), {});
        EXPECT_NE(program, nullptr);
        return program;
    }

    double counted() const { return countedSeconds(*session, kWatched); }
    bool countsOn(double seconds) const { return test::countsOn(*session, kWatched, seconds); }
    bool stopsCounting(std::optional<std::chrono::seconds> within = std::nullopt) const
    {
        return test::stopsCounting(*session, kWatched, within);
    }
    /// The share of the screen that shows the full-screen watched window's colour.
    double watchedShare() const { return shareOf(session->grab(), kWatchedColour); }

    std::unique_ptr<SwaySession> session;
};

} // namespace

TEST_F(ProgramOnSway, CountsTheFocusedNativeWindowUntilLockedOrIdleAndShowsItsDotInTheBar)
{
    ASSERT_TRUE(session->focus(kOther));
    QProcess* program = startProgram();
    EXPECT_TRUE(Session::waitUntil([&] { return !trayDotArea(session->grab()).isEmpty(); }, 15s))
        << "the dot sits in swaybar's tray";
    ASSERT_TRUE(session->nudge());
    EXPECT_TRUE(stopsCounting());
    EXPECT_EQ(counted(), 0) << "the other window is not watched";

    ASSERT_TRUE(session->focus(kWatchedWindow));
    EXPECT_TRUE(countsOn(3)) << "the watched window in front counts";
    ASSERT_TRUE(session->focus(kOther));
    EXPECT_TRUE(stopsCounting());
    ASSERT_TRUE(session->focus(kWatchedWindow));
    EXPECT_TRUE(countsOn(1));

    // Each step's deadlines together stay well inside the idle threshold from this input.
    ASSERT_TRUE(session->nudge());
    ASSERT_TRUE(session->lockSession(true));
    EXPECT_TRUE(stopsCounting()) << "logind's Lock stops the count";
    ASSERT_TRUE(session->lockSession(false));
    EXPECT_TRUE(countsOn(2)) << "its Unlock resumes it";

    // No input from here on: the idle threshold passes, then a poll sees it.
    EXPECT_TRUE(stopsCounting(150s)) << "two minutes without input stop the count";
    ASSERT_TRUE(session->nudge());
    EXPECT_TRUE(countsOn(2)) << "input resumes it";
    EXPECT_EQ(session->focusedApp(), kWatchedWindow);
    EXPECT_TRUE(stopsCleanly(program));
}

TEST_F(ProgramOnSway, TheOverlayShowsAboveAFullScreenNativeWindow)
{
    // The overlay comes seven seconds before the limit.
    seedDayNearTheLimit(*session, kWatched, 50);
    ASSERT_TRUE(session->focus(kWatchedWindow));
    ASSERT_TRUE(session->swaymsg({QStringLiteral("fullscreen enable")}));
    ASSERT_TRUE(Session::waitUntil([&] { return watchedShare() > 0.99; })) << "the window fills the screen";
    ASSERT_TRUE(session->nudge());
    QProcess* program = startProgram();
    EXPECT_TRUE(Session::waitUntil([&] { return watchedShare() < 0.5; }, 20s))
        << "the overlay covers the window (at " << counted() << " s)";
    EXPECT_TRUE(Session::waitUntil([&] { return watchedShare() > 0.99; }, 15s)) << "and goes by itself";
    EXPECT_TRUE(stopsCleanly(program));
}
