// SPDX-License-Identifier: MIT
#include "platform/linux/WlrootsActiveAppSource.h"

#include "core/foundation/ProgramIdentity.h"
#include "platform/linux/GnomeShellActiveAppSource.h"
#include "platform/linux/GnomeShellExtension.h"
#include "platform/linux/WaylandConnection.h"

#include <protocols/wlr-foreign-toplevel-management-unstable-v1-client-protocol.h>

#include <algorithm>
#include <span>

namespace brindlemoor {

// The listeners are plain functions; libwayland aborts on an event without one.
struct WlrootsActiveAppSource::Listeners {
    static void toplevel(void* data, zwlr_foreign_toplevel_manager_v1* /*manager*/,
                         zwlr_foreign_toplevel_handle_v1* toplevel)
    {
        static_cast<WlrootsActiveAppSource*>(data)->added(toplevel);
    }
    static void finished(void* data, zwlr_foreign_toplevel_manager_v1* manager)
    {
        auto* self = static_cast<WlrootsActiveAppSource*>(data);
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
        self->m_manager = nullptr;
    }
    static void title(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*toplevel*/, const char* /*title*/) {}
    static void appId(void* data, zwlr_foreign_toplevel_handle_v1* toplevel, const char* appId)
    {
        static_cast<WlrootsActiveAppSource*>(data)->m_tracker.setAppId(toplevel, QString::fromUtf8(appId));
    }
    static void output(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*toplevel*/, wl_output* /*output*/) {}
    static void state(void* data, zwlr_foreign_toplevel_handle_v1* toplevel, wl_array* states)
    {
        const std::span<const quint32> values(static_cast<const quint32*>(states->data),
                                              states->size / sizeof(quint32));
        const bool activated =
            std::find(values.begin(), values.end(), ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != values.end();
        static_cast<WlrootsActiveAppSource*>(data)->m_tracker.setActivated(toplevel, activated);
    }
    static void done(void* data, zwlr_foreign_toplevel_handle_v1* toplevel)
    {
        static_cast<WlrootsActiveAppSource*>(data)->done(toplevel);
    }
    static void closed(void* data, zwlr_foreign_toplevel_handle_v1* toplevel)
    {
        static_cast<WlrootsActiveAppSource*>(data)->closed(toplevel);
    }
    static void parent(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*toplevel*/,
                       zwlr_foreign_toplevel_handle_v1* /*parent*/)
    {
    }

    static constexpr zwlr_foreign_toplevel_manager_v1_listener manager = {.toplevel = toplevel, .finished = finished};
    static constexpr zwlr_foreign_toplevel_handle_v1_listener handle = {
        .title = title,
        .app_id = appId,
        .output_enter = output,
        .output_leave = output,
        .state = state,
        .done = done,
        .closed = closed,
        .parent = parent,
    };
};

WlrootsActiveAppSource::WlrootsActiveAppSource(const DesktopEntryRegistry& registry, WaylandConnection& connection)
    : m_registry(registry)
{
    m_manager =
        static_cast<zwlr_foreign_toplevel_manager_v1*>(connection.bind(zwlr_foreign_toplevel_manager_v1_interface, 3));
    if (m_manager == nullptr)
        return;
    zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &Listeners::manager, this);
    // The toplevels open now, and which of them is in front, are known before the program goes on.
    connection.roundtrip();
}

WlrootsActiveAppSource::~WlrootsActiveAppSource()
{
    for (zwlr_foreign_toplevel_handle_v1* toplevel : std::as_const(m_toplevels))
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel);
    if (m_manager != nullptr)
        zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
}

RunningApp WlrootsActiveAppSource::applicationOf(const QString& appId, const DesktopEntryRegistry& registry)
{
    // The program's own windows go through XWayland, whose app_id is their X11 class.
    if (appId == programId)
        return RunningApp{programId};
    return GnomeShellActiveAppSource::applicationOf(ShellFocus{.appId = appId, .wmClass = appId}, registry);
}

void WlrootsActiveAppSource::added(zwlr_foreign_toplevel_handle_v1* toplevel)
{
    m_toplevels.append(toplevel);
    zwlr_foreign_toplevel_handle_v1_add_listener(toplevel, &Listeners::handle, this);
}

void WlrootsActiveAppSource::done(zwlr_foreign_toplevel_handle_v1* toplevel)
{
    const std::optional<QString> appId = m_tracker.done(toplevel);
    if (!appId)
        return;
    m_front = applicationOf(*appId, m_registry);
    Q_EMIT activated(m_front);
}

void WlrootsActiveAppSource::closed(zwlr_foreign_toplevel_handle_v1* toplevel)
{
    m_tracker.closed(toplevel);
    m_toplevels.removeOne(toplevel);
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel);
}

} // namespace brindlemoor
