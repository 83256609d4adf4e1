// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>

namespace brindlemoor {

/// The short texts of time used and time left ("45s", "12m", "1h 5m"), never padded with
/// zeros; the usage rows, the daily bar and the floating widgets say time the same way.
class DurationText final {
    Q_DECLARE_TR_FUNCTIONS(DurationText)

public:
    /// Time used: whole seconds, minutes and hours truncated.
    static QString used(double seconds);
    /// Time left: seconds below a minute as they are, from a minute on rounded up to
    /// whole minutes; nothing left (or less) is "0m".
    static QString remaining(double seconds);
    /// The remaining form with " left" after it.
    static QString left(double seconds);

    /// The daily bar's forms: the same, except that nothing is "0s".
    static QString dailyUsed(double seconds);
    static QString dailyLeft(double seconds);

    /// Time as a screen reader or a tooltip says it ("1 h 12 min", "45 s"), truncated like used().
    static QString spoken(double seconds);
};

} // namespace brindlemoor
