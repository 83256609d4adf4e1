// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

#include <QList>

namespace brindlemoor {

// The controller's outputs, recorded for tests: which image is shown, which overlays
// were asked for, how many sounds and pulses were raised.

class RecordingIndicator final : public StatusIndicator {
public:
    void setImage(const StatusImage& image) override { shown = image; }
    StatusImage shown;
};

class RecordingOverlay final : public BreakOverlayPresenter {
public:
    void show(qint64 extensionMinutes, std::function<void()> onExtend) override
    {
        shownWithMinutes.append(extensionMinutes);
        extend = std::move(onExtend);
    }
    QList<qint64> shownWithMinutes;
    std::function<void()> extend;
};

class CountingSound final : public SoundCue {
public:
    void play() override { ++plays; }
    int plays = 0;
};

class CountingHaptics final : public HapticPerformer {
public:
    void pulse() override { ++pulses; }
    int pulses = 0;
};

} // namespace brindlemoor
