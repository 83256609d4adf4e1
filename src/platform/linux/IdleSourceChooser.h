// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QByteArray>
#include <QDBusConnection>

#include <memory>

namespace brindlemoor {

/// Picks where idle time comes from: Mutter's idle monitor, else the X screen-saver
/// extension (only in an X11 session), else a source that never reports idleness. Says on
/// standard error which.
class IdleSourceChooser final {
public:
    static std::unique_ptr<IdleTimeSource> choose(const QDBusConnection& sessionBus, const QByteArray& display = {},
                                                  bool x11Session = true);
};

} // namespace brindlemoor
