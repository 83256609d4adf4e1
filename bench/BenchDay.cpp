// SPDX-License-Identifier: MIT
#include "bench/BenchDay.h"

#include "core/foundation/DayKey.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"

#include <QUuid>

#include <algorithm>

namespace brindlemoor::bench {

QStringList watchedApps()
{
    QStringList apps;
    for (int i = 0; i < 10; ++i)
        apps.append(QStringLiteral("org.example.App%1").arg(i));
    return apps;
}

PersistedState dayWithIntervals(const QStringList& apps, int intervals, const QDateTime& from, const QDateTime& until)
{
    PersistedState day;
    day.lastResetDay = dayKey(until);
    const qint64 spanMs = from.msecsTo(until);
    for (int i = 0; i < intervals; ++i) {
        const QString& app = apps.at(i % apps.size());
        const QDateTime start = from.addMSecs(spanMs * i / intervals);
        // A short gap between stretches, as between two windows.
        const QDateTime end =
            from.addMSecs(spanMs * (i + 1) / intervals - std::min<qint64>(500, spanMs / intervals / 4));
        day.todayIntervals.append(UsageInterval{QUuid::createUuid(), app, start, end});
        Entry& entry = day.entries[app];
        entry.bundleID = app;
        const double seconds = static_cast<double>(start.msecsTo(end)) / 1000.0;
        entry.sessionSeconds += seconds;
        entry.cumulativeSeconds += seconds;
        entry.switchCount += 1;
    }
    return day;
}

void prepareStore(KeyValueStore& store, const QStringList& apps, const PersistedState& day)
{
    PreferencesStore prefs(store);
    for (const QString& app : apps)
        prefs.addApp(app);
    store.setValue(keys::hasSeenWelcome, true);
    if (const auto data = day.encode())
        store.setValue(keys::usageDailyData, *data);
}

} // namespace brindlemoor::bench
