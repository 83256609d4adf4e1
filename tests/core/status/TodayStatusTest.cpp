// SPDX-License-Identifier: MIT
#include "core/status/TodayStatus.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "support/VirtualDay.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

const QString kEditor = QStringLiteral("org.gnome.TextEditor");
const QString kTerm = QStringLiteral("debian-xterm");

struct Day : test::VirtualDay {
    Day()
    {
        prefs.addApp(kEditor);
        prefs.addApp(kTerm);
        prefs.setLimit(kEditor, 10);
    }
    void use(const QString& app, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            usage.tick(app);
    }

    FakeApplicationCatalog catalog{{{kEditor, QStringLiteral("Text Editor"), {}, {}, false}}};
    UsageStore usage{defaults, clock};
    TodayModel today{prefs, usage};
};

QJsonObject waybar(const TodayStatus& status)
{
    return QJsonDocument::fromJson(StatusText::format(status, StatusFormat::Waybar)).object();
}

} // namespace

// Each figure warns by the rule of the view that shows it; the whole takes the highest level.
TEST(TodayStatus, FiguresLevelsAndThePanelsClass)
{
    Day day;
    day.prefs.setDailyLimitMinutes(15);
    day.use(kTerm, 100);
    day.use(kEditor, 480); // 80 % of the editor's 10 minutes: a row warns only past it
    TodayStatus status = todayStatus(day.today, day.catalog);
    ASSERT_EQ(status.apps.size(), 2);
    EXPECT_EQ(status.apps[0].id, kEditor) << "most used first";
    EXPECT_EQ(status.apps[0].name, QStringLiteral("Text Editor"));
    EXPECT_EQ(status.apps[0].figures, (StatusFigures{480, 600, QStringLiteral("under")}));
    EXPECT_EQ(status.apps[1].figures, (StatusFigures{100, 3600, QStringLiteral("under")}));
    EXPECT_EQ(status.total, (StatusFigures{580, 900, QStringLiteral("under")}));
    day.use(kEditor, 140); // 620 s: the editor reached, the total (720 of 900) at 80 %
    status = todayStatus(day.today, day.catalog);
    EXPECT_EQ(status.apps[0].figures.level, QStringLiteral("reached"));
    EXPECT_EQ(status.total.level, QStringLiteral("near"));
    EXPECT_EQ(waybar(status).value(QStringLiteral("class")).toString(), QStringLiteral("reached"));
    EXPECT_EQ(waybar(status).value(QStringLiteral("percentage")).toInt(), 80);

    day.use(kTerm, 600); // the total past its limit: the panel's share stops at the whole
    day.prefs.setMonitoringPaused(true);
    status = todayStatus(day.today, day.catalog);
    EXPECT_EQ(waybar(status).value(QStringLiteral("percentage")).toInt(), 100);
    EXPECT_EQ(waybar(status).value(QStringLiteral("class")).toString(), QStringLiteral("paused"));
    day.prefs.setDailyLimitMinutes(0);
    status = todayStatus(day.today, day.catalog);
    EXPECT_EQ(status.total, (StatusFigures{1320, std::nullopt, QStringLiteral("none")}));
    EXPECT_FALSE(waybar(status).contains(QStringLiteral("percentage")));
}

// Counting sends at once, then at most once a second; a change no figure shows sends nothing.
TEST(StatusBroadcast, AtMostOnceASecondAndOnlyForAChange)
{
    Day day;
    StatusBroadcast broadcast(day.today, day.catalog, day.scheduler);
    QSignalSpy sent(&broadcast, &StatusBroadcast::statusChanged);
    day.use(kEditor, 1);
    ASSERT_EQ(sent.size(), 1);
    day.use(kEditor, 3);
    day.advanceSeconds(0);
    EXPECT_EQ(sent.size(), 1) << "held back within the second";
    day.advanceSeconds(1);
    ASSERT_EQ(sent.size(), 2) << "the second's changes in one";
    EXPECT_EQ(sent.last().at(0).value<TodayStatus>().apps[0].figures.seconds, 4);
    day.advanceSeconds(5);
    EXPECT_EQ(sent.size(), 2) << "nothing while nothing changes";

    day.prefs.setShowTimeRemaining(true);
    day.advanceSeconds(2);
    EXPECT_EQ(sent.size(), 2) << "a setting that no figure carries";
    day.use(kEditor, 1);
    EXPECT_EQ(sent.size(), 3) << "after a quiet second, at once again";
}
