// SPDX-License-Identifier: MIT
#include "core/model/UsageStore.h"
#include "core/foundation/DayKey.h"
#include "core/foundation/RetryingKeyValueStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "support/MessageLog.h"
#include "support/QtPrinting.h"
#include "support/ScopedEnvironment.h"
#include "support/VirtualDay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");
const QString kOther = QStringLiteral("debian-xterm");

/// A stored day of 2026-03-10 with the app's counters, and `more` keys in which %1 is the app.
QByteArray document(double seconds, const char* more = "")
{
    return (QStringLiteral(R"({"entries":{"%1":{"bundleID":"%1","sessionSeconds":%2,"cumulativeSeconds":%2,)"
                           R"("switchCount":1}},"todayIntervals":[],"lastResetDay":"2026-03-10")") +
            QString::fromLatin1(more) + u'}')
        .arg(kApp)
        .arg(seconds)
        .toUtf8();
}

void tickTimes(UsageStore& store, const QString& app, int times)
{
    for (int i = 0; i < times; ++i)
        store.tick(app);
}

} // namespace

TEST(UsageStore, SavesTheDocumentAfterEveryChangeAndNotifies)
{
    VirtualDay day;
    UsageStore store(day.defaults, day.clock);
    QSignalSpy usage(&store, &UsageStore::usageChanged);
    store.incrementSwitchCount(kApp); // saves, does not notify
    store.startInterval(kApp);
    tickTimes(store, kApp, 3);
    ASSERT_EQ(usage.count(), 3);
    day.clock.advanceMs(2500);
    store.closeCurrentInterval(day.clock.now());
    store.closeCurrentInterval(day.clock.now()); // nothing open: nothing happens
    store.recordBreachHour(kApp);
    store.recordBreachHour(kApp);

    const QJsonObject doc = QJsonDocument::fromJson(day.defaults.dataValue(keys::usageDailyData)).object();
    EXPECT_EQ(doc.value(QStringLiteral("entries")).toObject().value(kApp).toObject(),
              (QJsonObject{{QStringLiteral("bundleID"), kApp},
                           {QStringLiteral("sessionSeconds"), 3},
                           {QStringLiteral("cumulativeSeconds"), 3},
                           {QStringLiteral("switchCount"), 1}}));
    const QJsonObject closed = doc.value(QStringLiteral("todayIntervals")).toArray().at(0).toObject();
    EXPECT_DOUBLE_EQ(closed.value(QStringLiteral("end")).toDouble() - closed.value(QStringLiteral("start")).toDouble(),
                     2.5);
    EXPECT_FALSE(doc.contains(QStringLiteral("currentInterval")));
    EXPECT_EQ(doc.value(QStringLiteral("todayBreachHours")).toObject().value(kApp).toArray(), (QJsonArray{9, 9}));

    UsageStore reloaded(day.defaults, day.clock);
    EXPECT_EQ(reloaded.entries(), store.entries());
    EXPECT_EQ(reloaded.todayIntervals(), store.todayIntervals());
    EXPECT_EQ(reloaded.todayBreachHours(), store.todayBreachHours());
}

TEST(UsageStore, SavesTheCountEveryFewTicksAndAllElseAtOnceAsTheEncoderWouldWriteIt)
{
    VirtualDay day;
    day.prefs.addApp(kApp);
    const auto saved = [&day] {
        const QByteArray data = day.defaults.dataValue(keys::usageDailyData);
        EXPECT_EQ(QJsonDocument::fromJson(data).toJson(QJsonDocument::Compact), data);
        return PersistedState::decode(data).value_or(PersistedState{});
    };
    {
        UsageStore store(day.defaults, day.clock);
        for (int i = 0; i < 3; ++i) {
            store.startInterval(i == 1 ? kOther : kApp);
            day.clock.advanceMs(1000);
            store.closeCurrentInterval(day.clock.now());
        }
        tickTimes(store, kApp, UsageStore::ticksPerSave - 1);
        EXPECT_EQ(saved().entries.value(kApp).cumulativeSeconds, 0);
        store.tick(kApp);
        EXPECT_EQ(saved().entries.value(kApp).cumulativeSeconds, UsageStore::ticksPerSave);
        store.tick(kApp);
        store.incrementSwitchCount(kOther);
        EXPECT_EQ(saved().entries.value(kApp).cumulativeSeconds, UsageStore::ticksPerSave + 1);
        EXPECT_EQ(saved().todayIntervals, store.todayIntervals());

        // A new day clears the intervals, and the next are encoded afresh.
        day.clock.advanceMs(24 * 3600 * 1000);
        store.tick(kApp);
        for (int i = 0; i < 3; ++i) {
            store.startInterval(kApp);
            store.closeCurrentInterval(day.clock.now());
        }
        EXPECT_EQ(saved().todayIntervals, store.todayIntervals());
        store.tick(kApp);
    }
    EXPECT_EQ(saved().entries.value(kApp).cumulativeSeconds, 2) << "the store saves what waits when it goes";

    // A start keeps the stored stretches' text and adds to it; a document laid out otherwise is encoded afresh.
    for (const bool indented : {false, true}) {
        if (indented) {
            const auto stored = QJsonDocument::fromJson(day.defaults.dataValue(keys::usageDailyData));
            day.defaults.setValue(keys::usageDailyData, stored.toJson(QJsonDocument::Indented));
        }
        UsageStore reloaded(day.defaults, day.clock);
        reloaded.startInterval(kOther);
        reloaded.closeCurrentInterval(day.clock.now());
        EXPECT_EQ(saved().todayIntervals, reloaded.todayIntervals());
    }
    EXPECT_EQ(saved().todayIntervals.size(), 5);
}

