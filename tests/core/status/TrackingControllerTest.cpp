// SPDX-License-Identifier: MIT
#include "core/status/TrackingController.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeSources.h"
#include "platform/fake/RecordingCues.h"
#include "support/VirtualDay.h"

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace std::chrono_literals;
using Kind = StatusImage::Kind;

namespace {

const QString kA = QStringLiteral("org.gnome.Calculator");
const QString kB = QStringLiteral("debian-xterm");

/// Two watched apps with ten hours each, the sound on, and A in front.
struct Harness : test::VirtualDay {
    Harness()
    {
        for (const QString& app : {kA, kB}) {
            prefs.addApp(app);
            prefs.setLimit(app, 600);
        }
        prefs.setPlaySoundOnRed(true);
        apps.frontmost = RunningApp{kA};
    }

    void start()
    {
        usage = std::make_unique<UsageStore>(defaults, clock);
        today = std::make_unique<TodayModel>(prefs, *usage);
        controller = std::make_unique<TrackingController>(
            *today, prefs, *usage,
            TrackingServices{clock, scheduler, apps, idle, lock, indicator, overlay, sound, haptics});
    }
    double seconds(const QString& app) const { return usage->entries().value(app).cumulativeSeconds; }
    int breachRecords(const QString& app) const
    {
        return static_cast<int>(usage->todayBreachHours().value(app).size());
    }
    /// Counts on until the daily total is `total` seconds.
    void advanceToTotal(double total) { advanceSeconds(static_cast<int>(total - usage->totalSecondsToday())); }

    FakeActiveAppSource apps;
    FakeIdleTimeSource idle;
    FakeLockSignalSource lock;
    RecordingIndicator indicator;
    RecordingOverlay overlay;
    CountingSound sound;
    CountingHaptics haptics;
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<TodayModel> today;
    std::unique_ptr<TrackingController> controller;
};

} // namespace

// When a limit is reached is the model's; here the cue comes with the tick that reaches it, and
// not the one before. A start already past it is the next test's.
TEST(TrackingController, TheCueComesWithTheTickThatReachesTheExtendedLimitPerAppAndDaily)
{
    for (const bool daily : {false, true}) {
        for (const int offset : {-1, 0}) { // seconds from the limit plus its 30 s extension after the tick
            SCOPED_TRACE(testing::Message() << (daily ? "daily, " : "per app, ") << offset << " s");
            Harness h;
            h.prefs.setLimit(kA, daily ? 600 : 1);
            h.prefs.setDailyLimitMinutes(daily ? 1 : 0);
            const QString extension = daily ? QStringLiteral(R"("dailyExtension":30)")
                                            : QStringLiteral(R"("appExtensions":{"%1":30})").arg(kA);
            h.defaults.setValue(keys::usageDailyData,
                                QStringLiteral(R"({"entries":{"%1":{"bundleID":"%1","sessionSeconds":%2,)"
                                               R"("cumulativeSeconds":%2,"switchCount":1}},"todayIntervals":[],)"
                                               R"("lastResetDay":"2026-03-10",%3})")
                                    .arg(kA)
                                    .arg(89 + offset)
                                    .arg(extension)
                                    .toUtf8());
            h.start();
            h.advanceSeconds(1);
            EXPECT_EQ(h.sound.plays, offset == 0 ? 1 : 0);
            EXPECT_EQ(h.indicator.shown.kind, !daily && offset == 0 ? Kind::Red : Kind::Normal);
        }
    }
}

TEST(TrackingController, AnAppCuesOnceADayUntilItsRowIsReset)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.start();
    h.advanceSeconds(90);
    EXPECT_EQ(h.sound.plays, 1);
    EXPECT_EQ(h.haptics.pulses, 13) << "1.5 s of pulses";

    // A higher limit reached again, or the app removed and added again, does not cue again.
    h.prefs.setLimit(kA, 2);
    h.advanceSeconds(40);
    h.prefs.removeApp(kA);
    h.prefs.addApp(kA);
    h.prefs.setLimit(kA, 3);
    h.advanceSeconds(60);
    EXPECT_GE(h.seconds(kA), 180);
    EXPECT_EQ(h.sound.plays, 1);
    EXPECT_EQ(h.breachRecords(kA), 1);

    // A reset does; with the sound off the pulses still come.
    h.today->resetApp(kA);
    EXPECT_EQ(h.indicator.shown.kind, Kind::Normal);
    h.prefs.setPlaySoundOnRed(false);
    h.advanceSeconds(185);
    EXPECT_EQ(h.breachRecords(kA), 2);
    EXPECT_EQ(h.sound.plays, 1);
    EXPECT_EQ(h.haptics.pulses, 26);
}

