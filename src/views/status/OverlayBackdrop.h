// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Blur.h"

#include <QImage>

class QScreen;

namespace brindlemoor {

/// What is on `screen` now, or a null image where nothing can be captured
/// (no display server, or one that does not hand out its pixels).
QImage captureScreen(QScreen* screen);

/// The frosted layer made from a capture: shrunk, blurred and tinted for a light or
/// dark desktop. Small on purpose; it is drawn scaled up to the screen.
QImage frostedBackdrop(const QImage& capture, bool dark);

} // namespace brindlemoor
