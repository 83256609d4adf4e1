// SPDX-License-Identifier: MIT
// The real program on headless Wayland desktops, with native Wayland windows in front:
// GNOME Shell with the program's extension, and weston, where nothing tells the focus.
#include "core/foundation/Clock.h"
#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"
#include "platform/sqlite/SqliteKeyValueStore.h"
#include "support/ProgramTesting.h"
#include "support/WaylandSession.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;
using namespace std::chrono_literals;

namespace {

const QString kWatched = QStringLiteral("watched-app");
const QString kOther = QStringLiteral("other-app");
const QString kUsage = QStringLiteral("Today in Brindlemoor");
constexpr std::chrono::seconds savePeriod{UsageStore::ticksPerSave};
// The program takes this long without input for the user's absence.
constexpr std::chrono::seconds idleThreshold{120};

/// The count on disk, with the waits of ProgramEndToEndTest.
struct Count {
    QString configHome;

    double operator()() const { return countedSeconds(configHome, kWatched); }
    bool goesOn(double seconds) const
    {
        const double target = (*this)() + seconds;
        return DesktopSession::waitUntil([&] { return (*this)() >= target; }, savePeriod + 8s);
    }
    /// Stands still for longer than a save takes to come, which a counting program never does.
    bool stops() const
    {
        double last = (*this)();
        QElapsedTimer still;
        still.start();
        return DesktopSession::waitUntil(
            [&] {
                if (const double now = (*this)(); now != last) {
                    last = now;
                    still.restart();
                }
                return still.elapsed() >= std::chrono::milliseconds(savePeriod + 1500ms).count();
            },
            2 * savePeriod + 5s);
    }
};

/// The share of the screen in exactly this colour.
double shareOf(const QImage& screen, const QColor& colour)
{
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    qint64 matching = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        matching += std::count(line, line + image.width(), colour.rgb());
    }
    return image.isNull() ? 0.0 : double(matching) / (double(image.width()) * image.height());
}

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
    const Count counted{session.configHome()};
    prepareReturningUser(session.configHome(), {kWatched});
    const QColor watchedColour(Qt::red);
    ASSERT_NE(session.startTestWindow(kWatched, QStringLiteral("Watched"), watchedColour), nullptr)
        << session.error().toStdString();
    ASSERT_NE(session.startTestWindow(kOther, QStringLiteral("Other"), Qt::blue), nullptr)
        << session.error().toStdString();
    QProcess* program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);

    // GNOME's top bar has no tray: the extension draws the dot the program hands it.
    const QRect topBar(0, 0, INT_MAX, 32);
    QRect dot;
    EXPECT_TRUE(
        DesktopSession::waitUntil([&] { return !(dot = trayDotArea(session.screenshot(), topBar)).isEmpty(); }, 20s))
        << "the dot shows in the top bar";

    ASSERT_TRUE(session.focus(QStringLiteral("Watched")));
    EXPECT_TRUE(counted.goesOn(3)) << "the focused watched window counts";
    ASSERT_TRUE(session.focus(QStringLiteral("Other")));
    EXPECT_TRUE(counted.stops()) << "another native window in front counts nothing";
    ASSERT_TRUE(session.focus(QStringLiteral("Watched")));
    EXPECT_TRUE(counted.goesOn(1));

    ASSERT_TRUE(session.lock());
    EXPECT_TRUE(counted.stops()) << "a locked screen counts nothing";
    ASSERT_TRUE(session.unlock());
    ASSERT_EQ(session.focusedTitle(), QStringLiteral("Watched")) << "the unlock gives the focus back";
    EXPECT_TRUE(counted.goesOn(2)) << "the unlock resumes counting";

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
        EXPECT_TRUE(DesktopSession::waitUntil(popoverShown, 10s)) << "the dot's click opens the usage popover";
        ASSERT_TRUE(session.focus(QStringLiteral("Watched")));
        EXPECT_TRUE(DesktopSession::waitUntil([&] { return !popoverShown(); }, 10s)) << "a click elsewhere closes it";
    }
    EXPECT_TRUE(stopsCleanly(program));

    // A day a few seconds short of a one-minute limit, the watched app full screen in front.
    {
        SqliteKeyValueStore defaults(storePath(session.configHome()));
        PreferencesStore prefs(defaults);
        prefs.setDailyLimitMinutes(1);
        SystemClock clock;
        UsageStore usage(defaults, clock);
        while (usage.totalSecondsToday() < 50)
            usage.tick(kWatched);
        usage.flush();
    }
    const QColor fullScreenColour(Qt::green);
    ASSERT_NE(session.startTestWindow(kWatched, QStringLiteral("Full screen"), fullScreenColour, true), nullptr)
        << session.error().toStdString();
    // The last input until the end of the idle check below.
    ASSERT_TRUE(session.focus(QStringLiteral("Full screen")));
    EXPECT_GT(shareOf(session.screenshot(), fullScreenColour), 0.9);
    const double atStart = counted();
    program = session.start(QStringLiteral(BRINDLEMOOR_BINARY), {});
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(DesktopSession::waitUntil([&] { return shareOf(session.screenshot(), fullScreenColour) < 0.5; }, 30s))
        << "the break overlay covers the full-screen window, at " << counted() << " s";

    // Without input the count goes on up to the idle threshold and stops after it.
    ASSERT_LT(session.idleTime(), std::chrono::milliseconds(idleThreshold).count() / 2) << "too slow to tell";
    ASSERT_TRUE(DesktopSession::waitUntil(
        [&] { return session.idleTime() >= std::chrono::milliseconds(idleThreshold - 5s).count(); },
        idleThreshold + 10s));
    EXPECT_GT(counted(), atStart + 60) << "counting went on while the user was still there";
    ASSERT_TRUE(DesktopSession::waitUntil(
        [&] { return session.idleTime() >= std::chrono::milliseconds(idleThreshold + 2s).count(); }, 20s));
    EXPECT_TRUE(counted.stops()) << "GNOME's idle time stops the count";
    ASSERT_TRUE(session.nudge());
    EXPECT_TRUE(counted.goesOn(2)) << "input resumes it";
    EXPECT_TRUE(stopsCleanly(program));
}

TEST(ProgramOnWeston, SaysWhatItLacksCountsNothingAndQuitsCleanly)
{
    if (!WaylandSession::isInstalled(WaylandSession::Desktop::Weston))
        GTEST_SKIP() << "weston is not installed";
    WaylandSession session(
        {.desktop = WaylandSession::Desktop::Weston, .extensions = {}, .testWindowApps = {kWatched}});
    ASSERT_TRUE(session.isReady()) << session.error().toStdString();
    prepareReturningUser(session.configHome(), {kWatched});
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
    EXPECT_TRUE(Count{session.configHome()}.stops());
    EXPECT_EQ(Count{session.configHome()}(), 0) << "weston tells nobody which window is in front";
    EXPECT_EQ(program->state(), QProcess::Running) << hear().toStdString();
    EXPECT_TRUE(hear().contains(QRegularExpression(QStringLiteral("active[- ](window|application)[^\n]*unavailable"))))
        << "it says what it cannot know here: " << said.toStdString();
    EXPECT_TRUE(stopsCleanly(program));
}
