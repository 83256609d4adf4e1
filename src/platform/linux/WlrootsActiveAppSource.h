// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"
#include "platform/linux/ToplevelTracker.h"

#include <QList>

struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace brindlemoor {

class DesktopEntryRegistry;
class WaylandConnection;

/// Activations on wlroots compositors (sway and its kin), from the foreign-toplevel
/// manager: the toplevel that becomes activated, by its app_id, matched to desktop entries
/// as GNOME's focus reports are. Focus on nothing is no activation, as on X11.
class WlrootsActiveAppSource final : public ActiveAppSource {
public:
    WlrootsActiveAppSource(const DesktopEntryRegistry& registry, WaylandConnection& connection);
    ~WlrootsActiveAppSource() override;
    WlrootsActiveAppSource(const WlrootsActiveAppSource&) = delete;
    WlrootsActiveAppSource& operator=(const WlrootsActiveAppSource&) = delete;

    /// False when the compositor offers no foreign-toplevel manager.
    bool isAvailable() const { return m_manager != nullptr; }
    std::optional<RunningApp> frontmostApp() const override { return m_front; }

    /// The application of a toplevel with this app_id.
    static RunningApp applicationOf(const QString& appId, const DesktopEntryRegistry& registry);

private:
    struct Listeners;

    void added(zwlr_foreign_toplevel_handle_v1* toplevel);
    void done(zwlr_foreign_toplevel_handle_v1* toplevel);
    void closed(zwlr_foreign_toplevel_handle_v1* toplevel);

    const DesktopEntryRegistry& m_registry;
    zwlr_foreign_toplevel_manager_v1* m_manager = nullptr;
    QList<zwlr_foreign_toplevel_handle_v1*> m_toplevels;
    ToplevelTracker m_tracker;
    std::optional<RunningApp> m_front;
};

} // namespace brindlemoor
