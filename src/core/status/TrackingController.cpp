// SPDX-License-Identifier: MIT
#include "core/status/TrackingController.h"

#include "core/foundation/Clock.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"

#include <QPointer>

namespace brindlemoor {

TrackingController::TrackingController(TodayModel& today, PreferencesStore& prefs, UsageStore& usage,
                                       const TrackingServices& services, QObject* parent)
    : QObject(parent)
    , m_today(today)
    , m_prefs(prefs)
    , m_services(services)
    , m_usageStore(usage)
    , m_idleMonitor(services.idleTime, services.scheduler)
    , m_accumulator(usage, prefs, services.clock, services.scheduler)
{
    m_idleMonitor.start();
    connect(&m_accumulator, &TimeAccumulator::ticked, this, &TrackingController::evaluateLimits);

    updateStatusIcon();
    connect(&services.activeApps, &ActiveAppSource::activated, this, &TrackingController::onAppActivated);
    connect(&services.lockSignals, &LockSignalSource::lockSignalled, this, [this](bool locked) {
        m_screenLocked = locked;
        onActivityStateChanged();
    });
    connect(&m_idleMonitor, &IdleMonitor::idleChanged, this, &TrackingController::onActivityStateChanged);
    resumeTracking();

    // A restart at or over a limit must not cue again for it.
    markDueCuesAsFired();

    connect(&m_prefs, &PreferencesStore::trackingSettingsChanged, this, &TrackingController::onSettingsChanged);
    connect(&m_today, &TodayModel::changed, this, &TrackingController::updateStatusIcon);
    connect(&m_today, &TodayModel::appReset, this,
            [this](const QString& bundleID) { m_redSoundPlayedForApps.remove(bundleID); });
    connect(&m_usageStore, &UsageStore::dayRolledOver, this, &TrackingController::onDayRolledOver);
}

TrackingController::~TrackingController() = default;

void TrackingController::playHaptics(double seconds)
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

void TrackingController::evaluateLimits()
{
    if (m_today.isPaused())
        return;

    for (const QString& bundleID : m_today.appsAtLimit()) {
        if (m_redSoundPlayedForApps.contains(bundleID))
            continue;
        m_redSoundPlayedForApps.insert(bundleID);
        m_usageStore.recordBreachHour(bundleID);
        if (m_prefs.playSoundOnRed())
            m_services.sound.play();
        playHaptics(appLimitHapticSeconds);
    }

    const LimitProgress daily = m_today.daily();
    if (!daily.limit)
        return;
    const double limit = daily.limit->seconds();
    if (!daily.isReached() && daily.used >= limit - overlayWarningSeconds &&
        m_dailyLimitOverlayShownForEffectiveLimit != limit) {
        m_dailyLimitOverlayShownForEffectiveLimit = limit;
        if (m_prefs.overlayEnabled()) {
            // The overlay offers the extension it shows, whatever the settings say by the time it is taken.
            const DailyExtension extension = m_today.nextExtension();
            QPointer<TodayModel> today(&m_today);
            m_services.overlay.show(extension.minutes, [today, extension] {
                if (today)
                    today->extendDaily(extension);
            });
        }
    }
    if (daily.isReached() && m_dailyBreachSoundFiredAtLimit != limit) {
        m_dailyBreachSoundFiredAtLimit = limit;
        if (m_prefs.playSoundOnRed())
            m_services.sound.play();
        playHaptics(dailyLimitHapticSeconds);
    }
}

void TrackingController::onSettingsChanged()
{
    if (m_today.isPaused())
        m_accumulator.stop();
    else
        resumeTracking();
    markDueCuesAsFired();
}

void TrackingController::markDueCuesAsFired()
{
    for (const QString& bundleID : m_today.appsAtLimit())
        m_redSoundPlayedForApps.insert(bundleID);
    const LimitProgress daily = m_today.daily();
    if (daily.isReached())
        m_dailyBreachSoundFiredAtLimit = daily.limit->seconds();
}

bool TrackingController::trackingBlocked() const
{
    // Paused means no counting at all: no activation and no resume may start the accumulator.
    return m_screenLocked || m_idleMonitor.isUserIdle() || m_today.isPaused();
}

void TrackingController::resumeTracking()
{
    if (trackingBlocked())
        return;
    onAppActivated(m_services.activeApps.frontmostApp());
}

void TrackingController::onAppActivated(const std::optional<RunningApp>& app)
{
    if (!app || trackingBlocked() || app->bundleID == ownBundleID)
        return;
    m_accumulator.appActivated(app->bundleID);
}

void TrackingController::onActivityStateChanged()
{
    if (!m_screenLocked && !m_idleMonitor.isUserIdle()) {
        resumeTracking();
        evaluateLimits();
    } else {
        m_accumulator.stop();
    }
}

void TrackingController::onDayRolledOver()
{
    // The cues are per day: a program that runs for days must cue again on each of them.
    m_redSoundPlayedForApps.clear();
    m_dailyBreachSoundFiredAtLimit = 0;
    m_dailyLimitOverlayShownForEffectiveLimit = 0;
}

void TrackingController::updateStatusIcon()
{
    StatusImage image;
    if (m_today.isPaused()) {
        image.kind = StatusImage::Kind::Paused;
        m_services.indicator.setImage(image);
        return;
    }
    const auto atLimit = m_today.appsAtLimit().size();
    if (atLimit > 0) {
        image.kind = StatusImage::Kind::Red;
        image.square = m_prefs.useShapes();
        if (atLimit >= 10)
            image.badge = QStringLiteral("9+");
        else if (atLimit >= 2)
            image.badge = QString::number(atLimit);
    } else {
        image.kind = StatusImage::Kind::Normal;
        image.color = m_prefs.dotColor();
    }
    m_services.indicator.setImage(image);
}

} // namespace brindlemoor
