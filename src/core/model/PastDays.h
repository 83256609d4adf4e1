// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/UsageRecords.h"

#include <QMap>
#include <QString>

namespace brindlemoor {

class KeyValueStore;

using DayHistory = QMap<QString, qint64>;            // day key -> a DayOutcome as stored
using BreachHoursByDay = QMap<QString, BreachHours>; // day key -> that day's breach hours

/// The finished days that the usage side keeps: each day's outcome and the hours at which
/// limit cues fired. Both are written when a day is closed and read by the insights.
class PastDays final {
public:
    static constexpr int keptDays = 14;

    explicit PastDays(KeyValueStore& defaults);

    DayHistory history() const;
    void saveHistory(const DayHistory& history);
    BreachHoursByDay breachHoursByDay() const;
    void recordBreachHours(const BreachHours& hours, const QString& day);

    /// Keeps the `keptDays` greatest day keys.
    template <typename Map> static void keepLatestDays(Map& byDay)
    {
        while (byDay.size() > keptDays)
            byDay.erase(byDay.begin());
    }

private:
    KeyValueStore& m_defaults;
};

} // namespace brindlemoor
