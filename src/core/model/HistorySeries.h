// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/UsageHistory.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace brindlemoor {

/// What a history chart shows: one bar a day, or one a week.
enum class HistorySpan {
    Days,  ///< the last 14 days, today included
    Weeks, ///< the last 12 weeks, this one included; a bar is the week's average day
};

/// One bar: a day, or a week of days.
struct HistoryBar {
    QDate first;
    QDate last;              ///< the same as `first` for a day
    double seconds = 0;      ///< the day's use; for a week, its average day
    double totalSeconds = 0; ///< the day's or the week's use in all
    int recordedDays = 0;    ///< days with a record: the program ran on them
    /// The limit of the bar's latest recorded day that gave one; none when none did.
    std::optional<double> limitSeconds;
    int overLimitDays = 0; ///< recorded days on which the limit was reached

    friend bool operator==(const HistoryBar&, const HistoryBar&) = default;
};

/// The bars of one application (or of the daily total) over one span, oldest first.
struct HistorySeries {
    QList<HistoryBar> bars;
    /// Averages over the days from the first record (the span's first day, when the records go back
    /// further) to today. A day without a record counts as a day without use: the program starts with
    /// the session, so such a day had none.
    double dailyAverage = 0;
    double weeklyAverage = 0;
    /// The line across the chart: the limit of the latest record that had one.
    std::optional<double> limitSeconds;

    /// No recorded day in the span.
    bool isEmpty() const
    {
        return std::none_of(bars.begin(), bars.end(), [](const HistoryBar& bar) { return bar.recordedDays > 0; });
    }
};

inline constexpr int historyDaysShown = 14;
inline constexpr int historyWeeksShown = 12;

/// The series of `bundleID` (empty for the daily total) over `span`, ending with `today`. Weeks begin
/// on `firstDayOfWeek` (1 = Monday ... 7 = Sunday), as the user's locale has it.
HistorySeries historySeries(const DayRecords& days, const QString& bundleID, HistorySpan span, QDate today,
                            int firstDayOfWeek);

/// The applications in the records, most used in all first.
QStringList historyApps(const DayRecords& days);

} // namespace brindlemoor
