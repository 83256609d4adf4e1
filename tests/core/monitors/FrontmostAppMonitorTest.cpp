// SPDX-License-Identifier: MIT
#include "core/monitors/FrontmostAppMonitor.h"
#include "platform/fake/FakeSources.h"

#include <gtest/gtest.h>

#include <vector>

using namespace brindlemoor;

TEST(FrontmostAppMonitor, PassesOnEveryApplicationAndNothingForAnEmptyActivation)
{
    FakeActiveAppSource source;
    FrontmostAppMonitor monitor(source);
    std::vector<RunningApp> activated;

    source.activateNothing();
    EXPECT_TRUE(activated.empty()) << "no callback set yet and nothing to report";

    monitor.onAppActivated = [&](const RunningApp& app) { activated.push_back(app); };
    source.activateNothing();
    EXPECT_TRUE(activated.empty());

    source.activate(QStringLiteral("org.gnome.Calculator"));
    source.activate(std::nullopt); // an application without an identifier is still an application
    source.activate(QStringLiteral("debian-xterm"));
    const std::vector<RunningApp> expected = {RunningApp{QStringLiteral("org.gnome.Calculator")},
                                              RunningApp{std::nullopt}, RunningApp{QStringLiteral("debian-xterm")}};
    EXPECT_EQ(activated, expected);
    EXPECT_EQ(monitor.frontmostApp(), RunningApp{QStringLiteral("debian-xterm")});
}

TEST(FrontmostAppMonitor, DestructionUnhooksTheSource)
{
    FakeActiveAppSource source;
    int calls = 0;
    {
        FrontmostAppMonitor monitor(source);
        monitor.onAppActivated = [&](const RunningApp&) { ++calls; };
        source.activate(QStringLiteral("a"));
    }
    source.activate(QStringLiteral("b"));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(source.onActivated);
}
