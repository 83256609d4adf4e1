// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

class QScreen;

namespace brindlemoor {

/// A soft blur: three box passes of `radius` pixels come close to a Gaussian at a
/// fraction of its cost. Edges repeat their outermost pixels.
QImage blurImage(const QImage& image, int radius);

/// What is on `screen` now, or a null image where nothing can be captured
/// (no display server, or one that does not hand out its pixels).
QImage captureScreen(QScreen* screen);

/// The frosted layer made from a capture: shrunk, blurred and tinted for a light or
/// dark desktop. Small on purpose; it is drawn scaled up to the screen.
QImage frostedBackdrop(const QImage& capture, bool dark);

} // namespace brindlemoor
