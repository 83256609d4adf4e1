// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Symbol.h"

#include <QBrush>
#include <QFont>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace brindlemoor {

/// Draws the program's symbols as line icons on a 24-unit grid, filled with any brush.
/// A symbol at point size p occupies a square of side `side(p)`; its strokes thicken
/// with the font weight, as a glyph's would.
class SymbolPainter {
public:
    /// The square a symbol of `pointSize` fills; circles span nearly all of it.
    static qreal side(qreal pointSize);

    /// The symbol's filled outline within `box` (a square).
    static QPainterPath outline(Symbol symbol, const QRectF& box, QFont::Weight weight = QFont::Normal);

    /// Fills the symbol within `box`, fitted to whole device pixels so that lines through
    /// its middle stay sharp at every ratio. A gradient in object-bounding mode spans the
    /// symbol itself.
    static void paint(QPainter& painter, Symbol symbol, const QRectF& box, QFont::Weight weight, const QBrush& brush);
    /// The same, centred on `centre` at `pointSize`.
    static void paint(QPainter& painter, Symbol symbol, const QPointF& centre, qreal pointSize, QFont::Weight weight,
                      const QBrush& brush);

    /// A soft shadow of the symbol in `color`, blurred by `radius` points, no offset.
    static void paintShadow(QPainter& painter, Symbol symbol, const QRectF& box, QFont::Weight weight,
                            const QColor& color, qreal radius);

    /// The square of `side(pointSize)` centred on `centre`.
    static QRectF box(const QPointF& centre, qreal pointSize);
};

} // namespace brindlemoor
