// SPDX-License-Identifier: MIT
#include "platform/linux/ToplevelTracker.h"

#include <gtest/gtest.h>

using namespace brindlemoor;

// Event sequences as wlroots sends them: changes, then `done` for each toplevel.
TEST(ToplevelTracker, ReportsAToplevelAtTheDoneThatBringsItToTheFrontOnly)
{
    ToplevelTracker tracker;
    const int editor = 0;
    const int terminal = 0;
    const auto change = [&](const int* toplevel, const QString& appId, bool activated) {
        tracker.setAppId(toplevel, appId);
        tracker.setActivated(toplevel, activated);
    };

    change(&editor, QStringLiteral("editor"), false);
    EXPECT_EQ(tracker.done(&editor), std::nullopt) << "opened behind";
    change(&editor, QStringLiteral("editor"), true);
    EXPECT_EQ(tracker.done(&editor), QStringLiteral("editor"));
    EXPECT_EQ(tracker.done(&editor), std::nullopt) << "a new title is no new activation";

    change(&terminal, QStringLiteral("term"), true);
    tracker.setActivated(&editor, false);
    EXPECT_EQ(tracker.done(&editor), std::nullopt) << "losing the front is no activation";
    EXPECT_EQ(tracker.done(&terminal), QStringLiteral("term")) << "the state waits for its done";
    tracker.setAppId(&terminal, QStringLiteral("term-2"));
    EXPECT_EQ(tracker.done(&terminal), QStringLiteral("term-2")) << "the one in front became another application";

    tracker.setActivated(&terminal, false);
    EXPECT_EQ(tracker.done(&terminal), std::nullopt) << "focus on nothing";
    tracker.closed(&editor);
    change(&editor, QString(), true);
    EXPECT_EQ(tracker.done(&editor), QString()) << "a new toplevel at a closed one's address, without an app_id";
}