TEST(UsageStore, AFailingDiskLosesNothingCountedAndIsReportedOnce)
{
    VirtualDay day(QDateTime(QDate(2026, 3, 10), QTime(23, 59, 58)));
    RetryingKeyValueStore defaults(day.defaults);
    PreferencesStore prefs(defaults);
    prefs.addApp(kApp);
    defaults.setValue(keys::hasSeenWelcome, true);
    UsageStore store(defaults, day.clock);
    const test::MessageLog log;

    day.defaults.setWriteError(QStringLiteral("database or disk is full"));
    tickTimes(store, kApp, 2);
    day.clock.set(QDateTime(QDate(2026, 3, 11), QTime(0, 0, 1)));
    tickTimes(store, kApp, 3); // closes the 10th into the history, which cannot be written either
    prefs.setDailyLimitMinutes(30);
    defaults.remove(keys::hasSeenWelcome);
    EXPECT_EQ(prefs.dailyLimitMinutes(), 30) << "read back from memory";
    EXPECT_FALSE(defaults.value(keys::hasSeenWelcome).isValid());
    EXPECT_EQ(PastDays(defaults).history(), (DayHistory{{QStringLiteral("2026-03-10"), 0}}));
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().at(0).contains(QStringLiteral("database or disk is full")))
        << log.lines().at(0).toStdString();

    day.defaults.setWriteError({});
    store.tick(kApp);
    store.flush();
    EXPECT_EQ(log.lines().size(), 2) << "and once that saving works again";
    EXPECT_FALSE(defaults.hasUnsavedChanges());
    const PreferencesStore saved(day.defaults);
    EXPECT_EQ(PastDays(day.defaults).history(), (DayHistory{{QStringLiteral("2026-03-10"), 0}}));
    EXPECT_EQ(saved.dailyLimitMinutes(), 30);
    EXPECT_FALSE(day.defaults.value(keys::hasSeenWelcome).isValid());
    EXPECT_EQ(UsageStore(day.defaults, day.clock).entries().value(kApp).cumulativeSeconds, 4);
}

TEST(UsageStore, ResetClearsTheAppsCounterAndExtension)
{
    VirtualDay day;
    day.prefs.addApp(kApp);
    day.defaults.setValue(keys::usageDailyData, document(4000, R"(,"appExtensions":{"%1":300})"));
    UsageStore store(day.defaults, day.clock);
    const TodayModel today(day.prefs, store);
    ASSERT_EQ(store.appLimit(kApp)->seconds(), 3900);

    store.resetApp(kApp);
    EXPECT_EQ(store.entries().value(kApp).sessionSeconds, 0);
    EXPECT_DOUBLE_EQ(store.totalSecondsToday(), 4000);
    EXPECT_FALSE(store.appExtensions().contains(kApp));
    EXPECT_EQ(store.appLimit(kApp)->seconds(), 3600);

    QSignalSpy usage(&store, &UsageStore::usageChanged);
    store.resetApp(kOther); // no entry: nothing at all
    EXPECT_EQ(usage.count(), 0);
    EXPECT_FALSE(store.entries().contains(kOther));
}

