// SPDX-License-Identifier: MIT
#include "core/status/StatusBarController.h"
#include "core/model/SettingsKeys.h"
#include "platform/fake/FakeSources.h"
#include "platform/fake/RecordingCues.h"
#include "support/VirtualDay.h"

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace std::chrono_literals;

namespace {

const QString kA = QStringLiteral("org.gnome.Calculator");
const QString kB = QStringLiteral("debian-xterm");

struct Harness : test::VirtualDay {
    Harness()
    {
        prefs.addApp(kA);
        prefs.addApp(kB);
        prefs.setLimit(kA, 600);
        prefs.setLimit(kB, 600);
    }

    StatusBarController& start()
    {
        usage = std::make_unique<UsageStore>(defaults, clock);
        controller = std::make_unique<StatusBarController>(
            prefs, *usage,
            StatusBarServices{clock, scheduler, apps, idle, lock, clicks, indicator, overlay, sound, haptics});
        return *controller;
    }
    UsageStore& store() { return *usage; }
    double seconds(const QString& app) { return store().entries().value(app).cumulativeSeconds; }
    /// Advances to the moment the daily total reaches `total` seconds while one app is counted.
    void advanceToTotal(double total) { advanceSeconds(static_cast<int>(total - store().totalSecondsToday())); }
    int breachRecords(const QString& app) { return static_cast<int>(store().todayBreachHours().value(app).size()); }

    FakeActiveAppSource apps;
    FakeIdleTimeSource idle;
    FakeLockSignalSource lock;
    FakeClickSource clicks;
    RecordingIndicator indicator;
    RecordingOverlay overlay;
    CountingSound sound;
    CountingHaptics haptics;
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<StatusBarController> controller;
};

} // namespace

TEST(StatusBarController, AnAppReachingItsLimitCuesOnceUntilItsRowIsReset)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setPlaySoundOnRed(true);
    h.apps.frontmost = RunningApp{kA};
    h.start();

    h.advanceSeconds(59);
    EXPECT_EQ(h.sound.plays, 0);
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Normal);
    h.advanceSeconds(1);
    EXPECT_EQ(h.sound.plays, 1);
    EXPECT_EQ(h.breachRecords(kA), 1);
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Red);
    h.advanceSeconds(30);
    EXPECT_EQ(h.sound.plays, 1) << "later ticks raise nothing";
    EXPECT_EQ(h.haptics.pulses, 13) << "1.5 s of pulses";
    EXPECT_EQ(h.breachRecords(kA), 1);

    h.controller->resetUsage(kA);
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Normal);
    h.advanceSeconds(60);
    EXPECT_EQ(h.sound.plays, 2) << "a reset re-arms the cue";
    EXPECT_EQ(h.breachRecords(kA), 2);

    // With the sound off, the pulses still come.
    h.prefs.setPlaySoundOnRed(false);
    h.controller->resetUsage(kA);
    h.advanceSeconds(62);
    EXPECT_EQ(h.sound.plays, 2);
    EXPECT_EQ(h.haptics.pulses, 39);
}

TEST(StatusBarController, ALimitIsReachedAtExactlyItsMinutesPlusItsExtensionPerAppAndDaily)
{
    struct Case {
        bool daily;
        double extension;
        int offset; // seconds from limit plus extension after the tick
    };
    const Case cases[] = {{false, 0, -1}, {false, 0, 0}, {false, 0, 1}, {false, 30, -1}, {false, 30, 0}, {false, 30, 1},
                          {true, 0, -1},  {true, 0, 0},  {true, 0, 1},  {true, 30, -1},  {true, 30, 0},  {true, 30, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.daily ? "daily" : "per app") << ", extension " << c.extension << ", "
                                        << c.offset << " s");
        Harness h;
        h.prefs.setLimit(kA, c.daily ? 600 : 1);
        h.prefs.setDailyLimitMinutes(c.daily ? 1 : 0);
        h.prefs.setPlaySoundOnRed(true);
        const double before = 60 + c.extension + c.offset - 1;
        const QString extension = c.daily ? QStringLiteral(R"("dailyExtension":%1)").arg(c.extension)
                                          : QStringLiteral(R"("appExtensions":{"%1":%2})").arg(kA).arg(c.extension);
        h.defaults.setValue(keys::usageDailyData,
                            QStringLiteral(R"({"entries":{"%1":{"bundleID":"%1","sessionSeconds":%2,)"
                                           R"("cumulativeSeconds":%2,"switchCount":1}},"todayIntervals":[],)"
                                           R"("lastResetDay":"2026-03-10",%3})")
                                .arg(kA)
                                .arg(before)
                                .arg(extension)
                                .toUtf8());
        h.apps.frontmost = RunningApp{kA};
        h.start();
        h.advanceSeconds(1);
        EXPECT_EQ(h.sound.plays, c.offset == 0 ? 1 : 0) << "the cue comes with the tick that reaches the limit";
        EXPECT_EQ(h.indicator.shown.kind,
                  !c.daily && c.offset >= 0 ? StatusImage::Kind::Red : StatusImage::Kind::Normal);
        h.clock.set(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        h.advanceSeconds(1);
        EXPECT_EQ(h.prefs.history().value(QStringLiteral("2026-03-10")),
                  static_cast<qint64>(c.offset >= 0 ? DayOutcome::OverLimit : DayOutcome::WithinLimits));
    }
}

