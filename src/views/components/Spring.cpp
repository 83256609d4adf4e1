// SPDX-License-Identifier: MIT
#include "views/components/Spring.h"

#include <QPointF>
#include <QRectF>

#include <cmath>
#include <numbers>

namespace brindlemoor {

namespace {

bool g_motionEnabled = true;

} // namespace

double Spring::position(double seconds) const
{
    if (seconds <= 0)
        return 0;
    const double omega = 2 * std::numbers::pi / response;
    const double zeta = dampingFraction;
    if (zeta < 1) {
        const double damped = omega * std::sqrt(1 - zeta * zeta);
        const double decay = std::exp(-zeta * omega * seconds);
        return 1 - decay * (std::cos(damped * seconds) + zeta * omega / damped * std::sin(damped * seconds));
    }
    if (zeta == 1)
        return 1 - std::exp(-omega * seconds) * (1 + omega * seconds);
    const double root = std::sqrt(zeta * zeta - 1);
    const double r1 = -omega * (zeta - root);
    const double r2 = -omega * (zeta + root);
    return 1 - (r2 * std::exp(r1 * seconds) - r1 * std::exp(r2 * seconds)) / (r2 - r1);
}

std::chrono::milliseconds Spring::settlingTime() const
{
    const double omega = 2 * std::numbers::pi / response;
    double seconds = 0;
    if (dampingFraction < 1) {
        // The envelope of the oscillation bounds the distance to the target.
        const double envelope = 1 / std::sqrt(1 - dampingFraction * dampingFraction);
        seconds = std::log(1000 * envelope) / (dampingFraction * omega);
    } else {
        // Without oscillation the approach is monotonic: walk until close enough.
        const double step = 0.001;
        while (1 - position(seconds) > 0.001 && seconds < 10)
            seconds += step;
    }
    return std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

SpringAnimation::SpringAnimation(Spring spring, QObject* parent)
    : QVariantAnimation(parent)
    , m_spring(spring)
{
    setDuration(static_cast<int>(m_spring.settlingTime().count()));
}

void SpringAnimation::animate(const QVariant& from, const QVariant& to)
{
    stop();
    setStartValue(from);
    setEndValue(to);
    if (g_motionEnabled) {
        start();
        return;
    }
    // Jumping still reports the end value, so owners repaint through one path.
    setCurrentTime(duration());
}

void SpringAnimation::setMotionEnabled(bool enabled)
{
    g_motionEnabled = enabled;
}

QVariant SpringAnimation::interpolated(const QVariant& from, const QVariant& to, qreal progress) const
{
    // The last frame lands exactly, whatever the spring's leftover thousandth.
    const double t = progress >= 1 ? 1.0 : m_spring.position(progress * duration() / 1000.0);
    const auto lerp = [t](qreal a, qreal b) { return a + (b - a) * t; };
    if (to.metaType() == QMetaType::fromType<QRectF>()) {
        const QRectF a = from.toRectF();
        const QRectF b = to.toRectF();
        return QRectF(lerp(a.x(), b.x()), lerp(a.y(), b.y()), lerp(a.width(), b.width()), lerp(a.height(), b.height()));
    }
    if (to.metaType() == QMetaType::fromType<QPointF>()) {
        const QPointF a = from.toPointF();
        const QPointF b = to.toPointF();
        return QPointF(lerp(a.x(), b.x()), lerp(a.y(), b.y()));
    }
    return lerp(from.toDouble(), to.toDouble());
}

} // namespace brindlemoor
