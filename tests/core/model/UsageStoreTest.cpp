// SPDX-License-Identifier: MIT
#include "core/model/UsageStore.h"
#include "core/foundation/JsonCoding.h"
#include "core/model/SettingsKeys.h"
#include "core/model/UsageNotifier.h"
#include "support/MessageLog.h"
#include "support/VirtualDay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace brindlemoor;
using brindlemoor::test::VirtualDay;

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");
const QString kOther = QStringLiteral("debian-xterm");
const QString kKey = keys::usageDailyData;

QJsonObject storedDocument(const KeyValueStore& defaults)
{
    return QJsonDocument::fromJson(defaults.dataValue(kKey)).object();
}

void tickTimes(UsageStore& store, PreferencesStore& prefs, const QString& app, int times)
{
    for (int i = 0; i < times; ++i)
        store.tick(app, prefs);
}

} // namespace

TEST(UsageStore, SavesTheDocumentAfterEveryChangeAndNotifiesWithItself)
{
    VirtualDay day;
    UsageStore store(day.defaults, day.clock);
    QSignalSpy usage(&UsageNotifier::instance(), &UsageNotifier::usageStoreDidChange);

    store.incrementSwitchCount(kApp); // saves, does not notify
    EXPECT_EQ(usage.count(), 0);
    store.startInterval(kApp);
    tickTimes(store, day.prefs, kApp, 3);
    EXPECT_EQ(usage.count(), 3);
    EXPECT_EQ(usage.last().at(0).value<QObject*>(), &store);

    QJsonObject doc = storedDocument(day.defaults);
    EXPECT_EQ(doc.value(QStringLiteral("lastResetDay")).toString(), QStringLiteral("2026-03-10"));
    const QJsonObject entry = doc.value(QStringLiteral("entries")).toObject().value(kApp).toObject();
    EXPECT_EQ(entry.value(QStringLiteral("sessionSeconds")).toDouble(), 3.0);
    EXPECT_EQ(entry.value(QStringLiteral("cumulativeSeconds")).toDouble(), 3.0);
    EXPECT_EQ(entry.value(QStringLiteral("switchCount")).toInt(), 1);
    const QJsonObject open = doc.value(QStringLiteral("currentInterval")).toObject();
    EXPECT_EQ(open.value(QStringLiteral("id")).toString().size(), 36);
    EXPECT_FALSE(open.contains(QStringLiteral("end")));
    EXPECT_DOUBLE_EQ(open.value(QStringLiteral("start")).toDouble(),
                     json::timestampFromDateTime(QDateTime(QDate(2026, 3, 10), QTime(9, 0))));
    EXPECT_TRUE(doc.contains(QStringLiteral("todayBreachHours")));
    EXPECT_TRUE(doc.contains(QStringLiteral("appExtensions")));
    EXPECT_EQ(doc.value(QStringLiteral("dailyExtension")).toDouble(), 0.0);

    day.clock.advanceMs(2500);
    store.closeCurrentInterval(day.clock.now());
    doc = storedDocument(day.defaults);
    EXPECT_FALSE(doc.contains(QStringLiteral("currentInterval")));
    EXPECT_DOUBLE_EQ(
        doc.value(QStringLiteral("todayIntervals")).toArray().at(0).toObject().value(QStringLiteral("end")).toDouble(),
        json::timestampFromDateTime(day.clock.now()));
    store.closeCurrentInterval(day.clock.now()); // nothing open: nothing happens
    EXPECT_EQ(store.todayIntervals().size(), 1);

    store.recordBreachHour(kApp);
    store.recordBreachHour(kApp);
    EXPECT_EQ(store.todayBreachHours().value(kApp), (QList<qint64>{9, 9}));

    UsageStore reloaded(day.defaults, day.clock);
    EXPECT_EQ(reloaded.entries(), store.entries());
    EXPECT_EQ(reloaded.todayIntervals(), store.todayIntervals());
    EXPECT_EQ(reloaded.todayBreachHours(), store.todayBreachHours());
}

