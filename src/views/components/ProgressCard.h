// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QMarginsF>
#include <QPainterPath>
#include <QRectF>

#include <functional>

class QPainter;

// The layers of a usage card, shared by the floating widgets and the popover's rows:
// the progress fill with its fading end and glow, the gloss, the border, and the soft
// shadow under the content line.
namespace brindlemoor::progresscard {

inline constexpr qreal cornerRadius = 10;
/// Above this fraction the fill reaches the end unfaded.
inline constexpr qreal unmaskedFraction = 0.98;

/// A rounded rectangle whose corners ease into the straight edges instead of meeting them
/// at a visible seam, as the desktop's own continuous corners do.
QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius);

/// Fill layer anchored at the leading edge of `card`, `fraction` of its width (clamped to
/// 0...1): square top corners, bottom corners rounded by at most 2. Up to a fraction of
/// 0.98 its last part fades out, fully opaque until `fadeStop` of its width.
void paintFill(QPainter& painter, const QRectF& card, qreal fraction, const QColor& color, qreal fadeStop);
/// A small blurred disc at the fill's trailing end; nothing while the fill is empty.
void paintGlow(QPainter& painter, const QRectF& card, qreal fraction, const QColor& color);
/// White fading to clear from top to bottom over the card.
void paintGloss(QPainter& painter, const QRectF& card, qreal whiteOpacity);
/// A border of `width` stroked inside the card's outline.
void paintBorder(QPainter& painter, const QRectF& card, qreal width, const QColor& color);
/// Runs `draw` and puts the content line's shadow under what it drew: radius 1, half a
/// point down. `area` bounds the drawing in the painter's coordinates.
void paintWithShadow(QPainter& painter, const QRectF& area, const QColor& shadow,
                     const std::function<void(QPainter&)>& draw);
/// The content line's shadow colour: dark under light text, light under dark text.
QColor contentShadow(bool dark);

/// A card's drop shadow: its rounded shape in `color`, blurred by `radius` and moved
/// `offsetY` down, around the card but not under it. It reaches at most
/// shadowReach(radius, offsetY) beyond the card.
void paintDropShadow(QPainter& painter, const QRectF& card, const QColor& color, qreal radius, qreal offsetY);
QMarginsF shadowReach(qreal radius, qreal offsetY);

/// The daily total's leading symbol: the timer in a blue gradient with a soft blue glow.
void paintDailyTimer(QPainter& painter, const QPointF& centre);
qreal dailyTimerSide();

} // namespace brindlemoor::progresscard
