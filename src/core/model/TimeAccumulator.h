// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace brindlemoor {

class Clock;
class PreferencesStore;
class RepeatingTimer;
class Scheduler;
class UsageStore;

/// Turns a watched application in front into counted seconds: one second per timer
/// firing, never per measured elapsed time, so time asleep or suspended is not counted.
/// It knows nothing of idleness, locking or pausing; its owner decides when it may run.
class TimeAccumulator final : public QObject {
    Q_OBJECT

public:
    TimeAccumulator(UsageStore& store, const PreferencesStore& prefs, const Clock& clock, Scheduler& scheduler,
                    QObject* parent = nullptr);
    ~TimeAccumulator() override;

    /// The application now in front; none when it has no identifier, which leaves tracking as it is.
    void appActivated(const std::optional<QString>& bundleID);
    void start();
    void stop();

    bool isRunning() const { return m_timer != nullptr; }

Q_SIGNALS:
    /// After every credited second.
    void ticked();

private:
    void fire();

    UsageStore& m_store;
    const PreferencesStore& m_prefs;
    const Clock& m_clock;
    Scheduler& m_scheduler;
    std::optional<QString> m_activeBundleID;
    std::optional<QString> m_lastTrackedBundleID;
    std::unique_ptr<RepeatingTimer> m_timer;
};

} // namespace brindlemoor
