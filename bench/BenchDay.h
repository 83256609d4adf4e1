// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/UsageRecords.h"

#include <QStringList>

namespace brindlemoor {
class KeyValueStore;
}

namespace brindlemoor::bench {

/// Ten watched applications.
QStringList watchedApps();

/// A usage document for the day of `until`: `intervals` closed stretches laid end to end from `from`
/// to `until`, going round `apps`, with each app's counters the sum of its stretches.
PersistedState dayWithIntervals(const QStringList& apps, int intervals, const QDateTime& from, const QDateTime& until);

/// A returning user's store: `apps` watched, the welcome seen, and `day` as today's usage.
void prepareStore(KeyValueStore& store, const QStringList& apps, const PersistedState& day);

} // namespace brindlemoor::bench
