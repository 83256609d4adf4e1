// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <QtNumeric>

namespace brindlemoor {

/// How a finished day is kept in the history; the numbers are the ones on disk.
enum class DayOutcome : qint64 {
    WithinLimits = 0,
    OverLimit = 2, ///< an app's limit or the daily limit was reached
};

/// One limit as it stands today: the minutes the user set plus what was granted today.
struct Limit {
    qint64 minutes = 0;
    double extensionSeconds = 0;

    /// The minutes are turned into seconds in 64-bit integers, then the extension is added.
    double seconds() const
    {
        qint64 whole = 0;
        // A stored limit too large for that is still a limit that is never reached, not a negative one.
        if (qMulOverflow(minutes, qint64{60}, &whole))
            return static_cast<double>(minutes) * 60.0 + extensionSeconds;
        return static_cast<double>(whole) + extensionSeconds;
    }
    /// The program's one rule for every limit: reached at exactly the limit.
    bool isReachedBy(double usedSeconds) const { return usedSeconds >= seconds(); }
};

} // namespace brindlemoor