TEST(UsageStore, LoadsOptionalKeysAsTheirDefaultsAndIgnoresBrokenDocumentsSilently)
{
    VirtualDay day;
    day.defaults.setValue(keys::usageDailyData, document(5));
    {
        UsageStore store(day.defaults, day.clock);
        EXPECT_EQ(store.entries().value(kApp), (Entry{kApp, 5, 5, 1}));
        EXPECT_FALSE(store.currentInterval());
        EXPECT_TRUE(store.appExtensions().isEmpty());
        EXPECT_TRUE(store.todayBreachHours().isEmpty());
        EXPECT_EQ(store.dailyExtension(), 0);
    }

    // Two of the documents are split over two literals.
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    const QList<QByteArray> broken = {
        R"({"todayIntervals":[],"lastResetDay":"2026-03-10"})", // no entries
        R"({"entries":{},"lastResetDay":"2026-03-10"})",        // no intervals
        R"({"entries":{},"todayIntervals":[]})",                // no day
        R"({"entries":{"a":{"bundleID":"a","sessionSeconds":"5","cumulativeSeconds":7,"switchCount":2}},)"
        R"("todayIntervals":[],"lastResetDay":"2026-03-10"})", // wrong type
        R"({"entries":{"a":{"bundleID":"a","sessionSeconds":5,"cumulativeSeconds":7,"switchCount":2.5}},)"
        R"("todayIntervals":[],"lastResetDay":"2026-03-10"})", // fractional count
        R"({"entries":{},"todayIntervals":[{"id":"x","bundleID":"a","start":1}],"lastResetDay":"2026-03-10"})",
        R"({"entries":{},"todayIntervals":[],"lastResetDay":"2026-03-10","dailyExtension":"lots"})",
        R"({"entries":{},"todayIntervals":[],"lastResetDay":"2026-02-31"})", // not a date
        document(5).chopped(9),                                              // truncated
        QByteArray("\xff\xfe\x00garbage", 10),
    };
    // NOLINTEND(bugprone-suspicious-missing-comma)
    for (const QByteArray& data : broken) {
        day.defaults.setValue(keys::usageDailyData, data);
        const test::MessageLog log;
        UsageStore store(day.defaults, day.clock);
        EXPECT_EQ(log.lines(), QStringList()) << data.toStdString();
        EXPECT_TRUE(store.entries().isEmpty()) << data.toStdString();
        EXPECT_EQ(store.lastResetDay(), QStringLiteral("2026-03-10"));
        EXPECT_EQ(day.defaults.dataValue(keys::usageDailyData), data) << "loading alone never rewrites the document";
    }
}

TEST(UsageStore, FirstTickOfALaterDayClosesOnlyTheStoredDayAndClearsItsExtensions)
{
    VirtualDay day(QDateTime(QDate(2026, 3, 13), QTime(8, 15))); // three days on; the program was not running
    day.prefs.addApp(kApp);
    day.prefs.setLimit(kApp, 1);
    day.prefs.addApp(kOther);
    day.defaults.setValue(keys::usageDailyData,
                          document(60,
                                   R"(,"appExtensions":{"%1":30},"dailyExtension":300,"todayBreachHours":{"%1":[9]},)"
                                   R"("currentInterval":{"id":"0B4B0F5B-8C4D-4E9C-9D7A-2B1E9C3F4A11",)"
                                   R"("bundleID":"%1","start":795000000})"));
    DayHistory fortnight;
    for (int back = 14; back > 0; --back)
        fortnight.insert(dayKey(QDateTime(QDate(2026, 3, 10).addDays(-back), QTime(12, 0))), 2);
    PastDays(day.defaults).saveHistory(fortnight);
    UsageStore store(day.defaults, day.clock);
    const TodayModel today(day.prefs, store);
    ASSERT_EQ(store.lastResetDay(), QStringLiteral("2026-03-10"));
    QSignalSpy rolled(&store, &UsageStore::dayRolledOver);
    store.tick(kOther);

    EXPECT_EQ(rolled.count(), 1);
    const DayHistory history = PastDays(day.defaults).history();
    EXPECT_EQ(history.value(QStringLiteral("2026-03-10"), -1), 0) << "60 s is under 60 s plus 30";
    EXPECT_EQ(history.size(), 14);
    EXPECT_EQ(history.firstKey(), QStringLiteral("2026-02-25"));
    EXPECT_EQ(PastDays(day.defaults).breachHoursByDay().value(QStringLiteral("2026-03-10")).value(kApp),
              (QList<qint64>{9}));
    EXPECT_EQ(store.lastResetDay(), QStringLiteral("2026-03-13"));
    EXPECT_EQ(store.entries().keys(), QList<QString>{kOther});
    EXPECT_EQ(store.entries().value(kOther).cumulativeSeconds, 1);
    EXPECT_FALSE(store.currentInterval()) << "the interval open across midnight is dropped";
    EXPECT_TRUE(store.appExtensions().isEmpty());
    EXPECT_EQ(store.dailyExtension(), 0);
    EXPECT_EQ(UsageStore(day.defaults, day.clock).appExtensions(), store.appExtensions()) << "and saved so";

    // A day without breaches hands over no breach hours; an interval begun since midnight is kept, and so
    // is the switch that began it.
    store.incrementSwitchCount(kApp);
    day.clock.set(QDateTime(QDate(2026, 3, 14), QTime(0, 0, 1)));
    store.incrementSwitchCount(kOther);
    store.startInterval(kOther);
    store.tick(kOther);
    ASSERT_TRUE(store.currentInterval());
    EXPECT_EQ(store.currentInterval()->start, day.clock.now());
    EXPECT_EQ(store.entries().value(kOther), (Entry{kOther, 1, 1, 1}));
    EXPECT_FALSE(store.entries().contains(kApp));
    EXPECT_EQ(PastDays(day.defaults).history().value(QStringLiteral("2026-03-13"), -1), 0);
    EXPECT_EQ(PastDays(day.defaults).breachHoursByDay().size(), 1);
}

