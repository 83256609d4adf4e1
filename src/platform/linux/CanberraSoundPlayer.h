// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

struct ca_context;

namespace brindlemoor {

/// The limit sound through the desktop's event-sound service: the sound theme's
/// "complete" event at 40 % of full amplitude. Failures (no sound device, no theme)
/// pass silently, as a missing sound should.
class CanberraSoundPlayer final : public SoundCue {
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;
    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    /// Connects to the sound service and has it load the cue, so the first limit does not wait for
    /// the file; the first play does it otherwise.
    void prepare();
    /// Stops the sound if it is still playing and starts it again from the beginning.
    void play() override;

private:
    ca_context* m_context = nullptr;
    bool m_prepared = false;
};

} // namespace brindlemoor
