// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/Limit.h"
#include "core/model/PastDays.h"
#include "core/model/UsageHistory.h"
#include "core/model/UsageRecords.h"

#include <QObject>

#include <optional>
#include <utility>

namespace brindlemoor {

class Clock;
class KeyValueStore;

/// The limits as the user set them, which the usage side needs to judge a day it closes.
struct LimitSettings {
    QHash<QString, qint64> appMinutes; ///< per watched application
    qint64 dailyMinutes = 0;           ///< 0 for no daily limit
};

/// Everything known about the current calendar day. Saves itself after every change, so a restart
/// continues the same day, and closes the day at the first tick of a later one. The per-second count
/// alone is saved every few ticks: a day of writes each second wears the disk and costs the battery,
/// and a crash loses at most those seconds.
class UsageStore final : public QObject {
    Q_OBJECT

public:
    /// Ticks whose count may wait for the next save.
    static constexpr int ticksPerSave = 10;

    UsageStore(KeyValueStore& defaults, const Clock& clock, QObject* parent = nullptr);
    /// Saves the ticks still waiting.
    ~UsageStore() override;
    UsageStore(const UsageStore&) = delete;
    UsageStore& operator=(const UsageStore&) = delete;

    /// The limits in force from now on; the day's own extensions are added to them.
    void setLimits(LimitSettings limits);
    /// How many days the per-application history keeps; applies from the next closed day.
    void setHistoryDays(qint64 days) { m_historyDays = days; }
    /// Credits one second to the app, after closing the stored day if the calendar moved on.
    void tick(const QString& bundleID);
    double totalSecondsToday() const;
    void startInterval(const QString& bundleID);
    void closeCurrentInterval(const QDateTime& at);
    void incrementSwitchCount(const QString& bundleID);
    void recordBreachHour(const QString& bundleID);
    void extendDaily(qint64 minutes, double baseLimitSeconds);
    void resetApp(const QString& bundleID);
    /// Saves now what the last ticks counted.
    void flush();

    /// The app's limit today; none for an app that is not watched.
    std::optional<Limit> appLimit(const QString& bundleID) const;
    /// The daily limit today; none when no daily limit is set.
    std::optional<Limit> dailyLimit() const;
    /// A watched app whose own counter has reached its limit today.
    bool isOverLimit(const Entry& entry) const;
    /// What the day comes to so far: over when any watched app or the daily total reached its limit.
    DayOutcome outcome() const;
    const PastDays& pastDays() const { return m_pastDays; }
    const UsageHistory& history() const { return m_history; }
    /// The stored day so far, as it would be kept if it ended now.
    DayRecord dayRecord() const;

    const QHash<QString, Entry>& entries() const { return m_state.entries; }
    const QList<UsageInterval>& todayIntervals() const { return m_state.todayIntervals; }
    const std::optional<UsageInterval>& currentInterval() const { return m_state.currentInterval; }
    const QHash<QString, double>& appExtensions() const { return m_state.appExtensions; }
    double dailyExtension() const { return m_state.dailyExtension; }
    const QString& lastResetDay() const { return m_state.lastResetDay; }
    const BreachHours& todayBreachHours() const { return m_state.todayBreachHours; }

Q_SIGNALS:
    /// The usage numbers changed: a counted second, a closed interval or a reset.
    void usageChanged();
    /// The stored day was closed and a new one begun.
    void dayRolledOver();
    /// A daily extension was granted. It is no usage change, so `usageChanged` does not follow.
    void dailyExtensionChanged();

private:
    void rolloverIfNeeded();
    void save();
    void load();

    KeyValueStore& m_defaults;
    const Clock& m_clock;
    PastDays m_pastDays;
    UsageHistory m_history;
    qint64 m_historyDays = UsageHistory::defaultKeptDays;
    LimitSettings m_limits;
    PersistedState m_state;
    EncodedIntervals m_encodedIntervals;
    int m_unsavedTicks = 0;
    std::optional<std::pair<QString, QDateTime>> m_lastSwitch;
};

} // namespace brindlemoor
