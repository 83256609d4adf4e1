// SPDX-License-Identifier: MIT
#include "core/monitors/ScreenLockMonitor.h"
#include "platform/fake/FakeSources.h"

#include <gtest/gtest.h>

#include <vector>

using namespace brindlemoor;

TEST(ScreenLockMonitor, EverySignalIsOneCallbackAndTheStateFollowsTheLastOne)
{
    struct Case {
        const char* name;
        std::vector<bool> signals;
    };
    const std::vector<Case> cases = {
        {"two locks in a row give two callbacks", {true, true}},
        {"lock then unlock", {true, false}},
        {"an unlock while unlocked is still reported", {false, false, true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLockSignalSource source;
        ScreenLockMonitor monitor(source);
        std::vector<bool> calls;
        std::vector<bool> stateSeenByCallback;
        monitor.onLockStateChange = [&](bool locked) {
            calls.push_back(locked);
            stateSeenByCallback.push_back(monitor.isScreenLocked());
        };
        EXPECT_FALSE(monitor.isScreenLocked());
        for (const bool locked : c.signals)
            source.signal(locked);
        EXPECT_EQ(calls, c.signals);
        EXPECT_EQ(stateSeenByCallback, c.signals) << "the state is stored before the callback runs";
        EXPECT_EQ(monitor.isScreenLocked(), c.signals.back());
    }
}

TEST(ScreenLockMonitor, SignalsAfterDestructionReachNobody)
{
    FakeLockSignalSource source;
    int calls = 0;
    {
        ScreenLockMonitor monitor(source);
        monitor.onLockStateChange = [&](bool) { ++calls; };
        source.signal(true);
    }
    source.signal(false);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(source.onLockSignal);
}
