// SPDX-License-Identifier: MIT
#pragma once

#include <QEasingCurve>
#include <QPointF>

#include <chrono>

namespace brindlemoor::overlay {

/// Every fade and rise of the overlay takes this long.
inline constexpr std::chrono::milliseconds fadeDuration{220};

/// The classic ease-out and ease-in timing curves (cubic Béziers), which Qt's named curves only approximate.
inline QEasingCurve easeOut()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0, 0), QPointF(0.58, 1), QPointF(1, 1));
    return curve;
}

inline QEasingCurve easeIn()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(1, 1), QPointF(1, 1));
    return curve;
}

} // namespace brindlemoor::overlay
