// SPDX-License-Identifier: MIT
#include "core/model/TimeAccumulator.h"
#include "core/foundation/DayKey.h"
#include "core/model/UsageStore.h"
#include "support/QtPrinting.h"
#include "support/VirtualDay.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace {

const QString kA = QStringLiteral("org.gnome.Calculator");
const QString kB = QStringLiteral("debian-xterm");
const QString kUnwatched = QStringLiteral("firefox-esr");

struct TrackedDay : VirtualDay {
    explicit TrackedDay(QDateTime start = QDateTime(QDate(2026, 3, 10), QTime(9, 0)))
        : VirtualDay(std::move(start))
    {
        prefs.addApp(kA);
        prefs.addApp(kB);
        QObject::connect(&accumulator, &TimeAccumulator::ticked, [this] { ++ticks; });
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
    day.accumulator.appActivated(std::nullopt); // an application without an identifier changes nothing
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
    EXPECT_EQ(day.store.currentInterval()->bundleID, kA);

    // A, stop, A again: a new interval but no second switch.
    day.accumulator.stop();
    day.advanceSeconds(30);
    EXPECT_EQ(day.seconds(kA), 18);
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
    EXPECT_FALSE(day.store.currentInterval());

    // Removed while in front: not credited, but the timer runs on and credits it once it is back.
    day.accumulator.appActivated(kB);
    day.advanceSeconds(3);
    day.prefs.removeApp(kB);
    day.advanceSeconds(10);
    day.prefs.addApp(kB);
    day.advanceSeconds(2);
    EXPECT_EQ(day.seconds(kB), 5);
    EXPECT_EQ(day.ticks, 9);
}

TEST(TimeAccumulator, ADaylightSavingDayIsCountedWholeAndClosedOnce)
{
    // Berlin: 23 hours on the last Sunday of March, 25 on the last Sunday of October.
    for (const auto& [date, hours] : {std::pair{QDate(2026, 3, 29), 23}, std::pair{QDate(2026, 10, 25), 25}}) {
        SCOPED_TRACE(hours);
        TrackedDay day(QDateTime(date.addDays(-1), QTime(23, 59, 59)));
        QSignalSpy rolled(&day.store, &UsageStore::dayRolledOver);
        day.accumulator.appActivated(kA);
        day.advanceSeconds(hours * 3600); // every second from 00:00:00 to 23:59:59
        EXPECT_EQ(day.store.lastResetDay(), dayKey(QDateTime(date, QTime(12, 0))));
        EXPECT_EQ(day.seconds(kA), hours * 3600);
        EXPECT_EQ(rolled.count(), 1) << "only the day before was closed";

        day.advanceSeconds(1);
        EXPECT_EQ(rolled.count(), 2);
        EXPECT_EQ(PastDays(day.defaults).history().lastKey(), dayKey(QDateTime(date, QTime(12, 0))));
        EXPECT_EQ(day.seconds(kA), 1);
    }
}
