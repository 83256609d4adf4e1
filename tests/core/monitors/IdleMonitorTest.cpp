// SPDX-License-Identifier: MIT
#include "core/monitors/IdleMonitor.h"
#include "platform/fake/FakeSources.h"
#include "support/VirtualDay.h"

#include <gtest/gtest.h>

#include <vector>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

TEST(IdleMonitor, ReportsOnlyChangesOfTheIdleStateAtEachFiveSecondPoll)
{
    struct Case {
        const char* name;
        std::vector<double> idleSecondsAtPolls;
        std::vector<bool> expectedReports;
    };
    const std::vector<Case> cases = {
        {"two polls at 130 s report idle once", {130, 130}, {true}},
        {"just below the threshold is active", {119.9, 119.9}, {}},
        {"exactly the threshold is idle", {120}, {true}},
        {"input after idleness reports active once", {130, 3, 4}, {true, false}},
        {"active from the start reports nothing", {0, 5, 10}, {}},
        {"idle, active, idle again", {200, 0, 121}, {true, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualDay day;
        FakeIdleTimeSource source;
        IdleMonitor monitor(source, day.scheduler);
        std::vector<bool> reports;
        monitor.onIdleStateChange = [&](bool idle) { reports.push_back(idle); };
        monitor.start();
        for (const double seconds : c.idleSecondsAtPolls) {
            source.idleSeconds = seconds;
            day.advanceSeconds(5);
        }
        EXPECT_EQ(reports, c.expectedReports);
        EXPECT_EQ(monitor.isUserIdle(), !c.expectedReports.empty() && c.expectedReports.back());
    }
}

TEST(IdleMonitor, NoticesIdlenessBetween120And125SecondsAfterTheLastInput)
{
    // The source counts from the last input on the virtual clock, as a real one would.
    for (const int inputAtMs : {0, 1, 2500, 4999}) {
        SCOPED_TRACE(inputAtMs);
        VirtualDay day;
        const QDateTime start = day.clock.now();
        struct ClockedIdle final : IdleTimeSource {
            ManualClock& clock;
            QDateTime lastInput;
            ClockedIdle(ManualClock& c, QDateTime at)
                : clock(c)
                , lastInput(std::move(at))
            {
            }
            double secondsSinceLastInput() override { return lastInput.msecsTo(clock.now()) / 1000.0; }
        } source(day.clock, start.addMSecs(inputAtMs));

        IdleMonitor monitor(source, day.scheduler);
        qint64 reportedAtMs = -1;
        monitor.onIdleStateChange = [&](bool idle) {
            if (idle && reportedAtMs < 0)
                reportedAtMs = start.msecsTo(day.clock.now());
        };
        monitor.start();
        day.advanceSeconds(200);

        ASSERT_GE(reportedAtMs, 0);
        EXPECT_GE(reportedAtMs, inputAtMs + 120000);
        EXPECT_LT(reportedAtMs, inputAtMs + 125000);
        EXPECT_EQ(reportedAtMs % 5000, 0) << "only a poll can change the state";
    }
}

TEST(IdleMonitor, StopsPollingWhenDestroyed)
{
    VirtualDay day;
    int polls = 0;
    struct CountingIdle final : IdleTimeSource {
        int& polls;
        explicit CountingIdle(int& p)
            : polls(p)
        {
        }
        double secondsSinceLastInput() override
        {
            ++polls;
            return 0;
        }
    } counting(polls);
    {
        IdleMonitor monitor(counting, day.scheduler);
        EXPECT_EQ(day.scheduler.activeTimerCount(), 0) << "polling waits for start()";
        monitor.start();
        day.advanceSeconds(15);
        EXPECT_EQ(polls, 3);
    }
    EXPECT_EQ(day.scheduler.activeTimerCount(), 0);
    day.advanceSeconds(60);
    EXPECT_EQ(polls, 3);
}
