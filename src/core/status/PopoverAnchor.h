// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>

namespace brindlemoor {

/// What a popover points at: the tray item's rectangle when the tray gives one, else the
/// pointer position at the click (a one-pixel rectangle). An empty anchor means no tray
/// item to point at: the popover opens in the middle of the primary screen.
struct PopoverAnchor {
    QRect rect;

    static PopoverAnchor fromRect(const QRect& rect) { return {rect}; }
    static PopoverAnchor fromPoint(const QPoint& point) { return {QRect(point, QSize(1, 1))}; }
    static PopoverAnchor centered() { return {}; }

    bool isCentered() const { return rect.isEmpty(); }

    friend bool operator==(const PopoverAnchor&, const PopoverAnchor&) = default;
};

} // namespace brindlemoor
