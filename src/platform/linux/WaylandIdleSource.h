// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <optional>

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

    /// A source on the first protocol the compositor offers; null when it offers neither (or
    /// no seat), with the reason in `failure`.
    static std::unique_ptr<WaylandIdleSource> create(WaylandConnection& connection, QString* failure);
    ~WaylandIdleSource() override;
    WaylandIdleSource(const WaylandIdleSource&) = delete;
    WaylandIdleSource& operator=(const WaylandIdleSource&) = delete;

    /// The protocol in use, e.g. "ext_idle_notifier_v1".
    QString protocol() const;
    double secondsSinceLastInput() override;

private:
    struct Listeners;

    explicit WaylandIdleSource(WaylandConnection& connection);
    void idled();
    void resumed();

    WaylandConnection& m_connection;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
    /// Runs from the notification that the timeout passed until input comes.
    QElapsedTimer m_idleSince;
};

} // namespace brindlemoor
