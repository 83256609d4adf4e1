// SPDX-License-Identifier: MIT
#include "core/foundation/DayKey.h"
#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"

#include <gtest/gtest.h>

using namespace brindlemoor;

TEST(JsonCoding, TimestampsCountFromTheReferenceDateAndReadersAreStrict)
{
    const QDateTime reference(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    EXPECT_DOUBLE_EQ(json::timestampFromDateTime(reference.addMSecs(1500)), 1.5);
    EXPECT_EQ(json::dateTimeFromTimestamp(-0.25), reference.addMSecs(-250));

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
    EXPECT_EQ(dayKey(QDateTime(QDate(2026, 3, 10), QTime(23, 30), Qt::UTC)), QStringLiteral("2026-03-11"));
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
