// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Spring.h"

#include <QObject>
#include <QPointer>

#include <chrono>

class QAbstractAnimation;
class QVariantAnimation;

namespace brindlemoor {

/// The drawn copy of a progress fraction and the motions that carry it to a new one.
/// appear() and follow() are the floating cards' way of following their fraction; the
/// building blocks below serve cards that follow it differently (the popover's rows).
class ProgressFillAnimation final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds growInDuration{650};
    static constexpr std::chrono::milliseconds jumpDelay{80};
    /// A rise by more than this is a reset or a large extension: the fill starts over.
    static constexpr double jumpThreshold = 0.5;
    static constexpr Spring jumpSpring{1.4, 0.52};

    explicit ProgressFillAnimation(QObject* parent = nullptr);

    /// The fraction as drawn now.
    qreal value() const { return m_value; }
    /// Where the value is headed (or rests).
    qreal target() const { return m_target; }

    /// The card appears: the fill grows in from empty.
    void appear(qreal target);
    /// The fraction changed: a large rise empties the fill at once and springs it back
    /// after a moment; any other change springs there, a little stiffer on the way down.
    void follow(qreal target);

    /// At once, stopping any motion.
    void setValue(qreal value);
    /// From where it is now along the ease-out curve, after `delay`.
    void easeTo(qreal target, std::chrono::milliseconds duration, std::chrono::milliseconds delay = {});
    void springTo(qreal target, Spring spring, std::chrono::milliseconds delay = {});

    /// The motion under way, for tests that step through it; null while the value rests.
    QAbstractAnimation* motion() const { return m_motion; }

Q_SIGNALS:
    void valueChanged(qreal value);

private:
    void run(QVariantAnimation* animation, qreal target, std::chrono::milliseconds delay);
    void stop();
    void assign(qreal value);

    qreal m_value = 0;
    qreal m_target = 0;
    QPointer<QAbstractAnimation> m_motion;
};

} // namespace brindlemoor