TEST(UsageStore, ResetAndDailyExtension)
{
    VirtualDay day;
    day.prefs.addApp(kApp);
    UsageStore store(day.defaults, day.clock);
    tickTimes(store, day.prefs, kApp, 4000);

    // Granted after the limit was passed: exactly the requested minutes from now.
    store.extendDaily(15, 3600);
    EXPECT_DOUBLE_EQ(store.dailyExtension(), 1300);
    // Granted before the (new) limit: simply adds the minutes.
    store.extendDaily(15, 3600);
    EXPECT_DOUBLE_EQ(store.dailyExtension(), 2200);

    store.resetApp(kApp);
    EXPECT_EQ(store.entries().value(kApp).sessionSeconds, 0);
    EXPECT_EQ(store.entries().value(kApp).cumulativeSeconds, 4000);
    EXPECT_DOUBLE_EQ(store.totalSecondsToday(), 4000);

    QSignalSpy usage(&UsageNotifier::instance(), &UsageNotifier::usageStoreDidChange);
    store.resetApp(kOther); // no entry: nothing at all
    EXPECT_EQ(usage.count(), 0);
    EXPECT_FALSE(store.entries().contains(kOther));
}

TEST(UsageStore, DecodingKeepsDefaultsForOptionalKeysAndIgnoresBrokenDocuments)
{
    VirtualDay day;
    day.defaults.setValue(keys::dailyLimitMinutes, 30);
    const QByteArray minimal = R"({"entries":{"a":{"bundleID":"a","sessionSeconds":5,"cumulativeSeconds":7,)"
                               R"("switchCount":2}},"todayIntervals":[],"lastResetDay":"2026-03-10"})";
    day.defaults.setValue(kKey, minimal);
    {
        UsageStore store(day.defaults, day.clock);
        EXPECT_EQ(store.entries().value(QStringLiteral("a")), (Entry{QStringLiteral("a"), 5, 7, 2}));
        EXPECT_FALSE(store.currentInterval());
        EXPECT_TRUE(store.appExtensions().isEmpty());
        EXPECT_TRUE(store.todayBreachHours().isEmpty());
        EXPECT_EQ(store.dailyExtension(), 0);
    }

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
        R"({"entries":{},"todayIntervals":[],"lastResetDay":"yesterday"})", // not a date
        R"({"entries":{},"todayIntervals":[],"lastResetDay":"2026-02-31"})",
        minimal.left(minimal.size() - 9), // truncated
        QByteArray("\xff\xfe\x00garbage", 10),
    };
    for (const QByteArray& data : broken) {
        day.defaults.setValue(kKey, data);
        const test::MessageLog log;
        UsageStore store(day.defaults, day.clock);
        EXPECT_EQ(log.lines(), QStringList()) << data.toStdString();
        EXPECT_TRUE(store.entries().isEmpty()) << data.toStdString();
        EXPECT_EQ(store.lastResetDay(), QStringLiteral("2026-03-10"));
        EXPECT_EQ(day.defaults.dataValue(kKey), data) << "loading alone never rewrites the document";
    }
    EXPECT_EQ(day.prefs.dailyLimitMinutes(), 30);
}

