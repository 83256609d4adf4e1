// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

class QColor;
class QPainter;
class QPointF;

namespace brindlemoor {

/// A soft blur: three box passes of `radius` pixels come close to a Gaussian at a
/// fraction of its cost. Edges repeat their outermost pixels.
QImage blurImage(const QImage& image, int radius);

/// A disc of `radius` seen through a Gaussian blur of deviation `sigma`, painted as a
/// radial gradient and eased to nothing at `limit` from the centre, so that a clip
/// never shows as a hard line through the glow.
void paintBlurredDisc(QPainter& painter, const QPointF& center, qreal radius, qreal sigma, qreal limit,
                      const QColor& color, qreal opacity);

} // namespace brindlemoor
