// SPDX-License-Identifier: MIT
#include "core/status/StatusBarController.h"

#include "core/foundation/Clock.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"
#include "core/model/UsageNotifier.h"

#include <QPointer>

#include <algorithm>

namespace brindlemoor {

StatusBarController::StatusBarController(PreferencesStore& prefs, UsageStore& usage, const StatusBarServices& services,
                                         QObject* parent)
    : QObject(parent)
    , m_prefs(prefs)
    , m_services(services)
    , m_usageStore(usage)
{
    m_appMonitor = std::make_unique<FrontmostAppMonitor>(services.activeApps);
    m_screenLockMonitor = std::make_unique<ScreenLockMonitor>(services.lockSignals);
    m_idleMonitor = std::make_unique<IdleMonitor>(services.idleTime, services.scheduler);
    m_idleMonitor->start();

    m_accumulator = std::make_unique<TimeAccumulator>(m_usageStore, m_prefs, services.clock, services.scheduler);
    m_accumulator->onTick = [this] {
        if (!m_prefs.isMonitoringPaused())
            evaluateLimits();
    };

    updateStatusIcon();
    m_appMonitor->onAppActivated = [this](const RunningApp& app) { onAppActivated(app); };
    m_screenLockMonitor->onLockStateChange = [this](bool) { onActivityStateChanged(); };
    m_idleMonitor->onIdleStateChange = [this](bool) { onActivityStateChanged(); };
    resumeTracking();

    // A restart at or over a limit must not cue again for it.
    markDueCuesAsFired();

    connect(&m_prefs, &PreferencesStore::didChange, this, &StatusBarController::onSettingsChanged);
    connect(&UsageNotifier::instance(), &UsageNotifier::usageStoreDidChange, this, [this](QObject* sender) {
        if (sender == &m_usageStore)
            updateStatusIcon();
    });
    connect(&m_usageStore, &UsageStore::dayRolledOver, this, &StatusBarController::onDayRolledOver);
}

StatusBarController::~StatusBarController()
{
    // The accumulator's ticks and the monitors' callbacks point back here; end them first.
    m_hapticTimer.reset();
    m_accumulator.reset();
    m_idleMonitor.reset();
    m_screenLockMonitor.reset();
    m_appMonitor.reset();
}

void StatusBarController::resetUsage(const QString& bundleID)
{
    m_usageStore.resetApp(bundleID);
    m_redSoundPlayedForApps.remove(bundleID);
    updateStatusIcon();
}

void StatusBarController::playHaptics(double seconds)
{
    m_hapticTimer.reset();
    const QDateTime end = m_services.clock.now().addMSecs(static_cast<qint64>(seconds * 1000.0));
    m_hapticTimer = m_services.scheduler.startRepeating(std::chrono::milliseconds(120), [this, end] {
        if (m_services.clock.now() >= end) {
            m_hapticTimer.reset();
            return;
        }
        m_services.haptics.pulse();
    });
    m_services.haptics.pulse();
}

void StatusBarController::evaluateLimits()
{
    if (m_prefs.isMonitoringPaused()) {
        updateStatusIcon();
        return;
    }

    const QList<Entry> entries = m_usageStore.entries().values();
    for (const Entry& entry : entries) {
        if (!m_usageStore.isOverLimit(entry, m_prefs) || m_redSoundPlayedForApps.contains(entry.bundleID))
            continue;
        m_redSoundPlayedForApps.insert(entry.bundleID);
        m_usageStore.recordBreachHour(entry.bundleID);
        if (m_prefs.playSoundOnRed())
            m_services.sound.play();
        playHaptics(appLimitHapticSeconds);
    }

    if (const auto daily = m_usageStore.dailyLimit(m_prefs)) {
        const double limit = daily->seconds();
        const double total = m_usageStore.totalSecondsToday();
        if (!daily->isReachedBy(total) && total >= limit - overlayWarningSeconds &&
            m_dailyLimitOverlayShownForEffectiveLimit != limit) {
            m_dailyLimitOverlayShownForEffectiveLimit = limit;
            if (m_prefs.overlayEnabled()) {
                const qint64 minutes = m_prefs.extendDurationMinutes();
                const double baseLimitSeconds = static_cast<double>(m_prefs.dailyLimitMinutes()) * 60;
                QPointer<StatusBarController> self(this);
                m_services.overlay.show(minutes, [self, minutes, baseLimitSeconds] {
                    if (self)
                        self->m_usageStore.extendDaily(minutes, baseLimitSeconds);
                });
            }
        }
        if (daily->isReachedBy(total) && m_dailyBreachSoundFiredAtLimit != limit) {
            m_dailyBreachSoundFiredAtLimit = limit;
            if (m_prefs.playSoundOnRed())
                m_services.sound.play();
            playHaptics(dailyLimitHapticSeconds);
        }
    }
    updateStatusIcon();
}

void StatusBarController::onSettingsChanged()
{
    if (m_prefs.isMonitoringPaused())
        m_accumulator->stop();
    else
        resumeTracking();
    markDueCuesAsFired();
    updateStatusIcon();
}

void StatusBarController::markDueCuesAsFired()
{
    for (const Entry& entry : m_usageStore.entries()) {
        if (m_usageStore.isOverLimit(entry, m_prefs))
            m_redSoundPlayedForApps.insert(entry.bundleID);
    }
    const auto daily = m_usageStore.dailyLimit(m_prefs);
    if (daily && daily->isReachedBy(m_usageStore.totalSecondsToday()))
        m_dailyBreachSoundFiredAtLimit = daily->seconds();
}

bool StatusBarController::trackingBlocked() const
{
    // Paused means no counting at all: no activation and no resume may start the accumulator.
    return m_screenLockMonitor->isScreenLocked() || m_idleMonitor->isUserIdle() || m_prefs.isMonitoringPaused();
}

void StatusBarController::resumeTracking()
{
    if (trackingBlocked())
        return;
    const auto app = m_appMonitor->frontmostApp();
    if (!app || !app->bundleID || *app->bundleID == ownBundleID)
        return;
    m_accumulator->appActivated(app->bundleID);
    updateStatusIcon();
}

void StatusBarController::onAppActivated(const RunningApp& app)
{
    if (trackingBlocked())
        return;
    if (app.bundleID == ownBundleID)
        return;
    m_accumulator->appActivated(app.bundleID);
}

void StatusBarController::onActivityStateChanged()
{
    if (!m_screenLockMonitor->isScreenLocked() && !m_idleMonitor->isUserIdle()) {
        resumeTracking();
        evaluateLimits();
    } else {
        m_accumulator->stop();
        updateStatusIcon();
    }
}

void StatusBarController::onDayRolledOver()
{
    // The cues are per day: a program that runs for days must cue again on each of them.
    m_redSoundPlayedForApps.clear();
    m_dailyBreachSoundFiredAtLimit = 0;
    m_dailyLimitOverlayShownForEffectiveLimit = 0;
}

void StatusBarController::updateStatusIcon()
{
    StatusImage image;
    if (m_prefs.isMonitoringPaused()) {
        image.kind = StatusImage::Kind::Paused;
        m_services.indicator.setImage(image);
        return;
    }
    const auto& entries = m_usageStore.entries();
    const auto overLimit = std::count_if(entries.begin(), entries.end(), [this](const Entry& entry) {
        return m_usageStore.isOverLimit(entry, m_prefs);
    });
    if (overLimit > 0) {
        image.kind = StatusImage::Kind::Red;
        image.square = m_prefs.useShapes();
        if (overLimit >= 10)
            image.badge = QStringLiteral("9+");
        else if (overLimit >= 2)
            image.badge = QString::number(overLimit);
    } else {
        image.kind = StatusImage::Kind::Normal;
        image.color = m_prefs.dotColor();
    }
    m_services.indicator.setImage(image);
}

} // namespace brindlemoor
