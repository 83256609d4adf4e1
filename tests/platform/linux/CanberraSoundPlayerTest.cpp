// SPDX-License-Identifier: MIT
#include "platform/linux/CanberraSoundPlayer.h"

#include <QtGlobal>

#include <gtest/gtest.h>

using brindlemoor::CanberraSoundPlayer;

TEST(CanberraSoundPlayer, PlaysNothingAndSaysNothingWithoutASoundDevice)
{
    struct Case {
        const char* driver;
        const char* why;
    };
    // A sound server that is not there, and no usable backend at all.
    const Case cases[] = {{"pulse", "no sound server"}, {"no-such-backend", "no backend"}};
    qputenv("PULSE_SERVER", "unix:/nonexistent/brindlemoor-test/native");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        qputenv("CANBERRA_DRIVER", c.driver);
        CanberraSoundPlayer player;
        EXPECT_TRUE(player.isAvailable());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        player.play();
        player.play(); // the second cancels the first, which never started
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}
