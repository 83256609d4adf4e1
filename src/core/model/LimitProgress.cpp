// SPDX-License-Identifier: MIT
#include "core/model/LimitProgress.h"

#include "core/foundation/DurationText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

// Whole seconds, held far below where 5 × seconds would overflow; NaN and negatives are none.
qint64 wholeSeconds(double seconds)
{
    constexpr double ceiling = 1e15;
    return seconds > 0 ? static_cast<qint64>(std::floor(std::min(seconds, ceiling))) : 0;
}

} // namespace

LimitLevel LimitProgress::level(NearFrom near) const
{
    if (!limit)
        return LimitLevel::Under;
    if (isReached())
        return LimitLevel::Reached;
    // 1 - 2880 / 3600 comes out just under 0.2 in floating point: hence no division.
    const qint64 usedFifths = 5 * wholeSeconds(used);
    const qint64 limitFourths = 4 * wholeSeconds(limitSeconds());
    const bool isNear = near == NearFrom::Past80Percent ? usedFifths > limitFourths : usedFifths >= limitFourths;
    return isNear ? LimitLevel::Near : LimitLevel::Under;
}

double LimitProgress::remainingFraction() const
{
    const double seconds = limitSeconds();
    return seconds > 0 ? std::max(0.0, 1 - used / seconds) : 0.0;
}

int LimitProgress::percentUsed() const
{
    const double seconds = limitSeconds();
    return seconds > 0 ? static_cast<int>(std::floor(used * 100.0 / seconds)) : 0;
}

QString LimitProgress::appTimeText(bool showRemaining) const
{
    if (isReached())
        return {};
    return showRemaining ? DurationText::left(limitSeconds() - used) : DurationText::used(used);
}

QString LimitProgress::dailyTimeText(bool showRemaining) const
{
    if (isReached())
        return {};
    return showRemaining ? DurationText::dailyLeft(limitSeconds() - used) : DurationText::dailyUsed(used);
}

QString LimitProgress::spokenText(NearFrom near) const
{
    const QString spokenUsed = DurationText::spoken(used);
    if (!limit)
        return QCoreApplication::translate("LimitProgress", "%1 used, no limit").arg(spokenUsed);
    QString usedOf = QCoreApplication::translate("LimitProgress", "%1 used of %2")
                         .arg(spokenUsed, DurationText::spoken(limitSeconds()));
    switch (level(near)) {
    case LimitLevel::Reached:
        return QCoreApplication::translate("LimitProgress", "%1, limit reached").arg(usedOf);
    case LimitLevel::Near:
        return QCoreApplication::translate("LimitProgress", "%1, near the limit").arg(usedOf);
    case LimitLevel::Under:
        break;
    }
    return usedOf;
}

} // namespace brindlemoor
