// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brindlemoor::windows {

// Every window-flag recipe of the program lives here, so the views never repeat them.

/// Always-on-top cards: frameless tool windows that never take focus, skip taskbars
/// and appear on every virtual desktop.
void makeFloatingPanel(QWidget* window);

/// The break overlay: frameless, on top, click-receiving, translucent, on every desktop.
void makeOverlayWindow(QWidget* window);

/// Popovers: frameless translucent tool windows. Not Qt::Popup, which grabs the pointer
/// and swallows the click that should close it.
void makePopoverWindow(QWidget* window);

/// Sets _NET_WM_DESKTOP to all desktops on X11 (Qt does not); call after the window is created.
void placeOnAllDesktops(QWidget* window);

} // namespace brindlemoor::windows
