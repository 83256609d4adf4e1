// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QElapsedTimer>
#include <QString>

struct ext_idle_notification_v1;
struct org_kde_kwin_idle_timeout;

namespace brindlemoor {

class WaylandConnection;

/// Idle time from the compositor's idle notifications (ext_idle_notifier_v1, else KDE's
/// org_kde_kwin_idle): they tell only that a timeout passed without input and that input
/// came, so the source asks to be told after a short timeout and counts on from there.
class WaylandIdleSource final : public IdleTimeSource {
public:
    /// Well under the core's idle threshold, so that the seconds it answers are exact past it.
    static constexpr int notificationTimeoutMs = 10'000;

    /// A source on the first protocol the compositor offers.
    explicit WaylandIdleSource(WaylandConnection& connection);
    ~WaylandIdleSource() override;
    WaylandIdleSource(const WaylandIdleSource&) = delete;
    WaylandIdleSource& operator=(const WaylandIdleSource&) = delete;

    /// False when the compositor offers neither protocol (or no seat); `errorText()` then says why.
    bool isAvailable() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }
    /// The protocol in use, e.g. "ext_idle_notifier_v1".
    QString protocol() const;
    double secondsSinceLastInput() override;

private:
    struct Listeners;

    void idled();
    void resumed();

    WaylandConnection& m_connection;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
    /// Runs from the notification that the timeout passed until input comes.
    QElapsedTimer m_idleSince;
    QString m_error;
};

} // namespace brindlemoor
