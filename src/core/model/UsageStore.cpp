// SPDX-License-Identifier: MIT
#include "core/model/UsageStore.h"

#include "core/foundation/Clock.h"
#include "core/foundation/DayKey.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/SettingsKeys.h"

#include <algorithm>

namespace brindlemoor {

UsageStore::UsageStore(KeyValueStore& defaults, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_pastDays(defaults)
    , m_history(defaults)
{
    m_state.lastResetDay = dayKey(m_clock.now());
    load();
}

UsageStore::~UsageStore()
{
    flush();
}

void UsageStore::setLimits(LimitSettings limits)
{
    m_limits = std::move(limits);
}

void UsageStore::tick(const QString& bundleID)
{
    rolloverIfNeeded();
    auto it = m_state.entries.find(bundleID);
    if (it == m_state.entries.end())
        it = m_state.entries.insert(bundleID, Entry{bundleID, 0, 0, 0});
    it->sessionSeconds += 1.0;
    it->cumulativeSeconds += 1.0;
    Q_EMIT usageChanged();
    if (++m_unsavedTicks >= ticksPerSave)
        save();
}

double UsageStore::totalSecondsToday() const
{
    double total = 0;
    for (const Entry& entry : m_state.entries)
        total += entry.cumulativeSeconds;
    return total;
}

void UsageStore::startInterval(const QString& bundleID)
{
    const QDateTime now = m_clock.now();
    closeCurrentInterval(now);
    m_state.currentInterval = UsageInterval{QUuid::createUuid(), bundleID, now, std::nullopt};
}

void UsageStore::closeCurrentInterval(const QDateTime& at)
{
    if (!m_state.currentInterval)
        return;
    UsageInterval closed = *m_state.currentInterval;
    closed.end = at;
    m_state.todayIntervals.append(closed);
    m_state.currentInterval.reset();
    Q_EMIT usageChanged();
    save();
}

void UsageStore::incrementSwitchCount(const QString& bundleID)
{
    auto it = m_state.entries.find(bundleID);
    if (it == m_state.entries.end())
        it = m_state.entries.insert(bundleID, Entry{bundleID, 0, 0, 0});
    it->switchCount += 1;
    m_lastSwitch = {bundleID, m_clock.now()};
    save();
}

void UsageStore::recordBreachHour(const QString& bundleID)
{
    m_state.todayBreachHours[bundleID].append(m_clock.now().toLocalTime().time().hour());
    save();
}

void UsageStore::extendDaily(qint64 minutes, double baseLimitSeconds)
{
    const double add = static_cast<double>(minutes) * 60.0;
    const double target = totalSecondsToday() + add - baseLimitSeconds;
    const double added = m_state.dailyExtension + add;
    m_state.dailyExtension = added <= target ? target : added;
    save();
    Q_EMIT dailyExtensionChanged();
}

void UsageStore::resetApp(const QString& bundleID)
{
    const auto it = m_state.entries.find(bundleID);
    if (it == m_state.entries.end())
        return;
    it->sessionSeconds = 0;
    m_state.appExtensions.remove(bundleID);
    Q_EMIT usageChanged();
    save();
}

void UsageStore::rolloverIfNeeded()
{
    const QString today = dayKey(m_clock.now());
    if (today == m_state.lastResetDay)
        return;
    // load() accepts only valid day keys, so both dates exist.
    const qint64 daysSinceStoredDay = dateFromDayKey(m_state.lastResetDay)->daysTo(*dateFromDayKey(today));
    if (daysSinceStoredDay < 0) {
        // A clock set back (a time-server correction, a flight west, a clock reset before time
        // synchronisation caught up) must not close the stored day and wipe its counts: keep crediting
        // the stored day until the calendar passes it.
        if (-daysSinceStoredDay <= PastDays::keptDays)
            return;
        // A stored day further ahead came from a clock that was wrong then, and would be credited for
        // too long. Its counts are real use: they carry over to today. The day never enters the
        // history, where a future key would outlive every real day kept.
        m_state.lastResetDay = today;
        save();
        return;
    }

    // The closed day is saved whole before anything is kept of it: a crash from here to the next save
    // closes the same day again, from the same numbers, and each record below is written again unchanged.
    save();
    m_history.record(dayRecord(), m_historyDays);
    DayHistory history = m_pastDays.history();
    history.insert(m_state.lastResetDay, static_cast<qint64>(outcome()));
    PastDays::keepLatestDays(history);
    m_pastDays.saveHistory(history);
    m_pastDays.recordBreachHours(m_state.todayBreachHours, m_state.lastResetDay);

    m_state.entries.clear();
    m_state.todayIntervals.clear();
    // An interval begun since midnight (the first app in front on a new day starts one before the
    // tick that closes the old day) is today's; only one open across midnight is dropped.
    if (m_state.currentInterval && dayKey(m_state.currentInterval->start) != today)
        m_state.currentInterval.reset();
    // So is the switch that opened it.
    if (m_lastSwitch && dayKey(m_lastSwitch->second) == today)
        m_state.entries.insert(m_lastSwitch->first, Entry{m_lastSwitch->first, 0, 0, 1});
    m_state.todayBreachHours.clear();
    m_state.appExtensions.clear();
    m_state.dailyExtension = 0;
    m_state.lastResetDay = today;
    save();
    Q_EMIT dayRolledOver();
}

std::optional<Limit> UsageStore::appLimit(const QString& bundleID) const
{
    const auto minutes = m_limits.appMinutes.constFind(bundleID);
    if (minutes == m_limits.appMinutes.cend())
        return std::nullopt;
    return Limit{*minutes, m_state.appExtensions.value(bundleID, 0.0)};
}

std::optional<Limit> UsageStore::dailyLimit() const
{
    if (m_limits.dailyMinutes <= 0)
        return std::nullopt;
    return Limit{m_limits.dailyMinutes, m_state.dailyExtension};
}

bool UsageStore::isOverLimit(const Entry& entry) const
{
    const auto limit = appLimit(entry.bundleID);
    return limit && limit->isReachedBy(entry.sessionSeconds);
}

DayOutcome UsageStore::outcome() const
{
    const auto daily = dailyLimit();
    const bool over = std::any_of(m_state.entries.begin(), m_state.entries.end(),
                                  [&](const Entry& entry) { return isOverLimit(entry); }) ||
                      (daily && daily->isReachedBy(totalSecondsToday()));
    return over ? DayOutcome::OverLimit : DayOutcome::WithinLimits;
}

DayRecord UsageStore::dayRecord() const
{
    DayRecord record{m_state.lastResetDay, {}, totalSecondsToday(), std::nullopt, outcome()};
    for (const Entry& entry : m_state.entries) {
        // A switch into an app opens its entry before the app has a second.
        if (entry.cumulativeSeconds <= 0)
            continue;
        const auto limit = appLimit(entry.bundleID);
        record.apps.append({entry.bundleID, entry.cumulativeSeconds,
                            limit ? std::optional<double>(limit->seconds()) : std::nullopt, isOverLimit(entry)});
    }
    std::sort(record.apps.begin(), record.apps.end(), [](const AppDayRecord& a, const AppDayRecord& b) {
        return a.seconds != b.seconds ? a.seconds > b.seconds : a.bundleID < b.bundleID;
    });
    if (const auto daily = dailyLimit())
        record.dailyLimitSeconds = daily->seconds();
    return record;
}

void UsageStore::flush()
{
    if (m_unsavedTicks > 0)
        save();
}

void UsageStore::save()
{
    m_unsavedTicks = 0;
    if (const auto data = m_state.encode(m_encodedIntervals))
        m_defaults.setValue(keys::usageDailyData, *data);
}

void UsageStore::load()
{
    const QByteArray data = m_defaults.dataValue(keys::usageDailyData);
    if (data.isEmpty())
        return;
    auto state = PersistedState::decode(data);
    // A day that is not a date cannot be closed into the history; such a document counts as undecodable.
    if (!state || !dateFromDayKey(state->lastResetDay))
        return;
    m_state = std::move(*state);
    m_encodedIntervals.adopt(data, m_state.todayIntervals);
}

} // namespace brindlemoor
