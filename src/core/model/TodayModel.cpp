// SPDX-License-Identifier: MIT
#include "core/model/TodayModel.h"

#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"

namespace brindlemoor {

TodayModel::TodayModel(PreferencesStore& prefs, UsageStore& usage, QObject* parent)
    : QObject(parent)
    , m_prefs(prefs)
    , m_usage(usage)
{
    applySettings();
    connect(&m_prefs, &PreferencesStore::changed, this, [this] {
        applySettings();
        update();
    });
    connect(&m_usage, &UsageStore::usageChanged, this, &TodayModel::update);
    connect(&m_usage, &UsageStore::dailyExtensionChanged, this, &TodayModel::update);
    update();
}

LimitProgress TodayModel::app(const QString& bundleID) const
{
    return {m_usage.entries().value(bundleID).sessionSeconds, m_usage.appLimit(bundleID)};
}

LimitProgress TodayModel::daily() const
{
    return {m_usage.totalSecondsToday(), m_usage.dailyLimit()};
}

QList<AppUsage> TodayModel::rows(const ApplicationCatalog& catalog) const
{
    return monitoredUsage(m_prefs, m_usage, catalog);
}

const PastDays& TodayModel::pastDays() const
{
    return m_usage.pastDays();
}

DayRecords TodayModel::history() const
{
    DayRecords days = m_usage.history().days();
    const DayRecord today = todayRecord();
    days.insert(today.day, today);
    return days;
}

DayRecord TodayModel::todayRecord() const
{
    return m_usage.dayRecord();
}

bool TodayModel::hasWatchedApps() const
{
    return !m_prefs.monitoredApps().isEmpty();
}

bool TodayModel::isWatched(const QString& bundleID) const
{
    return m_prefs.isMonitored(bundleID);
}

bool TodayModel::isPaused() const
{
    return m_prefs.isMonitoringPaused();
}

bool TodayModel::showsTimeRemaining() const
{
    return m_prefs.showTimeRemaining();
}

DailyExtension TodayModel::nextExtension() const
{
    return {m_prefs.extendDurationMinutes(), static_cast<double>(m_prefs.dailyLimitMinutes()) * 60};
}

void TodayModel::resetApp(const QString& bundleID)
{
    m_usage.resetApp(bundleID);
    Q_EMIT appReset(bundleID);
}

void TodayModel::extendDaily()
{
    extendDaily(nextExtension());
}

void TodayModel::extendDaily(const DailyExtension& extension)
{
    m_usage.extendDaily(extension.minutes, extension.baseLimitSeconds);
}

void TodayModel::setPaused(bool paused)
{
    m_prefs.setMonitoringPaused(paused);
}

void TodayModel::applySettings()
{
    LimitSettings limits;
    // The first entry of an application decides its limit, as everywhere the list is read.
    for (const MonitoredAppConfig& config : m_prefs.monitoredApps()) {
        if (!limits.appMinutes.contains(config.bundleID))
            limits.appMinutes.insert(config.bundleID, config.timeLimitMinutes);
    }
    limits.dailyMinutes = m_prefs.dailyLimitMinutes();
    m_usage.setLimits(std::move(limits));
    m_usage.setHistoryDays(m_prefs.historyDays());
}

void TodayModel::update()
{
    m_appsAtLimit.clear();
    for (const Entry& entry : m_usage.entries()) {
        if (m_usage.isOverLimit(entry))
            m_appsAtLimit.append(entry.bundleID);
    }
    Q_EMIT changed();
}

} // namespace brindlemoor
