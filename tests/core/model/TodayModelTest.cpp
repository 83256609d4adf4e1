// SPDX-License-Identifier: MIT
#include "core/model/TodayModel.h"
#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"
#include "support/VirtualDay.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");
const QString kOther = QStringLiteral("debian-xterm");

struct Day : VirtualDay {
    Day()
    {
        prefs.addApp(kApp);
        prefs.addApp(kOther);
    }
    void use(const QString& app, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            usage.tick(app);
    }

    UsageStore usage{defaults, clock};
    TodayModel today{prefs, usage};
};

} // namespace

// Every card's level comes from here: a popover row warns past 80 %, the daily bar, the floating
// cards and the pace card from 80 % on; both reach the limit at exactly the limit.
TEST(LimitProgress, LevelsAgainstTheLimitAndItsExtension)
{
    using enum LimitLevel;
    const struct {
        double used;
        std::optional<Limit> limit;
        LimitLevel past80, at80;
        double remaining;
        int percent;
    } cases[] = {
        {2879, Limit{60}, Under, Under, 0.2003, 79},
        {2880, Limit{60}, Under, Near, 0.2, 80}, // in floating point 1 - 2880 / 3600 falls just under 0.2
        {2881, Limit{60}, Near, Near, 0.1997, 80},
        {3599, Limit{60}, Near, Near, 0.0003, 99},
        {3600, Limit{60}, Reached, Reached, 0, 100},
        {4000, Limit{60}, Reached, Reached, 0, 111},
        {3600, Limit{60, 900}, Under, Near, 0.2, 80}, // the extension counts: 80 % of 75 minutes
        {1044, Limit{60}, Under, Under, 0.71, 29},    // 1044 × 100 / 3600 is 28.999... dividing first
        {0, Limit{0}, Reached, Reached, 0, 0},        // a limit of nothing is reached at once
        {5000, std::nullopt, Under, Under, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.used << " s of " << (c.limit ? c.limit->seconds() : -1));
        const LimitProgress progress{c.used, c.limit};
        EXPECT_EQ(progress.level(NearFrom::Past80Percent), c.past80);
        EXPECT_EQ(progress.level(NearFrom::At80Percent), c.at80);
        EXPECT_NEAR(progress.remainingFraction(), c.remaining, 1e-4);
        EXPECT_EQ(progress.percentUsed(), c.percent);
        EXPECT_EQ(progress.appTimeText(false).isEmpty(), c.past80 == Reached);
    }
    EXPECT_EQ((LimitProgress{0, Limit{60}}.appTimeText(false)), QStringLiteral("0m"));
    EXPECT_EQ((LimitProgress{0, Limit{60}}.dailyTimeText(false)), QStringLiteral("0s"));
    EXPECT_EQ((LimitProgress{5000, std::nullopt}.appTimeText(true)), QStringLiteral("0m left"));
}

TEST(TodayModel, ReadsBothStoresAndChangesOncePerCountedSecond)
{
    Day day;
    day.prefs.setLimit(kApp, 1);
    QSignalSpy changed(&day.today, &TodayModel::changed);
    day.use(kApp, 59);
    day.use(kOther, 10);
    EXPECT_EQ(changed.count(), 69);
    EXPECT_EQ(day.today.app(kApp).used, 59);
    EXPECT_EQ(day.today.app(kApp).limit->seconds(), 60);
    EXPECT_FALSE(day.today.app(QStringLiteral("not.watched")).limit) << "no limit for an app not watched";
    EXPECT_FALSE(day.today.daily().limit) << "no daily limit set";
    EXPECT_TRUE(day.today.appsAtLimit().isEmpty());

    day.use(kApp, 1);
    EXPECT_EQ(day.today.appsAtLimit(), QStringList{kApp});

    // A limit changed in the settings reaches the model, and through it the usage store, at once.
    changed.clear();
    day.prefs.setLimit(kApp, 2);
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(day.today.appsAtLimit().isEmpty());
    EXPECT_EQ(day.usage.appLimit(kApp)->seconds(), 120);
    day.prefs.setDailyLimitMinutes(1);
    EXPECT_TRUE(day.today.daily().isReached());
    EXPECT_EQ(day.today.daily().used, 70);
    EXPECT_EQ(day.usage.outcome(), DayOutcome::OverLimit) << "the day is judged with the same limits";
}

TEST(TodayModel, ResetAndExtendAreTheDaysOnlyActions)
{
    Day day;
    day.prefs.setLimit(kApp, 1);
    day.prefs.setDailyLimitMinutes(1);
    day.prefs.setExtendDurationMinutes(15);
    day.use(kApp, 100);

    QSignalSpy reset(&day.today, &TodayModel::appReset);
    day.today.resetApp(kApp);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(reset.at(0).at(0).toString(), kApp);
    EXPECT_EQ(day.today.app(kApp).used, 0);
    EXPECT_TRUE(day.today.appsAtLimit().isEmpty());
    EXPECT_TRUE(day.today.daily().isReached()) << "a reset does not lower the day's total";

    // Past the limit, an extension gives the set minutes from now: 100 s used, so 100 + 900.
    QSignalSpy changed(&day.today, &TodayModel::changed);
    day.today.extendDaily();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_DOUBLE_EQ(day.today.daily().limit->seconds(), 100 + 15 * 60);
    // Before it, the minutes are added; one taken earlier grants what it said then.
    const DailyExtension offered = day.today.nextExtension();
    day.prefs.setExtendDurationMinutes(5);
    day.today.extendDaily(offered);
    EXPECT_DOUBLE_EQ(day.today.daily().limit->seconds(), 100 + 30 * 60);
    // Past the extended limit too, measured from the limit the user set: again the minutes from now.
    day.use(kOther, 1900);
    day.today.extendDaily();
    EXPECT_DOUBLE_EQ(day.today.daily().limit->seconds(), 2000 + 5 * 60);

    day.today.setPaused(true);
    EXPECT_TRUE(day.prefs.isMonitoringPaused());
}
