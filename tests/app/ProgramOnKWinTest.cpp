// SPDX-License-Identifier: MIT
// The real program in a headless KDE Plasma Wayland session: native windows reported by its
// KWin script, its tray item, its overlay over a full-screen native window, the script's
// life across quits and kills, KWin's idle notification and its own lock.
#include "platform/linux/KWinScript.h"
#include "StandInWatcher.h"
#include "support/KWinSession.h"
#include "support/ProgramTesting.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-app");
const QString kOther = QStringLiteral("other-app");
constexpr double kSeeded = 40; // of a one-minute limit: the overlay comes at 53 s

// The full-screen red window, darkened but not hidden by the overlay's translucent backdrop.
bool showsOverlayOverRed(const QImage& screen)
{
    const QColor at = screen.pixelColor(100, 400);
    return at.red() > 30 && at.red() < 200 && at.green() < 60 && at.blue() < 60;
}

// The class of the topmost window that covers the whole screen, as KWin stacks them.
const QString topmostCoveringClass = QStringLiteral(R"((function () {
    const order = workspace.stackingOrder;
    const screen = workspace.virtualScreenGeometry;
    for (let i = order.length - 1; i >= 0; --i) {
        const g = order[i].frameGeometry;
        if (!order[i].minimized && g.x <= screen.x && g.y <= screen.y && g.x + g.width >= screen.x + screen.width &&
            g.y + g.height >= screen.y + screen.height)
            return order[i].resourceClass;
    }
    return "";
})())");

/// The overlay over the full-screen red window, in KWin's picture of the screen. KWin 6 takes
/// one only while it composites with OpenGL, which takes a GPU; without, its stacking order tells.
bool showsOverlayOverRed(KWinSession& kwin)
{
    if (const QImage screen = kwin.screenshot(); !screen.isNull())
        return showsOverlayOverRed(screen);
    return kwin.evaluate(topmostCoveringClass)
               .value_or(QString())
               .compare(QStringLiteral("brindlemoor"), Qt::CaseInsensitive) == 0;
}

} // namespace

TEST(ProgramOnKWin, CountsNativeWindowsShowsItsCuesAndLeavesNoScriptBehind)
{
    if (!KWinSession::isInstalled())
        GTEST_SKIP() << "kwin_wayland is not installed";
    KWinSession kwin({});
    ASSERT_TRUE(kwin.isReady()) << kwin.error().toStdString();
    DesktopSession& session = kwin.desktop();
    StandInWatcher watcher(session.busAddress());
    ASSERT_TRUE(watcher.isReady());
    writeDesktopEntry(session, kWatched, kWatched);
    writeDesktopEntry(session, kOther, kOther);
    prepareReturningUser(session, {kWatched});
    seedDayNearTheLimit(session, kWatched, kSeeded);
    QProcess* watched = kwin.startWindow(kWatched, QStringLiteral("Watched"), Qt::red, true);
    QProcess* other = kwin.startWindow(kOther, QStringLiteral("Other"), Qt::blue);
    ASSERT_TRUE(watched != nullptr && other != nullptr) << session.error().toStdString();
    ASSERT_TRUE(kwin.activate(QStringLiteral("Watched"), watched));
    if (kwin.screenshot().isNull()) {
        ASSERT_EQ(kwin.evaluate(topmostCoveringClass), kWatched) << "KWin's stacking order is read";
    }
    ASSERT_FALSE(showsOverlayOverRed(kwin));

    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return !watcher.registered().isEmpty(); })) << "its tray item";
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return showsOverlayOverRed(kwin); }, 30s))
        << "the overlay over the full-screen window, at " << countedSeconds(session, kWatched) << " s";
    EXPECT_GE(countedSeconds(session, kWatched), kSeeded + 10);
    ASSERT_TRUE(kwin.activate(QStringLiteral("Other"), other));
    EXPECT_TRUE(stopsCounting(session, kWatched)) << "another native window is in front";

    ASSERT_TRUE(kwin.isScriptLoaded(KWinScript::pluginName));
    ASSERT_TRUE(stopsCleanly(program));
    EXPECT_FALSE(kwin.isScriptLoaded(KWinScript::pluginName)) << "a quit takes the script out of KWin";

    // A killed run leaves its script in KWin; the next one replaces it (KWin refuses a second of the name).
    program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return kwin.isScriptLoaded(KWinScript::pluginName); }));
    program->kill();
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_TRUE(kwin.isScriptLoaded(KWinScript::pluginName));
    program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_TRUE(kwin.activate(QStringLiteral("Watched"), watched));
    EXPECT_TRUE(countsOn(session, kWatched, 2)) << "the new run's script reports";

    // A headless KWin has had no input at all: its idle notification comes two minutes after the
    // run asked for it.
    EXPECT_TRUE(stopsCounting(session, kWatched, 150s)) << "two minutes without input stop the count";
    ASSERT_TRUE(kwin.nudge());
    EXPECT_TRUE(countsOn(session, kWatched, 2)) << "input resumes it";

    ASSERT_TRUE(kwin.lock());
    EXPECT_TRUE(stopsCounting(session, kWatched)) << "a locked screen counts nothing";
    ASSERT_TRUE(stopsCleanly(program));
    const QString said = QString::fromLocal8Bit(program->readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("active application: Brindlemoor's KWin script"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("idle: ext_idle_notifier_v1"))) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("no application is counted"))) << said.toStdString();
}