TEST(StatusBarController, StartingAlreadyOverALimitRaisesNothing)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setDailyLimitMinutes(1);
    h.prefs.setPlaySoundOnRed(true);
    {
        UsageStore earlier(h.defaults, h.clock);
        for (int i = 0; i < 90; ++i)
            earlier.tick(kA, h.prefs);
    }
    h.apps.frontmost = RunningApp{kA};
    h.start();
    h.advanceSeconds(5);
    EXPECT_EQ(h.seconds(kA), 95);
    EXPECT_EQ(h.sound.plays, 0);
    EXPECT_EQ(h.haptics.pulses, 0);
    EXPECT_EQ(h.breachRecords(kA), 0);
    EXPECT_TRUE(h.overlay.shownWithMinutes.isEmpty());
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Red);

    // Lowering a limit below today's use in the settings raises nothing either.
    h.prefs.setLimit(kB, 1);
    h.store().tick(kB, h.prefs);
    for (int i = 0; i < 70; ++i)
        h.store().tick(kB, h.prefs);
    h.prefs.setLimit(kB, 1); // stored again: the settings handler marks it as fired
    h.advanceSeconds(3);
    EXPECT_EQ(h.sound.plays, 0);
    EXPECT_EQ(h.indicator.shown.badge, QStringLiteral("2"));
}

TEST(StatusBarController, DailyLimitShowsTheOverlayInItsLastSevenSecondsThenCues)
{
    Harness h;
    h.prefs.setDailyLimitMinutes(60);
    h.prefs.setPlaySoundOnRed(true);
    h.apps.frontmost = RunningApp{kA};
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
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Normal) << "the daily limit does not colour the dot";

    // Extending re-arms both daily cues for the new limit: 3603 used + 15 min from now.
    h.overlay.extend();
    EXPECT_EQ(h.store().dailyExtension(), 903);
    h.advanceToTotal(4495);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 1);
    h.advanceToTotal(4496);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 2);
    h.advanceToTotal(4503);
    EXPECT_EQ(h.sound.plays, 2);
}

TEST(StatusBarController, DailyCueSettings)
{
    struct Case {
        const char* name;
        qint64 dailyLimitMinutes;
        bool overlayEnabled;
        int overlays;
        int sounds;
    };
    const Case cases[] = {
        {"overlay off still cues the breach", 2, false, 0, 1},
        {"no daily limit, no daily cues", 0, true, 0, 0},
        {"both cues", 2, true, 1, 1},
    };
    for (const Case& c : cases) {
        Harness h;
        h.prefs.setDailyLimitMinutes(c.dailyLimitMinutes);
        h.prefs.setOverlayEnabled(c.overlayEnabled);
        h.prefs.setPlaySoundOnRed(true);
        h.apps.frontmost = RunningApp{kA};
        h.start();
        h.advanceSeconds(300);
        EXPECT_EQ(h.overlay.shownWithMinutes.size(), c.overlays) << c.name;
        EXPECT_EQ(h.sound.plays, c.sounds) << c.name;
    }
}

TEST(StatusBarController, PausedCountsNothingAndShowsTheRing)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setMonitoringPaused(true);
    h.apps.frontmost = RunningApp{kA};
    h.start();
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kA), 0) << "paused at start-up";
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Paused);

    h.apps.activate(kB);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kB), 0) << "an app switch while paused";
    h.lock.signal(true);
    h.lock.signal(false);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kB), 0) << "an unlock while paused";

    h.prefs.setMonitoringPaused(false);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kB), 10) << "resuming hands over the frontmost app";
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Normal);

    h.apps.activate(kA);
    h.advanceSeconds(70);
    h.prefs.setMonitoringPaused(true);
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Paused) << "the ring even with an app over its limit";
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kA), 70);
    EXPECT_EQ(h.haptics.pulses, 13);
}

