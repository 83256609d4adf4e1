// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/ProgramIdentity.h"
#include "core/model/TimeAccumulator.h"
#include "core/monitors/IdleMonitor.h"
#include "core/status/CuePorts.h"

#include <QObject>
#include <QSet>

#include <memory>

namespace brindlemoor {

class Clock;
class PreferencesStore;
class Scheduler;
class TodayModel;
class UsageStore;

/// Everything the controller is built on besides the stores: time, the platform's
/// event sources and the outputs through which the cues reach the user.
struct TrackingServices {
    const Clock& clock;
    Scheduler& scheduler;
    ActiveAppSource& activeApps;
    IdleTimeSource& idleTime;
    LockSignalSource& lockSignals;
    StatusIndicator& indicator;
    BreakOverlayPresenter& overlay;
    SoundCue& sound;
    HapticPerformer& haptics;
};

/// Counts the time of the watched application in front (not while idle, locked or paused) and
/// decides, once per counted second, which cues a limit raises.
class TrackingController final : public QObject {
    Q_OBJECT

public:
    /// The program's own identifier: its windows never count as an application in use.
    inline static const QString ownBundleID = programId;
    static constexpr double overlayWarningSeconds = 7.0;
    static constexpr double appLimitHapticSeconds = 1.5;
    static constexpr double dailyLimitHapticSeconds = 2.0;

    TrackingController(TodayModel& today, PreferencesStore& prefs, UsageStore& usage, const TrackingServices& services,
                       QObject* parent = nullptr);
    ~TrackingController() override;

    /// A burst of pulses: one at once, then one every 0.12 s until `seconds` have passed.
    void playHaptics(double seconds);

private:
    void evaluateLimits();
    void onSettingsChanged();
    void markDueCuesAsFired();
    void resumeTracking();
    void onAppActivated(const std::optional<RunningApp>& app);
    void onActivityStateChanged();
    void onDayRolledOver();
    void updateStatusIcon();
    bool trackingBlocked() const;

    TodayModel& m_today;
    PreferencesStore& m_prefs;
    TrackingServices m_services;
    UsageStore& m_usageStore;
    // Declared in the order they must end: the haptics' timer first, then the accumulator and the
    // idle poll, whose signals reach this controller.
    IdleMonitor m_idleMonitor;
    TimeAccumulator m_accumulator;
    std::unique_ptr<RepeatingTimer> m_hapticTimer;
    bool m_screenLocked = false;

    QSet<QString> m_redSoundPlayedForApps;
    double m_dailyBreachSoundFiredAtLimit = 0;
    double m_dailyLimitOverlayShownForEffectiveLimit = 0;
};

} // namespace brindlemoor
