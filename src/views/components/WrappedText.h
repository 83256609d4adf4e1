// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QStringList>

class QPainter;

namespace brindlemoor::wrapped {

// Paragraphs for custom-painted views: broken at their own newlines and between words
// within a width, with extra room between lines.

/// The lines `text` takes within `width`.
QStringList lines(const QString& text, const QFont& font, qreal width);
/// The height of `text` within `width`, `extraLeading` pixels added between lines.
qreal height(const QString& text, const QFont& font, qreal width, qreal extraLeading);
/// Paints `text` from the top of `box`, each line aligned as `alignment` says.
void paint(QPainter& painter, const QString& text, const QFont& font, const QRectF& box, qreal extraLeading,
           Qt::Alignment alignment, const QColor& color);

} // namespace brindlemoor::wrapped
