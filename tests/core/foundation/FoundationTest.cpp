// SPDX-License-Identifier: MIT
#include "core/foundation/DayKey.h"
#include "core/foundation/DurationText.h"
#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace brindlemoor;

TEST(JsonCoding, TimestampsCountFromTheReferenceDateAndReadersAreStrict)
{
    const QDateTime reference = QDateTime::fromString(QStringLiteral("2001-01-01T00:00:00Z"), Qt::ISODate);
    EXPECT_DOUBLE_EQ(json::timestampFromDateTime(reference.addMSecs(1500)), 1.5);
    EXPECT_EQ(json::dateTimeFromTimestamp(-0.25), reference.addMSecs(-250));
    EXPECT_EQ(json::dateTimeFromTimestamp(9223371500000000.0), json::dateTimeFromTimestamp(1e300)) << "no overflow";

    const QUuid uuid = QUuid::createUuid();
    const QString text = json::uuidText(uuid);
    EXPECT_EQ(text, text.toUpper());
    EXPECT_EQ(json::uuidFromText(text), uuid);
    EXPECT_FALSE(json::uuidFromText(QStringLiteral("{") + text + QStringLiteral("}")));

    EXPECT_EQ(json::readInteger(QJsonValue(3.0)), 3);
    for (const QJsonValue& value : {QJsonValue(2.5), QJsonValue(QStringLiteral("3")), QJsonValue(1e300)})
        EXPECT_FALSE(json::readInteger(value));
    EXPECT_FALSE(json::parseObject("{\"a\":1"));
    EXPECT_FALSE(json::parseObject("[1,2]"));
}

TEST(DayKey, FollowsTheLocalCalendarAndRejectsNonDates)
{
    // Berlin is an hour ahead of UTC in March: 23:30 UTC is already the next local day.
    EXPECT_EQ(dayKey(QDateTime::fromString(QStringLiteral("2026-03-10T23:30:00Z"), Qt::ISODate)),
              QStringLiteral("2026-03-11"));
    EXPECT_EQ(dayKey(QDateTime(QDate(987, 1, 2), QTime(12, 0))), QStringLiteral("0987-01-02"));
    EXPECT_EQ(dateFromDayKey(QStringLiteral("2026-03-10")), QDate(2026, 3, 10));
    for (const char* bad : {"garbage", "2026-02-30", "2026-3-10", "2026-03-10 ", "", "20260310"})
        EXPECT_FALSE(dateFromDayKey(QString::fromLatin1(bad))) << bad;
}

TEST(KeyValueStore, WrongTypesAndMissingKeysReadAsTheDefault)
{
    MemoryKeyValueStore store;
    EXPECT_TRUE(store.boolValue(QStringLiteral("flag"), true));
    store.setValue(QStringLiteral("flag"), false);
    EXPECT_FALSE(store.boolValue(QStringLiteral("flag"), true));
    store.setValue(QStringLiteral("text"), QStringLiteral("12"));
    EXPECT_EQ(store.intValue(QStringLiteral("text"), 7), 7);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("text"), 0.5), 0.5);
    EXPECT_TRUE(store.dataValue(QStringLiteral("text")).isEmpty());
    store.setValue(QStringLiteral("number"), 3);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("number"), 0.5), 3.0) << "a whole number is a fine float";
    store.setValue(QStringLiteral("ratio"), 0.25);
    EXPECT_EQ(store.intValue(QStringLiteral("ratio"), 9), 9);
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
        const char* spoken;
    } cases[] = {
        {0, "0m", "0m left", "0s", "0s left", "0 s"},
        {59.9, "59s", "59s left", "59s", "59s left", "59 s"},
        {60, "1m", "1m left", "1m", "1m left", "1 min"},
        {61, "1m", "2m left", "1m", "2m left", "1 min"},
        {3600, "1h", "1h left", "1h", "1h left", "1 h"},
        {3601, "1h", "1h 1m left", "1h", "1h 1m left", "1 h"},
        {3660, "1h 1m", "1h 1m left", "1h 1m", "1h 1m left", "1 h 1 min"},
        {7199, "1h 59m", "2h left", "1h 59m", "2h left", "1 h 59 min"},
        {std::nan(""), "0m", "0m left", "0s", "0s left", "0 s"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DurationText::used(c.seconds), QString::fromLatin1(c.used)) << c.seconds;
        EXPECT_EQ(DurationText::left(c.seconds), QString::fromLatin1(c.left)) << c.seconds;
        EXPECT_EQ(DurationText::dailyUsed(c.seconds), QString::fromLatin1(c.dailyUsed)) << c.seconds;
        EXPECT_EQ(DurationText::dailyLeft(c.seconds), QString::fromLatin1(c.dailyLeft)) << c.seconds;
        EXPECT_EQ(DurationText::spoken(c.seconds), QString::fromLatin1(c.spoken)) << c.seconds;
    }
}
