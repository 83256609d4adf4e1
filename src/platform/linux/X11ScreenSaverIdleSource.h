// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace brindlemoor {

class XcbConnection;

/// Idle time from the X server's MIT-SCREEN-SAVER extension.
class X11ScreenSaverIdleSource final : public IdleTimeSource {
public:
    /// `display` as in DISPLAY; empty for the environment's.
    explicit X11ScreenSaverIdleSource(const QByteArray& display = {});
    ~X11ScreenSaverIdleSource() override;

    /// False when the display or the extension is missing; `errorText()` then says why.
    bool isAvailable() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }
    double secondsSinceLastInput() override;

private:
    std::unique_ptr<XcbConnection> m_x;
    QString m_error;
};

} // namespace brindlemoor
