// SPDX-License-Identifier: MIT
#include "views/history/HistoryTexts.h"

#include "core/foundation/DurationText.h"

#include <QLocale>

namespace brindlemoor {

namespace {

bool isRecorded(const HistoryBar& bar)
{
    return bar.recordedDays > 0;
}

QString dayDate(const QDate& date)
{
    //: How the history names a day; a QDate format, the weekday and the month short.
    return QLocale().toString(date, HistoryTexts::tr("ddd d MMM"));
}

} // namespace

QString HistoryTexts::date(const HistoryBar& bar, HistorySpan span)
{
    if (span == HistorySpan::Days)
        return dayDate(bar.first);
    //: The first day of a week in the history; a QDate format.
    const QString first = QLocale().toString(bar.first, tr("d MMM"));
    return tr("Week of %1").arg(first);
}

QString HistoryTexts::used(const HistoryBar& bar, HistorySpan span)
{
    if (!isRecorded(bar))
        return tr("Nothing recorded");
    if (span == HistorySpan::Days)
        return DurationText::spoken(bar.seconds);
    return tr("%1 a day, %2 in all").arg(DurationText::spoken(bar.seconds), DurationText::spoken(bar.totalSeconds));
}

QString HistoryTexts::limit(const HistoryBar& bar, HistorySpan span)
{
    if (!isRecorded(bar) || !bar.limitSeconds)
        return tr("No limit");
    const QString limit = DurationText::spoken(*bar.limitSeconds);
    if (bar.overLimitDays == 0)
        return tr("%1, within the limit").arg(limit);
    if (span == HistorySpan::Days)
        return tr("%1, over the limit").arg(limit);
    return tr("%1, reached on %n day(s)", nullptr, bar.overLimitDays).arg(limit);
}

QString HistoryTexts::figures(const HistoryBar& bar, HistorySpan span)
{
    const QString when = date(bar, span);
    if (!isRecorded(bar))
        return tr("%1: nothing recorded, Brindlemoor was not running").arg(when);
    const QString used = DurationText::spoken(bar.seconds);
    if (span == HistorySpan::Days) {
        if (!bar.limitSeconds)
            return tr("%1: %2").arg(when, used);
        const QString limit = DurationText::spoken(*bar.limitSeconds);
        return bar.overLimitDays > 0 ? tr("%1: %2 of %3, over the limit").arg(when, used, limit)
                                     : tr("%1: %2 of %3, within the limit").arg(when, used, limit);
    }
    const QString total = DurationText::spoken(bar.totalSeconds);
    if (!bar.limitSeconds)
        return tr("%1: %2 a day, %3 in all").arg(when, used, total);
    const QString limit = DurationText::spoken(*bar.limitSeconds);
    if (bar.overLimitDays == 0)
        return tr("%1: %2 a day, %3 in all; limit %4, not reached").arg(when, used, total, limit);
    return tr("%1: %2 a day, %3 in all; limit %4, reached on %n day(s)", nullptr, bar.overLimitDays)
        .arg(when, used, total, limit);
}

QStringList HistoryTexts::caption(const HistoryBar& bar, HistorySpan span)
{
    const QLocale locale;
    const QString day = locale.toString(bar.first.day());
    if (span == HistorySpan::Days)
        return {locale.standaloneDayName(bar.first.dayOfWeek(), QLocale::ShortFormat), day};
    return {day, locale.standaloneMonthName(bar.first.month(), QLocale::ShortFormat)};
}

QStringList HistoryTexts::columns(HistorySpan span)
{
    return {span == HistorySpan::Days ? tr("Day") : tr("Week"), tr("Time used"), tr("Limit")};
}

QString HistoryTexts::dailyAverage(double seconds)
{
    return tr("Daily average %1").arg(DurationText::spoken(seconds));
}

QString HistoryTexts::weeklyAverage(double seconds)
{
    return tr("Weekly average %1").arg(DurationText::spoken(seconds));
}

} // namespace brindlemoor
