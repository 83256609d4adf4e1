// SPDX-License-Identifier: MIT
// The usage store's saved day: decoded, written back, and loaded by the store itself.
#include "FuzzerSetup.h"

#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageRecords.h"
#include "core/model/UsageStore.h"
#include "platform/fake/ManualClock.h"

#include <QTimeZone>

using namespace brindlemoor;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    if (const auto state = PersistedState::decode(bytes)) {
        // Whatever was read is saved again at the next tick; a document that cannot be written
        // back, or changes on its way round, loses the day's counts.
        const auto encoded = state->encode();
        if (!encoded)
            fuzz::fail("a decoded document cannot be encoded");
        const auto again = PersistedState::decode(*encoded);
        if (!again)
            fuzz::fail("an encoded document cannot be decoded");
        if (again->encode() != encoded)
            fuzz::fail("a document changes from one save to the next");
    }

    MemoryKeyValueStore defaults;
    defaults.setValue(keys::usageDailyData, bytes);
    PreferencesStore prefs(defaults);
    prefs.setDailyLimitMinutes(120);
    // Noon the day after the seeds' day: a stored day closes at the first tick, another one carries on.
    ManualClock clock(QDateTime(QDate(2026, 3, 11), QTime(12, 0), QTimeZone::utc()));
    UsageStore store(defaults, clock);
    const TodayModel today(prefs, store); // hands the limits to the usage store
    const QString app =
        store.entries().isEmpty() ? QStringLiteral("org.example.Editor") : store.entries().begin().key();
    prefs.addApp(app);
    store.incrementSwitchCount(app);
    store.recordBreachHour(app);
    store.outcome();
    store.tick(app);
    store.extendDaily(15, 3600);
    store.outcome();
    return 0;
}
