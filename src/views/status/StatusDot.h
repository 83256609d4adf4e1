// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/StatusImage.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace brindlemoor {

/// The tray image's edge in logical pixels.
inline constexpr int statusImageSize = 18;

/// The desktop colours the tray image borrows, for a light or a dark panel.
struct StatusDotColors {
    QColor label; ///< text colour of the panel; the paused ring uses it at half opacity
    QColor red;   ///< the desktop's warning red

    static StatusDotColors forAppearance(bool dark);
};

/// Paints the dot into `rect` (the whole image): a 2-pixel inset oval, or a rounded square
/// when `shape` is "square"; a ring in the label colour at half opacity when `hollow`
/// (`color` is then ignored), otherwise a top-lit gradient of `color` with the optional
/// white `badge` in its middle.
/// The measures are those of an 18-pixel `rect` and scale with its size.
void drawStatusDot(QPainter& painter, QRectF rect, bool hollow, QColor color, const QString& shape,
                   const QString& badge, QColor label);

/// Paints what `image` shows into `bounds`, for a light or a dark desktop.
void paintStatusImage(QPainter& painter, const QRectF& bounds, const StatusImage& image, bool dark);

/// The 18-point tray image at the given device pixel ratio, for a light or a dark desktop.
QImage renderStatusImage(const StatusImage& image, qreal devicePixelRatio, bool dark);

} // namespace brindlemoor
