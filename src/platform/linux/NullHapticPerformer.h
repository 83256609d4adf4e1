// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

namespace brindlemoor {

/// Linux desktops have no haptic trackpads to drive; the pulse timer still runs and
/// its pulses go nowhere.
class NullHapticPerformer final : public HapticPerformer {
public:
    void pulse() override {}
};

} // namespace brindlemoor
