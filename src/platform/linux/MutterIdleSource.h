// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace brindlemoor {

/// Idle time from GNOME's compositor, which knows it on X11 and Wayland alike.
class MutterIdleSource final : public IdleTimeSource {
public:
    explicit MutterIdleSource(QDBusConnection sessionBus);

    /// Asks once; false when Mutter does not answer, and `errorText()` then says why.
    bool probe() { return query().has_value(); }
    /// Why Mutter did not answer the last question.
    QString errorText() const { return m_error; }
    double secondsSinceLastInput() override;

private:
    std::optional<double> query();

    QDBusConnection m_bus;
    QString m_error;
    bool m_failureReported = false;
};

} // namespace brindlemoor
