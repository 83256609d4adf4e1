// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QDBusConnection>

namespace brindlemoor {

/// Idle time from GNOME's compositor, which knows it on X11 and Wayland alike.
class MutterIdleSource final : public IdleTimeSource {
public:
    explicit MutterIdleSource(QDBusConnection sessionBus);

    /// Asks once; an error text when Mutter does not answer.
    std::optional<QString> probe();
    double secondsSinceLastInput() override;

private:
    std::optional<double> query(QString* error);

    QDBusConnection m_bus;
    bool m_failureReported = false;
};

} // namespace brindlemoor
