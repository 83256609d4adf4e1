// SPDX-License-Identifier: MIT
#include "core/monitors/EventMonitor.h"
#include "platform/fake/FakeSources.h"

#include <gtest/gtest.h>

using namespace brindlemoor;

TEST(EventMonitor, KeepsAtMostOneRegistrationAndForwardsClicksOnlyWhileRunning)
{
    FakeClickSource source;
    int handled = 0;
    {
        EventMonitor monitor(source, [&] { ++handled; });
        source.click();
        EXPECT_EQ(handled, 0) << "nothing is registered before start()";

        monitor.start();
        monitor.start();
        EXPECT_EQ(source.registrations, 1);
        EXPECT_TRUE(monitor.isRunning());
        source.click();
        EXPECT_EQ(handled, 1);

        monitor.stop();
        monitor.stop();
        EXPECT_EQ(source.registrations, 0);
        EXPECT_FALSE(monitor.isRunning());
        source.click();
        EXPECT_EQ(handled, 1);

        monitor.start();
        EXPECT_EQ(source.registrations, 1);
    }
    EXPECT_EQ(source.registrations, 0) << "destruction stops the monitor";
}

TEST(EventMonitor, AFailedRegistrationIsNotRunningAndIsNotRemovedLater)
{
    struct RefusingClickSource final : ClickSource {
        bool start(std::function<void()>) override { return false; }
        void stop() override { ++stops; }
        int stops = 0;
    } source;
    {
        EventMonitor monitor(source, [] {});
        monitor.start();
        EXPECT_FALSE(monitor.isRunning());
        monitor.stop();
    }
    EXPECT_EQ(source.stops, 0);
}
