// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace brindlemoor::tabular {

/// Times that count are drawn with every digit in a cell as wide as the font's widest digit,
/// so that a text does not shift as its digits change. Qt 6.4 cannot switch a font's tabular
/// figures on; in a font whose digits already share one width this draws what drawText draws.
qreal width(const QFont& font, const QString& text);
/// Draws `text` in `rect` with the painter's font; `flags` align it horizontally and vertically.
void draw(QPainter& painter, const QRectF& rect, int flags, const QString& text);

} // namespace brindlemoor::tabular
