// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/Limit.h"

#include <QString>

#include <optional>

namespace brindlemoor {

/// How far a limit has been used up.
enum class LimitLevel { Under, Near, Reached };

/// Where "near" begins. A popover row warns only past 80 % of its limit; the daily bar, the
/// floating cards and the insights' pace card warn from 80 % on.
enum class NearFrom { Past80Percent, At80Percent };

/// One limit's day so far, as every card of the program shows it: the popover's rows and daily
/// bar, the floating cards, the tray and the insights read this and nothing else.
struct LimitProgress {
    double used = 0;
    std::optional<Limit> limit; ///< none for no limit

    bool isReached() const { return limit && limit->isReachedBy(used); }
    /// Under without a limit; the near rule is compared in whole seconds, without dividing.
    LimitLevel level(NearFrom near) const;
    /// The share of the limit that is left, 0 without a limit (or with one of no time at all).
    double remainingFraction() const;
    /// floor(used / limit × 100), dividing last; 0 without a limit.
    int percentUsed() const;

    /// The time used or left, as `showRemaining` says; empty once the limit is reached. The app
    /// form says nothing as "0m", the daily form as "0s".
    QString appTimeText(bool showRemaining) const;
    QString dailyTimeText(bool showRemaining) const;
    /// The whole state in words, for a screen reader: "42 min used of 1 h, near the limit".
    QString spokenText(NearFrom near) const;

private:
    double limitSeconds() const { return limit ? limit->seconds() : 0.0; }
};

} // namespace brindlemoor