TEST(TrackingController, StartingOrSavingTheListOverALimitRaisesNothing)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setDailyLimitMinutes(1);
    {
        UsageStore earlier(h.defaults, h.clock);
        for (int i = 0; i < 90; ++i)
            earlier.tick(kA);
        for (int i = 0; i < 90; ++i)
            earlier.tick(kB);
    }
    h.start();
    h.advanceSeconds(5);
    h.prefs.setLimit(kB, 1); // a list stored with a limit below today's use
    h.advanceSeconds(5);
    EXPECT_EQ(h.seconds(kA), 100);
    EXPECT_EQ(h.sound.plays + h.haptics.pulses + h.breachRecords(kA) + h.breachRecords(kB), 0);
    EXPECT_TRUE(h.overlay.shownWithMinutes.isEmpty());
    EXPECT_EQ(h.indicator.shown.badge, QStringLiteral("2"));
}

TEST(TrackingController, DailyLimitShowsTheOverlayInItsLastSevenSecondsThenCues)
{
    Harness h;
    h.prefs.setDailyLimitMinutes(60);
    h.start();
    h.advanceToTotal(3592);
    EXPECT_TRUE(h.overlay.shownWithMinutes.isEmpty());
    h.advanceToTotal(3593);
    EXPECT_EQ(h.overlay.shownWithMinutes, QList<qint64>{15});
    h.advanceToTotal(3599);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 1);
    EXPECT_EQ(h.sound.plays, 0);
    h.advanceToTotal(3600);
    EXPECT_EQ(h.sound.plays, 1);
    h.advanceSeconds(3);
    EXPECT_EQ(h.haptics.pulses, 17) << "2.0 s of pulses";
    EXPECT_EQ(h.indicator.shown.kind, Kind::Normal) << "the daily limit does not colour the dot";

    // Extending re-arms both daily cues for the new limit: 3603 used + 15 min from now.
    h.overlay.extend();
    EXPECT_EQ(h.usage->dailyExtension(), 903);
    h.advanceToTotal(4495);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 1);
    h.advanceToTotal(4496);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 2);
    h.advanceToTotal(4503);
    EXPECT_EQ(h.sound.plays, 2);
}

TEST(TrackingController, DailyCueSettings)
{
    struct Case {
        const char* name;
        qint64 dailyLimitMinutes;
        bool overlayEnabled;
        qint64 loweredTo; // after five minutes; 0 leaves the limit
        int overlays;
        int sounds;
    };
    const Case cases[] = {
        {"overlay off still cues the breach", 2, false, 0, 0, 1},
        {"no daily limit, no daily cues", 0, true, 0, 0, 0},
        {"a lowered limit jumps past the overlay's seven seconds", 10, true, 4, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.prefs.setDailyLimitMinutes(c.dailyLimitMinutes);
        h.prefs.setOverlayEnabled(c.overlayEnabled);
        h.start();
        h.advanceSeconds(300);
        if (c.loweredTo > 0)
            h.prefs.setDailyLimitMinutes(c.loweredTo);
        h.advanceSeconds(1);
        EXPECT_EQ(h.overlay.shownWithMinutes.size(), c.overlays);
        EXPECT_EQ(h.sound.plays, c.sounds);
    }
}

TEST(TrackingController, PausedCountsNothingAndShowsTheRing)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setMonitoringPaused(true);
    h.start();
    h.apps.activate(kB);
    h.lock.signal(true);
    h.lock.signal(false);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kA) + h.seconds(kB), 0) << "neither an app switch nor an unlock counts while paused";
    EXPECT_EQ(h.indicator.shown.kind, Kind::Paused);

    h.prefs.setMonitoringPaused(false);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kB), 10) << "resuming hands over the frontmost app";
    h.apps.activate(kA);
    h.advanceSeconds(70);
    h.prefs.setMonitoringPaused(true);
    h.advanceSeconds(10);
    EXPECT_EQ(h.indicator.shown.kind, Kind::Paused) << "the ring even with an app over its limit";
    EXPECT_EQ(h.seconds(kA), 70);
}