TEST(UsageStore, FirstTickOfALaterDayClosesOnlyTheStoredDay)
{
    VirtualDay day;
    day.prefs.addApp(kApp);
    day.prefs.setLimit(kApp, 1);
    day.prefs.addApp(kOther);
    UsageStore store(day.defaults, day.clock);
    store.startInterval(kApp);
    tickTimes(store, day.prefs, kApp, 60);
    store.recordBreachHour(kApp);
    store.extendDaily(5, 0);

    // Three days away; the program was not running in between.
    day.clock.set(QDateTime(QDate(2026, 3, 13), QTime(8, 15)));
    UsageStore restarted(day.defaults, day.clock);
    EXPECT_EQ(restarted.lastResetDay(), QStringLiteral("2026-03-10"));
    QSignalSpy rolled(&restarted, &UsageStore::dayRolledOver);
    restarted.tick(kOther, day.prefs);

    EXPECT_EQ(rolled.count(), 1);
    EXPECT_EQ(day.prefs.history(), (DayHistory{{QStringLiteral("2026-03-10"), 2}}));
    EXPECT_EQ(day.prefs.breachHoursByDay().value(QStringLiteral("2026-03-10")).value(kApp), (QList<qint64>{9}));
    EXPECT_EQ(restarted.lastResetDay(), QStringLiteral("2026-03-13"));
    EXPECT_EQ(restarted.entries().keys(), QList<QString>{kOther});
    EXPECT_EQ(restarted.entries().value(kOther).cumulativeSeconds, 1);
    EXPECT_TRUE(restarted.todayIntervals().isEmpty());
    EXPECT_FALSE(restarted.currentInterval()); // the interval open across midnight is dropped
    EXPECT_TRUE(restarted.todayBreachHours().isEmpty());
    EXPECT_EQ(restarted.dailyExtension(), 0);

    // A clean day records 0, a day without entries too, and no breach hours are handed over.
    day.clock.set(QDateTime(QDate(2026, 3, 14), QTime(0, 0, 1)));
    restarted.tick(kOther, day.prefs);
    EXPECT_EQ(day.prefs.history().value(QStringLiteral("2026-03-13"), -1), 0);
    EXPECT_EQ(day.prefs.breachHoursByDay().size(), 1);
}

TEST(UsageStore, DayValueJudgesSessionSecondsAtRolloverAndTheDailyLimit)
{
    struct Case {
        const char* name;
        bool resetAfterBreach;
        qint64 dailyLimitMinutes;
        bool removeApp;
        int expected;
    };
    const Case cases[] = {
        {"over its limit", false, 0, false, 2},
        {"reset by the user later", true, 0, false, 0},
        {"reset, but over the daily limit", true, 2, false, 2},
        {"reset, daily limit not reached", true, 10, false, 0},
        {"no longer monitored", false, 0, true, 0},
    };
    for (const Case& c : cases) {
        VirtualDay day;
        day.prefs.addApp(kApp);
        day.prefs.setLimit(kApp, 1);
        day.prefs.setDailyLimitMinutes(c.dailyLimitMinutes);
        UsageStore store(day.defaults, day.clock);
        tickTimes(store, day.prefs, kApp, 150);
        if (c.resetAfterBreach)
            store.resetApp(kApp);
        if (c.removeApp)
            day.prefs.removeApp(kApp);
        day.clock.set(QDateTime(QDate(2026, 3, 11), QTime(0, 0, 0)));
        store.tick(kApp, day.prefs);
        EXPECT_EQ(day.prefs.history().value(QStringLiteral("2026-03-10"), -1), c.expected) << c.name;
    }
}

TEST(UsageStore, AClockSetBackNeverWipesTheDay)
{
    VirtualDay day(QDateTime(QDate(2026, 3, 11), QTime(0, 0, 20)));
    day.prefs.addApp(kApp);
    UsageStore store(day.defaults, day.clock);
    tickTimes(store, day.prefs, kApp, 10);

    // A time-server correction moves the clock back across midnight.
    day.clock.set(QDateTime(QDate(2026, 3, 10), QTime(23, 59, 50)));
    tickTimes(store, day.prefs, kApp, 5);
    EXPECT_EQ(store.lastResetDay(), QStringLiteral("2026-03-11"));
    EXPECT_EQ(store.entries().value(kApp).cumulativeSeconds, 15);
    EXPECT_TRUE(day.prefs.history().isEmpty());

    // Once the calendar passes the stored day, the day closes as usual.
    day.clock.set(QDateTime(QDate(2026, 3, 12), QTime(7, 0)));
    store.tick(kApp, day.prefs);
    EXPECT_EQ(day.prefs.history(), (DayHistory{{QStringLiteral("2026-03-11"), 0}}));

    // A stored day far in the future came from a wrong clock: it is closed but kept out of the history.
    day.defaults.setValue(kKey, QByteArray(R"({"entries":{},"todayIntervals":[],"lastResetDay":"2031-01-01"})"));
    UsageStore future(day.defaults, day.clock);
    future.tick(kApp, day.prefs);
    EXPECT_EQ(future.lastResetDay(), QStringLiteral("2026-03-12"));
    EXPECT_FALSE(day.prefs.history().contains(QStringLiteral("2031-01-01")));
}
