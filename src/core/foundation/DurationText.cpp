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

} // namespace

QString DurationText::used(double seconds)
{
    const qint64 whole = wholeSeconds(seconds);
    if (whole == 0)
        return tr("0m");
    if (whole < 60)
        return tr("%1s").arg(whole);
    if (whole < 3600)
        return tr("%1m").arg(whole / 60);
    const qint64 hours = whole / 3600;
    const qint64 minutes = whole % 3600 / 60;
    return minutes == 0 ? tr("%1h").arg(hours) : tr("%1h %2m").arg(hours).arg(minutes);
}

QString DurationText::remaining(double seconds)
{
    const qint64 whole = wholeSeconds(seconds);
    // From a minute on, a started minute counts as a whole one left.
    return used(static_cast<double>(whole >= 60 ? whole + 59 : whole));
}

QString DurationText::left(double seconds)
{
    return tr("%1 left").arg(remaining(seconds));
}

} // namespace brindlemoor
