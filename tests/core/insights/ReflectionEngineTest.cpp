// SPDX-License-Identifier: MIT
#include "core/insights/ReflectionEngine.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "support/VirtualDay.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <functional>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");
const QString kOther = QStringLiteral("debian-xterm");
const QString kGone = QStringLiteral("org.gnome.Nautilus"); // breached once, no longer watched

// Today is Tuesday 2026-03-10 (VirtualDay); days are given as the day of March.
QString march(int day)
{
    return QStringLiteral("2026-03-%1").arg(day, 2, 10, QLatin1Char('0'));
}

class ReflectionEngineTest : public ::testing::Test {
public: // the cases' set-up functions reach in
    ReflectionEngineTest()
    {
        day.prefs.saveMonitoredApps({{kApp, 60}, {kOther, 60}});
        catalog.put({kApp, QStringLiteral("Calculator"), {}, {}, false});
    }

    /// The cards for today's usage; the usage store reads its day from the store as it would at launch.
    QList<Insight> insights(qint64 dailyLimitMinutes = 0, double usedSeconds = 0, double dailyExtension = 0)
    {
        day.prefs.setDailyLimitMinutes(dailyLimitMinutes);
        PersistedState state;
        state.lastResetDay = march(10);
        state.entries.insert(kApp, Entry{kApp, usedSeconds, usedSeconds, 1});
        state.dailyExtension = dailyExtension;
        day.defaults.setValue(keys::usageDailyData, *state.encode());
        UsageStore usage(day.defaults, day.clock);
        return engine.generateInsights(TodayModel(day.prefs, usage));
    }

    void breach(int dayOfMarch, const QString& app, QList<qint64> hours)
    {
        BreachHoursByDay byDay = PastDays(day.defaults).breachHoursByDay();
        BreachHours onDay = byDay.value(march(dayOfMarch));
        onDay[app].append(hours);
        PastDays(day.defaults).recordBreachHours(onDay, march(dayOfMarch));
    }
    void history(std::initializer_list<std::pair<int, qint64>> values)
    {
        DayHistory stored;
        for (const auto& [dayOfMarch, value] : values)
            stored.insert(march(dayOfMarch), value);
        PastDays(day.defaults).saveHistory(stored);
    }

    VirtualDay day;
    FakeApplicationCatalog catalog;
    ReflectionEngine engine{catalog, day.clock};
};

// The first card whose icon name begins with `icon`.
const Insight* withIcon(const QList<Insight>& insights, const char* icon)
{
    for (const Insight& insight : insights) {
        if (insight.icon.startsWith(QLatin1String(icon)))
            return &insight;
    }
    return nullptr;
}

} // namespace

