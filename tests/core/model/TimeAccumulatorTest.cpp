// SPDX-License-Identifier: MIT
#include "core/model/TimeAccumulator.h"
#include "core/model/UsageStore.h"
#include "support/VirtualDay.h"

#include <gtest/gtest.h>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace {

const QString kA = QStringLiteral("org.gnome.Calculator");
const QString kB = QStringLiteral("debian-xterm");
const QString kUnwatched = QStringLiteral("firefox-esr");

struct TrackedDay : VirtualDay {
    TrackedDay()
    {
        prefs.addApp(kA);
        prefs.addApp(kB);
        accumulator.onTick = [this] { ++ticks; };
    }
    double seconds(const QString& app) const { return store.entries().value(app).cumulativeSeconds; }

    UsageStore store{defaults, clock};
    TimeAccumulator accumulator{store, prefs, clock, scheduler};
    int ticks = 0;
};

} // namespace

TEST(TimeAccumulator, SwitchingBetweenWatchedAppsCountsSwitchesAndClosesIntervalsInOrder)
{
    TrackedDay day;
    day.accumulator.appActivated(kA);
    day.advanceSeconds(10);
    day.accumulator.appActivated(kA); // same app again: one interval, no switch
    day.advanceSeconds(5);
    day.accumulator.appActivated(kB);
    day.advanceSeconds(7);
    day.accumulator.appActivated(kA);
    day.advanceSeconds(3);

    EXPECT_EQ(day.store.entries().value(kA).switchCount, 2);
    EXPECT_EQ(day.store.entries().value(kB).switchCount, 1);
    EXPECT_EQ(day.seconds(kA), 18);
    EXPECT_EQ(day.seconds(kB), 7);
    EXPECT_EQ(day.ticks, 25);
    ASSERT_EQ(day.store.todayIntervals().size(), 2);
    EXPECT_EQ(day.store.todayIntervals()[0].bundleID, kA);
    EXPECT_EQ(day.store.todayIntervals()[0].end, QDateTime(QDate(2026, 3, 10), QTime(9, 0, 15)));
    EXPECT_EQ(day.store.todayIntervals()[1].bundleID, kB);
    ASSERT_TRUE(day.store.currentInterval());
    EXPECT_EQ(day.store.currentInterval()->bundleID, kA);
    EXPECT_FALSE(day.store.currentInterval()->end);

    // An application without an identifier leaves tracking as it is.
    day.accumulator.appActivated(std::nullopt);
    day.advanceSeconds(2);
    EXPECT_EQ(day.seconds(kA), 20);

    // A, stop, A again: a new interval but no second switch.
    day.accumulator.stop();
    day.advanceSeconds(30);
    EXPECT_EQ(day.seconds(kA), 20);
    EXPECT_EQ(day.scheduler.activeTimerCount(), 0);
    day.accumulator.appActivated(kA);
    EXPECT_EQ(day.store.entries().value(kA).switchCount, 2);
    EXPECT_EQ(day.store.todayIntervals().size(), 3);
    EXPECT_TRUE(day.store.currentInterval());
}

TEST(TimeAccumulator, UnwatchedAndRemovedAppsAreNotCredited)
{
    TrackedDay day;
    day.accumulator.appActivated(kA);
    day.advanceSeconds(4);
    day.accumulator.appActivated(kUnwatched);
    day.advanceSeconds(20);
    EXPECT_EQ(day.seconds(kA), 4);
    EXPECT_FALSE(day.store.entries().contains(kUnwatched));
    EXPECT_FALSE(day.accumulator.isRunning());
    EXPECT_FALSE(day.store.currentInterval());

    day.accumulator.appActivated(kB);
    day.advanceSeconds(3);
    day.prefs.removeApp(kB);
    day.advanceSeconds(10);
    EXPECT_EQ(day.seconds(kB), 3);
    EXPECT_EQ(day.ticks, 7);
    EXPECT_TRUE(day.accumulator.isRunning()) << "the timer keeps running for a removed app";

    day.prefs.addApp(kB);
    day.advanceSeconds(2);
    EXPECT_EQ(day.seconds(kB), 5);
}

TEST(TimeAccumulator, ResetAndExtensionDuringTheDay)
{
    TrackedDay day;
    day.prefs.setDailyLimitMinutes(60);
    day.accumulator.appActivated(kA);
    day.advanceSeconds(4000);
    day.store.resetApp(kA);
    EXPECT_EQ(day.store.entries().value(kA).sessionSeconds, 0);
    EXPECT_EQ(day.store.totalSecondsToday(), 4000);
    day.store.extendDaily(day.prefs.extendDurationMinutes(), static_cast<double>(day.prefs.dailyLimitMinutes() * 60));
    EXPECT_EQ(day.store.dailyExtension(), 1300);
    day.advanceSeconds(10);
    EXPECT_EQ(day.store.entries().value(kA).sessionSeconds, 10);
}

TEST(TimeAccumulator, MidnightHandsTheDayToTheHistoryAndCreditsTheNewDay)
{
    TrackedDay day;
    day.prefs.setLimit(kA, 1);
    day.accumulator.appActivated(kA);
    day.advanceSeconds(61);
    day.store.recordBreachHour(kA);
    day.clock.set(QDateTime(QDate(2026, 3, 10), QTime(23, 59, 58)));
    day.advanceSeconds(1); // 23:59:59, still the stored day
    EXPECT_EQ(day.seconds(kA), 62);
    day.advanceSeconds(1); // 00:00:00
    EXPECT_EQ(day.store.lastResetDay(), QStringLiteral("2026-03-11"));
    EXPECT_EQ(day.seconds(kA), 1);
    EXPECT_EQ(day.prefs.history().value(QStringLiteral("2026-03-10"), -1), 2);
    EXPECT_EQ(day.prefs.breachHoursByDay().value(QStringLiteral("2026-03-10")).value(kA), (QList<qint64>{9}));
    EXPECT_FALSE(day.store.currentInterval()) << "no interval opens until the next activation";

    // Fifteen more days of use keep the fourteen latest in the history.
    for (int i = 0; i < 15; ++i) {
        day.clock.set(day.clock.now().addDays(1));
        day.advanceSeconds(1);
    }
    const DayHistory history = day.prefs.history();
    EXPECT_EQ(history.size(), 14);
    EXPECT_EQ(history.firstKey(), QStringLiteral("2026-03-12"));
    EXPECT_EQ(history.lastKey(), QStringLiteral("2026-03-25"));
}