TEST(UsageStore, TheDayIsJudgedBySessionSecondsAtRolloverAndTheDailyTotal)
{
    struct Case {
        const char* name;
        qint64 dailyLimitMinutes;
        bool removeApp;
        int expected;
    };
    const Case cases[] = {
        {"reset by the user later", 0, false, 0},
        {"reset, but over the daily limit", 2, false, 2},
        {"reset, daily limit not reached", 10, false, 0},
        {"no longer monitored", 0, true, 0},
        {"a stored daily limit past 64-bit seconds", std::numeric_limits<qint64>::max() / 2, false, 0},
    };
    for (const Case& c : cases) {
        VirtualDay day;
        day.prefs.addApp(kApp);
        day.prefs.setLimit(kApp, 1);
        day.prefs.setDailyLimitMinutes(c.dailyLimitMinutes);
        UsageStore store(day.defaults, day.clock);
        const TodayModel today(day.prefs, store);
        tickTimes(store, kApp, 150);
        if (c.removeApp)
            day.prefs.removeApp(kApp);
        else
            store.resetApp(kApp);
        day.clock.set(QDateTime(QDate(2026, 3, 11), QTime(0, 0, 0)));
        store.tick(kApp);
        EXPECT_EQ(PastDays(day.defaults).history().value(QStringLiteral("2026-03-10"), -1), c.expected) << c.name;
    }
}

TEST(UsageStore, AClockThatJumpsNeitherLosesNorDoublesTheDaysSeconds)
{
    const QDate march11(2026, 3, 11);
    const QDate yearsAhead(2031, 1, 1);
    const QTime early(0, 30);
    struct Jump {
        qint64 days; // from the first day, at `early`
        int minutes = 0;
        const char* zone = nullptr; // the machine's time zone changes too
    };
    struct Case {
        const char* name;
        QList<Jump> jumps; // five seconds are credited after each, ten before the first
        const char* day;
        double seconds;
        DayHistory history;
        QDate start = QDate(2026, 3, 11);
    };
    const DayHistory march11Closed{{QStringLiteral("2026-03-11"), 0}};
    const Case cases[] = {
        {"forward a day", {{1}}, "2026-03-12", 5, march11Closed},
        {"back a day", {{-1}}, "2026-03-11", 15, {}},
        {"back a week, until time synchronisation catches up", {{-7}, {0, 1}}, "2026-03-11", 20, {}},
        {"back a week, until the calendar passes the day", {{-7}, {1}}, "2026-03-12", 5, march11Closed},
        {"west across midnight", {{0, 0, "America/New_York"}}, "2026-03-11", 15, {}},
        {"back from a stored day years ahead", {{yearsAhead.daysTo(march11)}}, "2026-03-11", 15, {}, yearsAhead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualDay day(QDateTime(c.start, early));
        day.prefs.addApp(kApp);
        UsageStore store(day.defaults, day.clock);
        const TodayModel today(day.prefs, store);
        tickTimes(store, kApp, 10);
        std::optional<test::ScopedEnvironment> zone; // the day key reads the machine's zone
        for (const Jump& jump : c.jumps) {
            // The instant, read in whatever zone is in force.
            day.clock.set(QDateTime(c.start.addDays(jump.days), early.addSecs(jump.minutes * 60)).toUTC());
            if (jump.zone)
                zone.emplace("TZ", jump.zone);
            tickTimes(store, kApp, 5);
        }
        zone.reset();
        EXPECT_EQ(store.lastResetDay(), QString::fromLatin1(c.day));
        const Entry entry = store.entries().value(kApp);
        EXPECT_EQ(entry.cumulativeSeconds, c.seconds);
        EXPECT_EQ(entry.sessionSeconds, c.seconds);
        EXPECT_EQ(PastDays(day.defaults).history(), c.history);
    }
}
