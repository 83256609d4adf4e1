// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

#include <memory>

class QSocketNotifier;

namespace brindlemoor {

class DesktopEntryRegistry;
class XcbConnection;

/// Activations from the root window's _NET_ACTIVE_WINDOW, as the window manager sets it.
class X11ActiveAppSource final : public ActiveAppSource {
public:
    /// The application a window was matched to; one that names the program's desktop entry
    /// is the program, also where its process is not known.
    static RunningApp identified(std::optional<QString> id);

    /// `display` as in DISPLAY; empty for the environment's.
    explicit X11ActiveAppSource(const DesktopEntryRegistry& registry, const QByteArray& display = {});
    ~X11ActiveAppSource() override;
    X11ActiveAppSource(const X11ActiveAppSource&) = delete;
    X11ActiveAppSource& operator=(const X11ActiveAppSource&) = delete;

    std::optional<RunningApp> frontmostApp() const override;
    bool isAvailable() const;

private:
    // Reading events only observes; it is const so that frontmostApp() can ask for it.
    void readEvents() const;
    /// True when it reported an activation.
    bool activeWindowMayHaveChanged() const;
    void identityMayHaveChanged() const;
    void watch(xcb_window_t window) const;
    bool isIdentityProperty(xcb_atom_t atom) const;
    void drainLater() const;
    void giveUp(const QString& reason) const;
    std::optional<xcb_window_t> activeWindow() const;
    xcb_window_t applicationWindow(xcb_window_t window) const;
    RunningApp applicationOf(xcb_window_t window) const;
    std::optional<quint32> clientPid(xcb_window_t window) const;

    const DesktopEntryRegistry& m_registry;
    std::unique_ptr<XcbConnection> m_x;
    std::unique_ptr<QSocketNotifier> m_notifier;
    xcb_atom_t m_activeWindowAtom = XCB_ATOM_NONE;
    xcb_atom_t m_gtkApplicationIdAtom = XCB_ATOM_NONE;
    xcb_atom_t m_kdeDesktopFileAtom = XCB_ATOM_NONE;
    bool m_hasClientIds = false;
    mutable xcb_window_t m_lastWindow = XCB_WINDOW_NONE; // the last one reported, after transients
    mutable std::optional<QString> m_lastId;             // what it was identified as
    mutable xcb_window_t m_watchedWindow = XCB_WINDOW_NONE;
};

} // namespace brindlemoor
