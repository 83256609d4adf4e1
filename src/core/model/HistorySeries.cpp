// SPDX-License-Identifier: MIT
#include "core/model/HistorySeries.h"

#include "core/foundation/DayKey.h"

#include <QHash>

#include <algorithm>

namespace brindlemoor {

namespace {

struct DayFigures {
    double seconds = 0;
    std::optional<double> limitSeconds;
    bool overLimit = false;
};

DayFigures figures(const DayRecord& day, const QString& bundleID)
{
    if (bundleID.isEmpty())
        return DayFigures{day.totalSeconds, day.dailyLimitSeconds, day.outcome == DayOutcome::OverLimit};
    // A recorded day without the app is a day it was not used.
    const AppDayRecord* app = day.app(bundleID);
    return app ? DayFigures{app->seconds, app->limitSeconds, app->overLimit} : DayFigures{};
}

} // namespace

HistorySeries historySeries(const DayRecords& days, const QString& bundleID, HistorySpan span, QDate today,
                            int firstDayOfWeek)
{
    HistorySeries series;
    const int barCount = span == HistorySpan::Days ? historyDaysShown : historyWeeksShown;
    const int daysPerBar = span == HistorySpan::Days ? 1 : 7;
    // The last bar ends today; a week's bar begins on the locale's first day of the week.
    const QDate lastStart =
        span == HistorySpan::Days ? today : today.addDays(-((today.dayOfWeek() - firstDayOfWeek + 7) % 7));
    const QDate spanStart = lastStart.addDays(-qint64{daysPerBar} * (barCount - 1));
    // Records from before the span show the program ran then: the span's days without one had no use.
    std::optional<QDate> firstRecorded;
    if (!days.isEmpty() && days.firstKey() < dayKey(spanStart.startOfDay()))
        firstRecorded = spanStart;
    double spanSeconds = 0;
    for (int b = 0; b < barCount; ++b) {
        HistoryBar bar;
        bar.first = spanStart.addDays(qint64{daysPerBar} * b);
        bar.last = std::min(bar.first.addDays(daysPerBar - 1), today);
        for (QDate date = bar.first; date <= bar.last; date = date.addDays(1)) {
            const auto day = days.constFind(dayKey(date.startOfDay()));
            if (day == days.cend())
                continue;
            const DayFigures f = figures(*day, bundleID);
            bar.totalSeconds += f.seconds;
            bar.recordedDays += 1;
            // A day without the app says nothing of its limit.
            if (f.limitSeconds)
                bar.limitSeconds = f.limitSeconds;
            bar.overLimitDays += f.overLimit ? 1 : 0;
            if (!firstRecorded)
                firstRecorded = date;
            if (f.limitSeconds)
                series.limitSeconds = f.limitSeconds;
        }
        // A week's bar is its average day, counted from the first record on, as the averages are.
        if (firstRecorded && *firstRecorded <= bar.last)
            bar.seconds =
                bar.totalSeconds / static_cast<double>(std::max(bar.first, *firstRecorded).daysTo(bar.last) + 1);
        spanSeconds += bar.totalSeconds;
        series.bars.append(bar);
    }
    if (firstRecorded) {
        const auto elapsedDays = static_cast<double>(firstRecorded->daysTo(today) + 1);
        series.dailyAverage = spanSeconds / elapsedDays;
        series.weeklyAverage = series.dailyAverage * 7;
    }
    return series;
}

QStringList historyApps(const DayRecords& days)
{
    QHash<QString, double> seconds;
    for (const DayRecord& day : days) {
        for (const AppDayRecord& app : day.apps)
            seconds[app.bundleID] += app.seconds;
    }
    QStringList apps = seconds.keys();
    std::sort(apps.begin(), apps.end(), [&](const QString& a, const QString& b) {
        return seconds[a] != seconds[b] ? seconds[a] > seconds[b] : a < b;
    });
    return apps;
}

} // namespace brindlemoor
