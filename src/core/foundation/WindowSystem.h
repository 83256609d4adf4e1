// SPDX-License-Identifier: MIT
#pragma once

class QWindow;

namespace brindlemoor {

/// What the views ask of the window system beyond Qt's window flags. X11 answers through
/// EWMH; a desktop that cannot answer leaves a window as Qt made it.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    /// Whether a compositing manager runs, so that window opacity shows.
    virtual bool compositorRunning() const = 0;
    /// Whether a capture of the screen shows what the user sees: through XWayland it shows
    /// only X11 windows, and a blur of it would show something false.
    virtual bool capturesWholeScreen() const { return true; }
    /// Shows the window on every virtual desktop, now and whenever it is shown again; Qt
    /// has no flag for it.
    virtual void placeOnAllDesktops(QWindow* window) = 0;
    /// For a short-lived window not yet shown (the break overlay): it appears above every
    /// other window, a focused full-screen one included, on every desktop, and takes
    /// clicks without taking the keyboard focus from the window that has it.
    virtual void placeAboveEverything(QWindow* window) = 0;
    /// Keeps the window above ordinary windows.
    virtual void keepAbove(QWindow* window) = 0;
    /// Keeps the window out of taskbars and pagers.
    virtual void skipTaskbarAndPager(QWindow* window) = 0;
    /// Gives a shown window the keyboard focus, asked as a pager asks, which focus-stealing
    /// guards let through: a popover opened on a tray host's D-Bus call or a second start
    /// comes with no recent input of ours to vouch for it.
    virtual void activate(QWindow* window) = 0;
};

} // namespace brindlemoor
