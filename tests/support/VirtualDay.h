// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "platform/fake/ManualScheduler.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <chrono>

namespace brindlemoor::test {

/// A morning in virtual time with an in-memory store; local time, as set by the test's TZ.
struct VirtualDay {
    explicit VirtualDay(QDateTime start = QDateTime(QDate(2026, 3, 10), QTime(9, 0)))
        : clock(std::move(start))
        , scheduler(clock)
        , prefs(defaults)
    {
    }

    void advanceSeconds(int seconds) { scheduler.advance(std::chrono::seconds(seconds)); }

    MemoryKeyValueStore defaults;
    ManualClock clock;
    ManualScheduler scheduler;
    PreferencesStore prefs;
};

} // namespace brindlemoor::test
