// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/HistorySeries.h"

#include <QCoreApplication>
#include <QStringList>

namespace brindlemoor {

/// What the history chart says about a bar, in the chart's captions, the figures line and the
/// cells a screen reader reads: one wording for all three.
class HistoryTexts final {
    Q_DECLARE_TR_FUNCTIONS(HistoryTexts)

public:
    /// "Mon 7 Dec", or "Week of 30 Nov".
    static QString date(const HistoryBar& bar, HistorySpan span);
    /// "1 h 12 min", or "1 h 5 min a day, 7 h 35 min in all"; says so when nothing was recorded.
    static QString used(const HistoryBar& bar, HistorySpan span);
    /// The bar's limit and whether it was reached; says so when there was none.
    static QString limit(const HistoryBar& bar, HistorySpan span);
    /// The whole line under the chart: "Mon 7 Dec: 1 h 12 min of 1 h, over the limit".
    static QString figures(const HistoryBar& bar, HistorySpan span);
    /// The two short lines under a bar: the weekday and the day, or the day and the month.
    static QStringList caption(const HistoryBar& bar, HistorySpan span);
    /// The column names of the chart read as a table.
    static QStringList columns(HistorySpan span);

    static QString dailyAverage(double seconds);
    static QString weeklyAverage(double seconds);
};

} // namespace brindlemoor
