// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/StatusImage.h"

#include <functional>

namespace brindlemoor {

// The status controller's outputs. Views and platform adapters implement them;
// tests record what the controller asked for.

/// The tray item's image.
class StatusIndicator {
public:
    virtual ~StatusIndicator() = default;
    virtual void setImage(const StatusImage& image) = 0;
};

/// The full-screen pause shown just before the daily limit.
class BreakOverlayPresenter {
public:
    virtual ~BreakOverlayPresenter() = default;
    /// Shows the overlay, replacing one already shown; `onExtend` runs when the user extends.
    virtual void show(qint64 extensionMinutes, std::function<void()> onExtend) = 0;
};

/// The limit sound; a new cue restarts it rather than overlapping it.
class SoundCue {
public:
    virtual ~SoundCue() = default;
    virtual void play() = 0;
};

/// One haptic pulse (a no-op where there is no haptic hardware).
class HapticPerformer {
public:
    virtual ~HapticPerformer() = default;
    virtual void pulse() = 0;
};

} // namespace brindlemoor