TEST(StatusBarController, LockAndIdleStopCountingAndActivityResumesWithTheFrontmostApp)
{
    Harness h;
    h.apps.frontmost = RunningApp{kA};
    h.start();
    h.advanceSeconds(10);
    h.lock.signal(true);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kA), 10);
    h.apps.activate(kB); // ignored while locked
    h.advanceSeconds(5);
    EXPECT_EQ(h.seconds(kB), 0);
    h.lock.signal(false);
    h.advanceSeconds(5);
    EXPECT_EQ(h.seconds(kB), 5);

    // Idle is noticed at the next five-second poll, between 120 and 125 s after the last input.
    h.idle.idleSeconds = 130;
    h.advanceSeconds(5);
    const double atIdle = h.seconds(kB);
    h.advanceSeconds(60);
    EXPECT_EQ(h.seconds(kB), atIdle);
    EXPECT_TRUE(h.controller->idleMonitor().isUserIdle());

    // Activity resumes, but never with this program's own window in front.
    h.apps.frontmost = RunningApp{StatusBarController::ownBundleID};
    h.idle.idleSeconds = 0;
    h.advanceSeconds(5);
    h.advanceSeconds(10);
    EXPECT_EQ(h.seconds(kB), atIdle);
    EXPECT_FALSE(h.controller->accumulator().isRunning());
    h.apps.activate(StatusBarController::ownBundleID);
    h.apps.activate(std::nullopt);
    h.advanceSeconds(3);
    EXPECT_FALSE(h.controller->accumulator().isRunning());
    h.apps.activate(kA);
    h.advanceSeconds(3);
    EXPECT_EQ(h.seconds(kA), 13);
}

TEST(StatusBarController, ANewDayCuesAgain)
{
    Harness h;
    h.prefs.setLimit(kA, 1);
    h.prefs.setDailyLimitMinutes(2);
    h.prefs.setPlaySoundOnRed(true);
    h.apps.frontmost = RunningApp{kA};
    h.start();
    h.advanceSeconds(130);
    EXPECT_EQ(h.sound.plays, 2); // the app's limit, then the day's
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 1);

    h.clock.set(QDateTime(QDate(2026, 3, 11), QTime(8, 0)));
    h.advanceSeconds(1);
    EXPECT_EQ(h.store().lastResetDay(), QStringLiteral("2026-03-11"));
    EXPECT_EQ(h.indicator.shown.kind, StatusImage::Kind::Normal);
    h.advanceSeconds(59);
    EXPECT_EQ(h.sound.plays, 3) << "the same app reaching its limit on the new day";
    h.advanceSeconds(53);
    EXPECT_EQ(h.overlay.shownWithMinutes.size(), 2) << "the overlay before the new day's limit";
    h.advanceSeconds(7);
    EXPECT_EQ(h.sound.plays, 4);
}

TEST(StatusBarController, TrayImageCountsOnlyWatchedAppsOverTheirEffectiveLimits)
{
    Harness h;
    h.start();
    UsageStore& store = h.store();
    QStringList apps;
    for (int i = 0; i < 11; ++i) {
        apps << QStringLiteral("app-%1").arg(i);
        h.prefs.addApp(apps.last());
        h.prefs.setLimit(apps.last(), 1);
    }
    const auto useFor = [&](const QString& app, int seconds) {
        for (int i = 0; i < seconds; ++i)
            store.tick(app, h.prefs);
    };

    useFor(apps[0], 60);
    EXPECT_EQ(h.indicator.shown, (StatusImage{StatusImage::Kind::Red, {}, false, QString()}));
    h.prefs.setUseShapes(true);
    useFor(apps[1], 60);
    EXPECT_EQ(h.indicator.shown, (StatusImage{StatusImage::Kind::Red, {}, true, QStringLiteral("2")}));
    for (int i = 2; i < 9; ++i)
        useFor(apps[i], 60);
    EXPECT_EQ(h.indicator.shown.badge, QStringLiteral("9"));
    useFor(apps[9], 60);
    EXPECT_EQ(h.indicator.shown.badge, QStringLiteral("9+"));

    // Apps no longer watched never count, however long they ran.
    h.prefs.removeApp(apps[9]);
    h.prefs.removeApp(apps[8]);
    useFor(apps[9], 600);
    EXPECT_EQ(h.indicator.shown.badge, QStringLiteral("8"));

    // Exactly at limit plus extension counts as over; a colour change shows at once when all are under.
    for (int i = 0; i < 8; ++i)
        h.controller->resetUsage(apps[i]);
    h.prefs.setDotColor({0.9, 0.1, 0.4});
    EXPECT_EQ(h.indicator.shown, (StatusImage{StatusImage::Kind::Normal, {0.9, 0.1, 0.4}, false, QString()}));
}

TEST(StatusBarController, HapticBurstsReplaceEachOther)
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
