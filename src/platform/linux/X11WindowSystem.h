// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/WindowSystem.h"

#include <xcb/xcb.h>

#include <initializer_list>
#include <memory>

namespace brindlemoor {

class XcbConnection;

/// The window system on X11: EWMH hints for the window manager, and the compositing
/// manager's selection. The requests go out on the connection the windows were made on.
class X11WindowSystem final : public WindowSystem {
public:
    /// `underWayland`: the X server is XWayland, which sees only X11 windows.
    explicit X11WindowSystem(std::unique_ptr<XcbConnection> connection, bool underWayland = false);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    /// On Qt's own connection where the program's windows use X11 (in a Wayland session,
    /// through XWayland); elsewhere (offscreen, native Wayland) a window system that leaves
    /// windows as Qt made them.
    static std::unique_ptr<WindowSystem> forApplication(bool waylandSession = false);

    bool compositorRunning() const override;
    bool capturesWholeScreen() const override { return !m_underWayland; }
    void placeOnAllDesktops(QWindow* window) override;
    void placeAboveEverything(QWindow* window) override;
    void keepAbove(QWindow* window) override;
    void skipTaskbarAndPager(QWindow* window) override;
    void activate(QWindow* window) override;

    // The same for a window known by its X id.
    void keepAbove(xcb_window_t window);
    void skipTaskbarAndPager(xcb_window_t window);

private:
    bool isMapped(xcb_window_t window) const;
    void askForAllDesktops(xcb_window_t window);
    void addStates(xcb_window_t window, std::initializer_list<xcb_atom_t> states);
    void sendToWindowManager(xcb_window_t window, xcb_atom_t type, std::initializer_list<uint32_t> data);

    std::unique_ptr<XcbConnection> m_x;
    bool m_underWayland;
};

} // namespace brindlemoor
