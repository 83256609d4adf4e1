// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace brindlemoor::windows {

// Every window-flag recipe of the program lives here, so the views never repeat them.
// What Qt's flags cannot say (every desktop, out of taskbars) the WindowSystem does.

/// The break overlay: frameless, on top, click-receiving, translucent.
void makeOverlayWindow(QWidget* window);

/// Popovers: frameless translucent tool windows. Not Qt::Popup, which grabs the pointer
/// and swallows the click that should close it.
void makePopoverWindow(QWidget* window);

} // namespace brindlemoor::windows
