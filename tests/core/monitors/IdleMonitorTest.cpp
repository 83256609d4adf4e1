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
        {"idle, active, idle again, each change once", {130, 130, 3, 4, 121}, {true, false, true}},
        {"just below the threshold is active from the start", {119.9, 119.9}, {}},
        {"exactly the threshold is idle", {120}, {true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualDay day;
        FakeIdleTimeSource source;
        IdleMonitor monitor(source, day.scheduler);
        std::vector<bool> reports;
        QObject::connect(&monitor, &IdleMonitor::idleChanged, [&](bool idle) { reports.push_back(idle); });
        monitor.start();
        for (const double seconds : c.idleSecondsAtPolls) {
            source.idleSeconds = seconds;
            day.advanceSeconds(5);
        }
        EXPECT_EQ(reports, c.expectedReports);
        EXPECT_EQ(monitor.isUserIdle(), !c.expectedReports.empty() && c.expectedReports.back());
    }
}
