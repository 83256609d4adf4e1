// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/Limit.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace brindlemoor {

class KeyValueStore;

/// One application's use on one day, as the day ended.
struct AppDayRecord {
    QString bundleID;
    double seconds = 0;                 ///< all its use that day, resets included
    std::optional<double> limitSeconds; ///< its limit that day, extensions included; none when it was not watched
    bool overLimit = false;             ///< its limit was reached when the day ended

    friend bool operator==(const AppDayRecord&, const AppDayRecord&) = default;
};

/// One day as it ended, or today so far.
struct DayRecord {
    QString day;              ///< the day key
    QList<AppDayRecord> apps; ///< most used first
    double totalSeconds = 0;
    std::optional<double> dailyLimitSeconds; ///< none when no daily limit was set
    DayOutcome outcome = DayOutcome::WithinLimits;

    const AppDayRecord* app(const QString& bundleID) const;

    friend bool operator==(const DayRecord&, const DayRecord&) = default;
};

using DayRecords = QMap<QString, DayRecord>; // day key -> record

/// How long each application was used on the finished days, kept for a number of days the user
/// chooses. Written once per day, when the day is closed; a day the program did not run has no record.
class UsageHistory final {
public:
    static constexpr qint64 defaultKeptDays = 90;
    /// Ten years: the setting is clamped to it.
    static constexpr qint64 maxKeptDays = 3650;

    explicit UsageHistory(KeyValueStore& defaults);

    /// Every kept day; an undecodable document reads as none.
    DayRecords days() const;
    /// Keeps `record` in place of any earlier record of its day, then keeps only the days after the
    /// `keptDays` that end with the record's day. Closing the same day twice (a crash before the closed
    /// day's state was saved) so writes the same record again. False when the store refused it.
    bool record(const DayRecord& record, qint64 keptDays);

    static QByteArray encode(const DayRecords& days);
    static std::optional<DayRecords> decode(const QByteArray& data);

private:
    KeyValueStore& m_defaults;
};

} // namespace brindlemoor
