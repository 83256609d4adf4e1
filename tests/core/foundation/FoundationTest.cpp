// SPDX-License-Identifier: MIT
#include "core/foundation/DayKey.h"
#include "core/foundation/DurationText.h"
#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"
#include "platform/fake/ManualScheduler.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace brindlemoor;
using namespace std::chrono_literals;

TEST(JsonCoding, TimestampsCountFromTheReferenceDateAndUuidsAreUpperCase)
{
    const QDateTime reference(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    EXPECT_DOUBLE_EQ(json::timestampFromDateTime(reference), 0.0);
    EXPECT_DOUBLE_EQ(json::timestampFromDateTime(reference.addMSecs(1500)), 1.5);
    EXPECT_EQ(json::dateTimeFromTimestamp(-0.25), reference.addMSecs(-250));

    const QUuid uuid = QUuid::createUuid();
    const QString text = json::uuidText(uuid);
    EXPECT_EQ(text.size(), 36);
    EXPECT_EQ(text, text.toUpper());
    EXPECT_EQ(json::uuidFromText(text), uuid);
    EXPECT_FALSE(json::uuidFromText(QStringLiteral("{") + text + QStringLiteral("}")));
    EXPECT_FALSE(json::uuidFromText(QStringLiteral("not-a-uuid-not-a-uuid-not-a-uuid-123")));

    EXPECT_EQ(json::readInteger(QJsonValue(3.0)), 3);
    EXPECT_FALSE(json::readInteger(QJsonValue(2.5)));
    EXPECT_FALSE(json::readInteger(QJsonValue(QStringLiteral("3"))));
    EXPECT_FALSE(json::readInteger(QJsonValue(1e300)));
    EXPECT_FALSE(json::parseObject("{\"a\":1"));
    EXPECT_FALSE(json::parseObject("[1,2]"));
}

TEST(DayKey, FollowsTheLocalCalendarAndRejectsNonDates)
{
    // Berlin is an hour ahead of UTC in March: 23:30 UTC is already the next local day.
    const QDateTime lateUtc(QDate(2026, 3, 10), QTime(23, 30), Qt::UTC);
    EXPECT_EQ(dayKey(lateUtc), QStringLiteral("2026-03-11"));
    EXPECT_EQ(dayKey(QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59))), QStringLiteral("2026-03-10"));
    EXPECT_EQ(dayKey(QDateTime(QDate(987, 1, 2), QTime(12, 0))), QStringLiteral("0987-01-02"));

    EXPECT_EQ(dateFromDayKey(QStringLiteral("2026-03-10")), QDate(2026, 3, 10));
    for (const char* bad : {"garbage", "2026-02-30", "2026-3-10", "2026-03-10 ", "", "20260310", "9999-99-99"})
        EXPECT_FALSE(dateFromDayKey(QString::fromLatin1(bad))) << bad;
}

TEST(KeyValueStore, WrongTypesAndMissingKeysReadAsTheDefault)
{
    MemoryKeyValueStore store;
    EXPECT_TRUE(store.boolValue(QStringLiteral("flag"), true));
    store.setValue(QStringLiteral("flag"), false);
    EXPECT_FALSE(store.boolValue(QStringLiteral("flag"), true));
    EXPECT_EQ(store.intValue(QStringLiteral("flag"), 7), 0);

    store.setValue(QStringLiteral("text"), QStringLiteral("12"));
    EXPECT_EQ(store.intValue(QStringLiteral("text"), 7), 7);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("text"), 0.5), 0.5);
    EXPECT_TRUE(store.dataValue(QStringLiteral("text")).isEmpty());

    store.setValue(QStringLiteral("number"), 3);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("number"), 0.5), 3.0);
    store.setValue(QStringLiteral("ratio"), 0.25);
    EXPECT_EQ(store.intValue(QStringLiteral("ratio"), 9), 9);
}

TEST(ManualScheduler, FiresInTimeOrderAndRespectsStoppedTimersAndDeadContexts)
{
    ManualClock clock(QDateTime(QDate(2026, 1, 1), QTime(8, 0)));
    ManualScheduler scheduler(clock);
    QStringList fired;
    auto every2 =
        scheduler.startRepeating(2s, [&] { fired << QStringLiteral("r@%1").arg(clock.now().time().second()); });
    scheduler.runAfter(3s, nullptr, [&] { fired << QStringLiteral("once@%1").arg(clock.now().time().second()); });
    auto context = std::make_unique<QObject>();
    scheduler.runAfter(1s, context.get(), [&] { fired << QStringLiteral("dead"); });
    context.reset();

    scheduler.advance(5s);
    EXPECT_EQ(fired, (QStringList{QStringLiteral("r@2"), QStringLiteral("once@3"), QStringLiteral("r@4")}));
    EXPECT_EQ(clock.now().time(), QTime(8, 0, 5));
    EXPECT_EQ(scheduler.activeTimerCount(), 1);

    every2.reset();
    scheduler.advance(10s);
    EXPECT_EQ(fired.size(), 3);
    EXPECT_EQ(scheduler.activeTimerCount(), 0);
}

TEST(DurationText, UsedTruncatesAndTimeLeftRoundsUpFromAMinute)
{
    // The daily bar differs from the rows only in writing nothing as "0s".
    const struct {
        double seconds;
        const char* used;
        const char* left;
        const char* dailyUsed;
        const char* dailyLeft;
    } cases[] = {
        {0, "0m", "0m left", "0s", "0s left"},
        {0.9, "0m", "0m left", "0s", "0s left"},
        {30, "30s", "30s left", "30s", "30s left"},
        {59.9, "59s", "59s left", "59s", "59s left"},
        {60, "1m", "1m left", "1m", "1m left"},
        {61, "1m", "2m left", "1m", "2m left"},
        {119, "1m", "2m left", "1m", "2m left"},
        {3600, "1h", "1h left", "1h", "1h left"},
        {3601, "1h", "1h 1m left", "1h", "1h 1m left"},
        {3660, "1h 1m", "1h 1m left", "1h 1m", "1h 1m left"},
        {7199, "1h 59m", "2h left", "1h 59m", "2h left"},
        {-5, "0m", "0m left", "0s", "0s left"},
        {std::nan(""), "0m", "0m left", "0s", "0s left"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DurationText::used(c.seconds), QString::fromLatin1(c.used)) << c.seconds;
        EXPECT_EQ(DurationText::left(c.seconds), QString::fromLatin1(c.left)) << c.seconds;
        EXPECT_EQ(DurationText::dailyUsed(c.seconds), QString::fromLatin1(c.dailyUsed)) << c.seconds;
        EXPECT_EQ(DurationText::dailyLeft(c.seconds), QString::fromLatin1(c.dailyLeft)) << c.seconds;
    }
}
