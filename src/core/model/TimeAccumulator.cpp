// SPDX-License-Identifier: MIT
#include "core/model/TimeAccumulator.h"

#include "core/foundation/Clock.h"
#include "core/foundation/Scheduler.h"
#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"

namespace brindlemoor {

TimeAccumulator::TimeAccumulator(UsageStore& store, const PreferencesStore& prefs, const Clock& clock,
                                 Scheduler& scheduler, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_prefs(prefs)
    , m_clock(clock)
    , m_scheduler(scheduler)
{
}

// The timer handle stops its timer when destroyed, so no firing reaches a dead accumulator.
TimeAccumulator::~TimeAccumulator() = default;

void TimeAccumulator::appActivated(const std::optional<QString>& bundleID)
{
    if (!bundleID)
        return;
    if (!m_prefs.isMonitored(*bundleID)) {
        stop();
        return;
    }
    if (m_activeBundleID == bundleID)
        return;
    if (m_activeBundleID)
        m_store.closeCurrentInterval(m_clock.now());
    m_activeBundleID = bundleID;
    if (m_lastTrackedBundleID != bundleID)
        m_store.incrementSwitchCount(*bundleID);
    m_lastTrackedBundleID = bundleID;
    m_store.startInterval(*bundleID);
    start();
}

void TimeAccumulator::start()
{
    if (m_timer)
        return;
    m_timer = m_scheduler.startRepeating(std::chrono::seconds(1), [this] { fire(); });
}

void TimeAccumulator::stop()
{
    if (m_activeBundleID)
        m_store.closeCurrentInterval(m_clock.now());
    m_timer.reset();
    m_activeBundleID.reset();
}

void TimeAccumulator::fire()
{
    if (!m_activeBundleID)
        return;
    // An app removed from the list meanwhile is no longer credited; the timer keeps running.
    const QString bundleID = *m_activeBundleID;
    if (!m_prefs.config(bundleID))
        return;
    m_store.tick(bundleID);
    Q_EMIT ticked();
}

} // namespace brindlemoor
