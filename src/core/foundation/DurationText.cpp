// SPDX-License-Identifier: MIT
#include "core/foundation/DurationText.h"

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

// Whole seconds, truncated; NaN, negatives and absurd values cannot reach an integer cast.
qint64 wholeSeconds(double seconds)
{
    if (!(seconds > 0))
        return 0;
    return static_cast<qint64>(std::trunc(std::min(seconds, 1e12)));
}

// From a minute on, a started minute counts as a whole one left.
qint64 roundedUp(qint64 whole)
{
    return whole >= 60 ? whole + 59 : whole;
}

QString compact(qint64 whole, const QString& zero)
{
    if (whole == 0)
        return zero;
    if (whole < 60)
        return DurationText::tr("%1s").arg(whole);
    if (whole < 3600)
        return DurationText::tr("%1m").arg(whole / 60);
    const qint64 hours = whole / 3600;
    const qint64 minutes = whole % 3600 / 60;
    return minutes == 0 ? DurationText::tr("%1h").arg(hours) : DurationText::tr("%1h %2m").arg(hours).arg(minutes);
}

} // namespace

QString DurationText::used(double seconds)
{
    return compact(wholeSeconds(seconds), tr("0m"));
}

QString DurationText::remaining(double seconds)
{
    return compact(roundedUp(wholeSeconds(seconds)), tr("0m"));
}

QString DurationText::left(double seconds)
{
    return tr("%1 left").arg(remaining(seconds));
}

QString DurationText::dailyUsed(double seconds)
{
    return compact(wholeSeconds(seconds), tr("0s"));
}

QString DurationText::dailyLeft(double seconds)
{
    return tr("%1 left").arg(compact(roundedUp(wholeSeconds(seconds)), tr("0s")));
}

QString DurationText::spoken(double seconds)
{
    const qint64 whole = wholeSeconds(seconds);
    if (whole < 60)
        return tr("%1 s").arg(whole);
    const qint64 hours = whole / 3600;
    const qint64 minutes = whole % 3600 / 60;
    if (hours == 0)
        return tr("%1 min").arg(minutes);
    return minutes == 0 ? tr("%1 h").arg(hours) : tr("%1 h %2 min").arg(hours).arg(minutes);
}

} // namespace brindlemoor