TEST_F(ReflectionEngineTest, DailyPaceFollowsTheDaysLevel)
{
    struct Case {
        const char* name;
        qint64 limitMinutes;
        double used;
        double extension;
        const char* title; // of the first card
        const char* icon;
        std::optional<InsightAccent> accent;
        int cards; // the fallback comes while there is little to say
    };
    // clang-format off
    const Case cases[] = {
        {"no limit", 0, 5000, 0, "Building your usage picture", "eye", std::nullopt, 1},
        {"half", 60, 1800, 0, "50% of daily limit used", "leaf.fill", InsightAccent::Teal, 2},
        {"reached", 60, 3600, 0, "Daily limit reached", "moon.fill", InsightAccent::NeonRed, 1},
        // The pace card warns from 80 % on, of the extended limit.
        {"extended by 15 minutes", 60, 3600, 900, "80% of daily limit used", "timer", InsightAccent::NeonOrange, 1},
        {"under one percent", 60, 20, 0, "Building your usage picture", "eye", std::nullopt, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<Insight> result = insights(c.limitMinutes, c.used, c.extension);
        ASSERT_FALSE(result.isEmpty());
        EXPECT_EQ(result.first().title, QLatin1String(c.title));
        EXPECT_EQ(result.first().icon, QLatin1String(c.icon));
        EXPECT_EQ(result.first().accent, c.accent);
        EXPECT_EQ(result.size(), c.cards);
    }
}

TEST_F(ReflectionEngineTest, BreachHistoryRules)
{
    struct Case {
        const char* name;
        std::function<void(ReflectionEngineTest&)> setUp;
        const char* icon;
        QString title; // empty: no card with that icon
        QString body;  // what the body says of the counts
    };
    const Case cases[] = {
        {"most-pushed app, watched apps only, today not yet past",
         [](ReflectionEngineTest& t) {
             t.breach(9, kApp, {9, 9, 14});
             t.breach(8, kGone, {1});
             t.breach(7, kGone, {2});
             t.breach(10, kApp, {8});
         },
         "app.badge.fill", QStringLiteral("Calculator pushes your limits most"),
         QStringLiteral("Breached on 1 day in the past 14 days (3 total breach-hours).")},
        {"most-pushed app without a catalogue entry, one breach-hour",
         [](ReflectionEngineTest& t) { t.breach(9, kOther, {20}); }, "app.badge.fill",
         QStringLiteral("debian-xterm pushes your limits most"), QStringLiteral("(1 total breach-hour)")},
        {"five breach-hours last week, four this week",
         [](ReflectionEngineTest& t) {
             t.breach(1, kApp, {1, 2, 3, 4, 5});
             for (int d = 2; d <= 4; ++d)
                 t.breach(d, kGone, {12});
             for (int d = 5; d <= 8; ++d)
                 t.breach(d, kOther, {12});
         },
         "chart.line.downtrend.xyaxis", QStringLiteral("1 fewer breach-hour this week"),
         QStringLiteral("4 this week vs 5 last week.")},
        {"two last week, five this week",
         [](ReflectionEngineTest& t) {
             t.breach(1, kApp, {1, 2});
             for (int d = 2; d <= 8; ++d)
                 t.breach(d, d <= 6 ? kOther : kGone, {12});
         },
         "chart.line.uptrend.xyaxis", QStringLiteral("3 more breach-hours this week"),
         QStringLiteral("5 this week vs 2 last week.")},
        {"nothing last week, six this week",
         [](ReflectionEngineTest& t) {
             for (int d = 4; d <= 9; ++d)
                 t.breach(d, kApp, {12});
         },
         "chart.line",
         {},
         {}},
        {"peak at midnight",
         [](ReflectionEngineTest& t) {
             t.breach(8, kApp, {0, 13});
             t.breach(9, kOther, {0});
         },
         "sun.haze.fill", QStringLiteral("Most breaches happen around 12AM"), QStringLiteral("before 12AM")},
        {"a peak of one is no peak",
         [](ReflectionEngineTest& t) {
             t.breach(8, kApp, {0, 13});
             t.breach(9, kGone, {0, 0, 0});
         },
         "sun.haze.fill",
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        day.defaults.remove(keys::breachHoursByDay);
        c.setUp(*this);
        const QList<Insight> result = insights();
        const Insight* card = withIcon(result, c.icon);
        if (c.title.isEmpty()) {
            EXPECT_EQ(card, nullptr);
            continue;
        }
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->title, c.title);
        EXPECT_TRUE(card->body.contains(c.body)) << card->body.toStdString();
    }
}

TEST_F(ReflectionEngineTest, CleanDaysComeFromTheHistoryUnlessAnAlertWasRecorded)
{
    struct Case {
        const char* name;
        std::initializer_list<std::pair<int, qint64>> history;
        std::initializer_list<int> breachDays; // an alert of a watched app on these days
        QString lastClean;                     // empty: no card
        QString share;                         // empty: no card
    };
    const QString yesterday = QStringLiteral("Last clean day: yesterday");
    const QString sunday = QStringLiteral("Last clean day: Sunday");
    // clang-format off
    const Case cases[] = {
        {"a day without alerts is only in the history", {{9, 0}}, {}, yesterday, {}},
        {"an alert, then a reset that cleared the counts", {{8, 0}, {9, 0}}, {9}, sunday, {}},
        {"the daily limit reached leaves no breach hours", {{8, 0}, {9, 2}}, {}, sunday, {}},
        {"three clean of five", {{5, 0}, {6, 0}, {7, 2}, {8, 2}, {9, 0}}, {7, 8}, yesterday,
         QStringLiteral("60% clean days this week")},
        {"two clean of five", {{5, 0}, {6, 0}, {7, 2}, {8, 2}, {9, 2}}, {}, QStringLiteral("Last clean day: Friday"), {}},
        {"four days are too few", {{6, 0}, {7, 0}, {8, 0}, {9, 0}}, {}, yesterday, {}},
        {"the window is the last seven of them",
         {{1, 2}, {2, 2}, {3, 0}, {4, 0}, {5, 2}, {6, 2}, {7, 0}, {8, 0}, {9, 0}, {10, 2}}, {}, yesterday,
         QStringLiteral("71% clean days this week")},
        {"no clean day", {{8, 2}, {9, 2}}, {}, {}, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        day.defaults.remove(keys::breachHoursByDay);
        history(c.history);
        for (const int d : c.breachDays)
            breach(d, kApp, {15});
        const QList<Insight> result = insights();
        const Insight* last = withIcon(result, "sun.max.fill");
        EXPECT_EQ(last ? last->title : QString(), c.lastClean);
        const Insight* share = withIcon(result, "sparkles");
        EXPECT_EQ(share ? share->title : QString(), c.share);
    }
}

TEST_F(ReflectionEngineTest, EqualPrioritiesKeepTheOrderOfTheRules)
{
    history({{4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 2}, {9, 2}, {3, 0}});
    breach(8, kApp, {15});
    breach(9, kApp, {15});
    const QList<Insight> result = insights();
    QStringList icons;
    for (const Insight& insight : result)
        icons.append(insight.icon);
    // The peak hour and the clean share weigh the same: they come in the rules' order.
    EXPECT_EQ(icons, (QStringList{QStringLiteral("app.badge.fill"), QStringLiteral("sun.haze.fill"),
                                  QStringLiteral("sparkles"), QStringLiteral("sun.max.fill")}));
}

TEST(ReflectionEngineLabels, RelativeDaysAndTwelveHourClock)
{
    const QDate tuesday(2026, 3, 10);
    const std::pair<const char*, const char*> days[] = {
        {"2026-03-10", "today"}, {"2026-03-09", "yesterday"}, {"2026-03-08", "Sunday"},     {"2026-03-04", "Wednesday"},
        {"2026-03-03", "Mar 3"}, {"2026-03-11", "Mar 11"},    {"2026-13-01", "2026-13-01"},
    };
    for (const auto& [key, label] : days)
        EXPECT_EQ(ReflectionEngine::relativeDayLabel(QString::fromLatin1(key), tuesday), QLatin1String(label)) << key;

    const std::pair<int, const char*> hours[] = {{0, "12AM"}, {11, "11AM"}, {12, "12PM"}, {13, "1PM"}, {23, "11PM"}};
    for (const auto& [hour, label] : hours)
        EXPECT_EQ(ReflectionEngine::hourLabel(hour), QLatin1String(label)) << hour;

    // A chosen locale has its own order of day and month, and its own clock.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ReflectionEngine::relativeDayLabel(QStringLiteral("2026-03-03"), tuesday),
              QStringLiteral("3. M\u00e4rz"));
    EXPECT_EQ(ReflectionEngine::hourLabel(13), QStringLiteral("13:00"));
    QLocale::setDefault(before);
}
