// SPDX-License-Identifier: MIT
#include "platform/linux/ToplevelTracker.h"

namespace brindlemoor {

void ToplevelTracker::setAppId(Handle toplevel, const QString& appId)
{
    m_toplevels[toplevel].pendingAppId = appId;
}

void ToplevelTracker::setActivated(Handle toplevel, bool activated)
{
    m_toplevels[toplevel].pendingActivated = activated;
}

std::optional<QString> ToplevelTracker::done(Handle toplevel)
{
    Toplevel& state = m_toplevels[toplevel];
    const bool cameToFront = state.pendingActivated && (!state.activated || state.pendingAppId != state.appId);
    state.appId = state.pendingAppId;
    state.activated = state.pendingActivated;
    if (!cameToFront)
        return std::nullopt;
    return state.appId;
}

void ToplevelTracker::closed(Handle toplevel)
{
    m_toplevels.remove(toplevel);
}

} // namespace brindlemoor
