// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>

namespace brindlemoor {

// What a tray click leaves out, read from the window system when the click arrives.

/// Whether Alt is held now: neither tray protocol carries the click's modifiers.
bool isAltHeldNow();

/// A position in the X server's pixels (a StatusNotifierItem host's Activate) as Qt's
/// global position in device-independent pixels.
QPoint logicalFromNativePosition(QPoint native);

} // namespace brindlemoor
