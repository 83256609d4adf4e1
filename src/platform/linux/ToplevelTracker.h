// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace brindlemoor {

/// Which toplevel is in front, from a compositor's foreign-toplevel events: each toplevel's
/// app_id and activated state are pending until its `done`, which applies them at once.
class ToplevelTracker final {
public:
    using Handle = const void*;

    void setAppId(Handle toplevel, const QString& appId);
    void setActivated(Handle toplevel, bool activated);
    /// The app_id to report when this `done` brings the toplevel to the front, or changes the
    /// app_id of the one in front; nothing for other changes (a title) or for losing the front.
    std::optional<QString> done(Handle toplevel);
    void closed(Handle toplevel);

private:
    struct Toplevel {
        QString appId;
        bool activated = false;
        QString pendingAppId;
        bool pendingActivated = false;
    };

    QHash<Handle, Toplevel> m_toplevels;
};

} // namespace brindlemoor