TEST(TrackingController, LockAndIdleStopCountingAndActivityResumesWithTheFrontmostApp)
{
    Harness h;
    h.start();
    h.advanceSeconds(10);
    h.lock.signal(true);
    h.apps.activate(kB); // ignored while locked
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kA) + h.seconds(kB), 10);
    h.lock.signal(false);
    h.advanceSeconds(5);
    EXPECT_EQ(h.seconds(kB), 5);

    // Idle is noticed at the next five-second poll, between 120 and 125 s after the last input.
    h.idle.idleSeconds = 130;
    h.advanceSeconds(5);
    const double atIdle = h.seconds(kB);
    h.advanceSeconds(60);
    EXPECT_EQ(h.seconds(kB), atIdle);

    // Activity resumes, but never with this program's own window in front.
    h.apps.frontmost = RunningApp{TrackingController::ownBundleID};
    h.idle.idleSeconds = 0;
    h.advanceSeconds(15);
    h.apps.activate(TrackingController::ownBundleID);
    h.advanceSeconds(3);
    EXPECT_EQ(h.seconds(kA) + h.seconds(kB), 10 + atIdle);
    h.apps.activate(kA);
    h.advanceSeconds(3);
    EXPECT_EQ(h.seconds(kA), 13);
}

TEST(TrackingController, ANewDayCuesAgain)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setDailyLimitMinutes(2);
    h.start();
    h.advanceSeconds(130);
    EXPECT_EQ(h.sound.plays, 2); // the app's limit, then the day's
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 1);

    h.clock.set(QDateTime(QDate(2026, 3, 11), QTime(8, 0)));
    h.advanceSeconds(1);
    EXPECT_EQ(h.indicator.shown.kind, Kind::Normal);
    h.advanceSeconds(59);
    EXPECT_EQ(h.sound.plays, 3) << "the same app reaching its limit on the new day";
    h.advanceSeconds(53);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 2) << "the overlay before the new day's limit";
    h.advanceSeconds(7);
    EXPECT_EQ(h.sound.plays, 4);
}

TEST(TrackingController, TrayImageCountsWatchedAppsOverTheirLimits)
{
    Harness h;
    h.start();
    QStringList apps;
    for (int i = 0; i < 11; ++i) {
        apps << QStringLiteral("app-%1").arg(i);
        h.prefs.addApp(apps.last());
        h.prefs.setLimit(apps.last(), 1);
    }
    const QStringList badges = {QString(),           QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"),
                                QStringLiteral("9"), QStringLiteral("9+")};
    h.prefs.setUseShapes(true);
    for (int i = 0; i < 10; ++i) {
        for (int second = 0; second < 60; ++second)
            h.usage->tick(apps[i]);
        EXPECT_EQ(h.indicator.shown, (StatusImage{Kind::Red, {}, true, badges[i]})) << i;
    }
    // Apps no longer watched never count; a colour change shows at once when all are under.
    for (int i = 0; i < 10; ++i)
        h.prefs.removeApp(apps[i]);
    h.prefs.setDotColor({0.9, 0.1, 0.4});
    EXPECT_EQ(h.indicator.shown, (StatusImage{Kind::Normal, {0.9, 0.1, 0.4}, false, QString()}));
}

TEST(TrackingController, HapticBurstsReplaceEachOther)
{
    Harness h;
    h.start();
    h.controller->playHaptics(1.5);
    h.scheduler.advance(600ms);
    EXPECT_EQ(h.haptics.pulses, 6);
    h.controller->playHaptics(2.0);
    h.scheduler.advance(5s);
    EXPECT_EQ(h.haptics.pulses, 6 + 17);
}
