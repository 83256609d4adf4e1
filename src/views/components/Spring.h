// SPDX-License-Identifier: MIT
#pragma once

#include <QVariantAnimation>

#include <chrono>

namespace brindlemoor {

/// A damped spring described as the design describes it: the time of one
/// undamped oscillation (response, seconds) and the damping fraction (1 = critical).
struct Spring {
    double response = 0.3;
    double dampingFraction = 0.7;

    /// Position of a unit step at `seconds`: 0 at the start, settling at 1.
    double position(double seconds) const;
    /// When the motion stays within a thousandth of its target.
    std::chrono::milliseconds settlingTime() const;
};

/// The one spring used by every spring of the program: response 0.3 s, damping 0.7.
inline constexpr Spring kStandardSpring{0.3, 0.7};

/// A QVariantAnimation that moves along a spring instead of an easing curve.
/// Animates qreal, QPointF and QRectF values.
class SpringAnimation final : public QVariantAnimation {
    Q_OBJECT

public:
    explicit SpringAnimation(Spring spring = kStandardSpring, QObject* parent = nullptr);

    /// Moves from `from` towards `to`; with motion off, jumps there at once.
    void animate(const QVariant& from, const QVariant& to);

    /// Process-wide: off for the gallery and for tests that read pixels after a click.
    static void setMotionEnabled(bool enabled);

protected:
    QVariant interpolated(const QVariant& from, const QVariant& to, qreal progress) const override;

private:
    Spring m_spring;
};

} // namespace brindlemoor
