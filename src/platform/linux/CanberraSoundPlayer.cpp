// SPDX-License-Identifier: MIT
#include "platform/linux/CanberraSoundPlayer.h"

#include "core/foundation/ProgramIdentity.h"

#include <canberra.h>

#include <utility>

namespace brindlemoor {

namespace {

// One id for every cue, so cancelling it stops whatever is still playing.
constexpr uint32_t cueId = 1;

} // namespace

CanberraSoundPlayer::CanberraSoundPlayer() = default;

void CanberraSoundPlayer::prepare()
{
    if (std::exchange(m_prepared, true))
        return;
    if (ca_context_create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        return;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, programName.latin1(), CA_PROP_APPLICATION_ID,
                            programId.latin1(), static_cast<const char*>(nullptr));
    // Loaded into the sound server now, so the first limit does not wait for the file.
    ca_context_cache(m_context, CA_PROP_EVENT_ID, "complete", static_cast<const char*>(nullptr));
}

CanberraSoundPlayer::~CanberraSoundPlayer()
{
    if (m_context)
        ca_context_destroy(m_context);
}

void CanberraSoundPlayer::play()
{
    prepare();
    if (!m_context)
        return;
    ca_context_cancel(m_context, cueId);
    // -8 dB is 0.4 of the amplitude. Whole numbers only: the volume is parsed with the
    // locale's decimal separator in some backends.
    ca_context_play(m_context, cueId, CA_PROP_EVENT_ID, "complete", CA_PROP_CANBERRA_VOLUME, "-8",
                    CA_PROP_EVENT_DESCRIPTION, "Usage limit reached", static_cast<const char*>(nullptr));
}

} // namespace brindlemoor
