// SPDX-License-Identifier: MIT
#include "core/model/PastDays.h"
#include "core/model/SettingsKeys.h"
#include "support/MessageLog.h"
#include "support/VirtualDay.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");
const QString kOther = QStringLiteral("debian-xterm");

/// What the store said while `action` ran, one line each.
QStringList saidBy(const std::function<void()>& action)
{
    const test::MessageLog log;
    action();
    return log.lines();
}

} // namespace

TEST(PreferencesStore, MonitoredListSignalsAndNotifications)
{
    MemoryKeyValueStore defaults;
    PreferencesStore prefs(defaults);
    QSignalSpy trackingSettingsChanged(&prefs, &PreferencesStore::trackingSettingsChanged);

    prefs.addApp(kApp);
    prefs.addApp(kOther);
    prefs.addApp(kApp); // already there: nothing stored, no signal
    EXPECT_EQ(trackingSettingsChanged.count(), 2);
    EXPECT_EQ(prefs.monitoredApps(), (QList<MonitoredAppConfig>{{kApp, 60}, {kOther, 60}}));
    EXPECT_EQ(defaults.dataValue(keys::monitoredAppsData),
              QByteArray(R"([{"bundleID":"org.gnome.Calculator","timeLimitMinutes":60},)"
                         R"({"bundleID":"debian-xterm","timeLimitMinutes":60}])"));

    prefs.setLimit(kOther, 25);
    EXPECT_EQ(prefs.config(kOther)->timeLimitMinutes, 25);
    EXPECT_EQ(trackingSettingsChanged.count(), 3);

    prefs.setLimit(QStringLiteral("not.watched"), 5);
    EXPECT_EQ(trackingSettingsChanged.count(), 3);

    prefs.removeApp(kApp);
    EXPECT_FALSE(prefs.isMonitored(kApp));
    EXPECT_TRUE(prefs.isMonitored(kOther));
    EXPECT_EQ(trackingSettingsChanged.count(), 4);

    prefs.setDotColor({1.0, 0.5, 0.0});
    EXPECT_EQ(trackingSettingsChanged.count(), 5);
    EXPECT_EQ(PreferencesStore(defaults).dotColor(), (RgbColor{1.0, 0.5, 0.0}));
}

TEST(PreferencesStore, UndecodableDocumentsWarnExactlyWhereAsked)
{
    MemoryKeyValueStore defaults;
    defaults.setValue(keys::monitoredAppsData, QByteArray("\x01\x02garbage"));
    defaults.setValue(keys::mindfulnessHistory, QByteArray(R"({"2026-03-01":"two"})"));
    defaults.setValue(keys::breachHoursByDay, QByteArray("{truncated"));
    defaults.setValue(keys::dailyLimitMinutes, 45);
    PreferencesStore prefs(defaults);

    EXPECT_EQ(saidBy([&] { EXPECT_TRUE(prefs.monitoredApps().isEmpty()); }).size(), 1);
    // The empty result is cached until the list is stored again.
    EXPECT_EQ(saidBy([&] { EXPECT_FALSE(prefs.isMonitored(kApp)); }), QStringList());

    EXPECT_EQ(saidBy([&] { EXPECT_TRUE(PastDays(defaults).history().isEmpty()); }).size(), 1);
    EXPECT_EQ(saidBy([&] { EXPECT_TRUE(PastDays(defaults).breachHoursByDay().isEmpty()); }), QStringList());

    // A wrong item type anywhere fails the whole list, as a typed decoder would.
    defaults.setValue(keys::monitoredAppsData,
                      QByteArray(R"([{"bundleID":"a","timeLimitMinutes":5},{"bundleID":"b","timeLimitMinutes":"5"}])"));
    prefs.addApp(kApp); // storing replaces the bad document
    EXPECT_EQ(saidBy([&] { EXPECT_EQ(prefs.monitoredApps().size(), 1); }), QStringList());
    EXPECT_EQ(prefs.dailyLimitMinutes(), 45);

    // Breach hours stored over an undecodable document start a fresh map, silently.
    EXPECT_EQ(saidBy([&] {
                  PastDays(defaults).recordBreachHours({{kApp, {9, 9}}}, QStringLiteral("2026-03-09"));
              }),
              QStringList());
    EXPECT_EQ(PastDays(defaults).breachHoursByDay().value(QStringLiteral("2026-03-09")).value(kApp),
              (QList<qint64>{9, 9}));
}

TEST(PastDays, KeepsTheBreachHoursOfTheFourteenLatestDays)
{
    MemoryKeyValueStore defaults;
    for (int day = 1; day <= 15; ++day)
        PastDays(defaults).recordBreachHours({{kApp, {day % 24}}},
                                             QDate(2026, 5, 1).addDays(day).toString(QStringLiteral("yyyy-MM-dd")));
    PastDays(defaults).recordBreachHours({}, QStringLiteral("2026-06-30")); // empty: nothing stored
    const BreachHoursByDay byDay = PastDays(defaults).breachHoursByDay();
    EXPECT_EQ(byDay.size(), 14);
    EXPECT_EQ(byDay.firstKey(), QStringLiteral("2026-05-03"));
    EXPECT_EQ(byDay.lastKey(), QStringLiteral("2026-05-16"));
}
