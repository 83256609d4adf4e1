// SPDX-License-Identifier: MIT
// Every other stored key, with a value of any of the store's types, read through the preferences,
// the limits and the floating widgets' positions.
//
// An input is records separated by the byte 0xFF. A record is a key letter ('a' is the first key
// below), a type letter ('d' data, 't' text, 'i' integer, 'f' float) and the value: bytes for data
// and text; for a number, decimal text or its 8 raw bytes.
#include "FuzzerSetup.h"

#include "core/foundation/KeyValueStore.h"
#include "core/model/PastDays.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "core/model/WidgetPositions.h"
#include "platform/fake/ManualClock.h"

#include <QTimeZone>

#include <cstring>

using namespace brindlemoor;

namespace {

const QString* const storedKeys[] = {
    &keys::isMonitoringPaused,      &keys::dailyLimitMinutes,
    &keys::extendDurationMinutes,   &keys::useShapes,
    &keys::playSoundOnRed,          &keys::showTimeRemaining,
    &keys::overlayEnabled,          &keys::dotColorRed,
    &keys::dotColorGreen,           &keys::dotColorBlue,
    &keys::monitoredAppsData,       &keys::mindfulnessHistory,
    &keys::breachHoursByDay,        &keys::hasSeenWelcome,
    &keys::floatingWidgetPositions, &keys::floatingWidgetDailyPosition,
};

// Raw bytes reach every value, the extremes and NaN included, where decimal text takes long to get there.
template <typename Number> Number raw(const QByteArray& payload)
{
    Number number{};
    std::memcpy(&number, payload.constData(), sizeof number);
    return number;
}

QVariant valueOf(char type, const QByteArray& payload)
{
    switch (type) {
    case 'd':
        return payload;
    case 't':
        return QString::fromUtf8(payload);
    case 'i':
        return QVariant::fromValue<qlonglong>(payload.size() == sizeof(qint64) ? raw<qint64>(payload)
                                                                               : payload.toLongLong());
    case 'f':
        return payload.size() == sizeof(double) ? raw<double>(payload) : payload.toDouble();
    default:
        return {};
    }
}

void store(MemoryKeyValueStore& defaults, const QByteArray& input)
{
    for (const QByteArray& record : input.split('\xff')) {
        if (record.size() < 2)
            continue;
        const auto index = static_cast<unsigned char>(record[0] - 'a') % std::size(storedKeys);
        defaults.setValue(*storedKeys[index], valueOf(record[1], record.mid(2)));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryKeyValueStore defaults;
    store(defaults, fuzz::bytesOf(data, size));
    PreferencesStore prefs(defaults);
    prefs.isMonitoringPaused();
    prefs.extendDurationMinutes();
    prefs.useShapes();
    prefs.playSoundOnRed();
    prefs.showTimeRemaining();
    prefs.overlayEnabled();
    prefs.dotColor();

    // A list that was read is written back whenever one app changes; it must come back the same.
    const QList<MonitoredAppConfig> apps = prefs.monitoredApps();
    prefs.saveMonitoredApps(apps);
    if (prefs.monitoredApps() != apps)
        fuzz::fail("the monitored apps change when saved again");
    PastDays pastDays(defaults);
    const DayHistory history = pastDays.history();
    pastDays.saveHistory(history);
    if (pastDays.history() != history)
        fuzz::fail("the history changes when saved again");
    pastDays.recordBreachHours({{QStringLiteral("org.example.Editor"), {9}}}, QStringLiteral("2026-03-10"));

    ManualClock clock(QDateTime(QDate(2026, 3, 11), QTime(12, 0), QTimeZone::utc()));
    UsageStore usage(defaults, clock);
    const TodayModel today(prefs, usage); // hands the stored limits to the usage store
    for (const MonitoredAppConfig& app : apps) {
        usage.tick(app.bundleID);
        usage.appLimit(app.bundleID);
    }
    usage.dailyLimit();
    usage.outcome();

    const QJsonObject positions = decodeWidgetPositions(defaults.dataValue(keys::floatingWidgetPositions));
    for (const QJsonValue& position : positions)
        widgetOriginOf(position);
    widgetOriginOf(QJsonValue(decodeWidgetPositions(defaults.dataValue(keys::floatingWidgetDailyPosition))));
    return 0;
}
