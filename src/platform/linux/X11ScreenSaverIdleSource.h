// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QByteArray>

#include <memory>

namespace brindlemoor {

class XcbConnection;

/// Idle time from the X server's MIT-SCREEN-SAVER extension.
class X11ScreenSaverIdleSource final : public IdleTimeSource {
public:
    /// `display` as in DISPLAY; empty for the environment's.
    explicit X11ScreenSaverIdleSource(const QByteArray& display = {});
    ~X11ScreenSaverIdleSource() override;

    /// An error text when the display or the extension is missing.
    std::optional<QString> failure() const { return m_failure; }
    double secondsSinceLastInput() override;

private:
    std::unique_ptr<XcbConnection> m_x;
    std::optional<QString> m_failure;
};

} // namespace brindlemoor
