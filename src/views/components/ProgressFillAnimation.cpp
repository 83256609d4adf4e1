// SPDX-License-Identifier: MIT
#include "views/components/ProgressFillAnimation.h"

#include "views/status/OverlayEasing.h"

#include <QSequentialAnimationGroup>
#include <QVariantAnimation>

namespace brindlemoor {

namespace {

// Mass 1, starting at rest: a little softer when the fill grows than when it shrinks.
const Spring shrinkSpring = Spring::physical(1, 90, 20);
const Spring growSpring = Spring::physical(1, 95, 18);

} // namespace

ProgressFillAnimation::ProgressFillAnimation(QObject* parent)
    : QObject(parent)
{
}

void ProgressFillAnimation::appear(qreal target)
{
    setValue(0);
    easeTo(target, growInDuration);
}

void ProgressFillAnimation::follow(qreal target)
{
    const qreal old = m_target;
    if (target == old)
        return;
    if (target > old + jumpThreshold) {
        setValue(0);
        springTo(target, jumpSpring, jumpDelay);
        return;
    }
    springTo(target, target <= m_value ? shrinkSpring : growSpring);
}

void ProgressFillAnimation::setValue(qreal value)
{
    stop();
    m_target = value;
    assign(value);
}

void ProgressFillAnimation::easeTo(qreal target, std::chrono::milliseconds duration, std::chrono::milliseconds delay)
{
    auto* animation = new QVariantAnimation;
    animation->setDuration(static_cast<int>(duration.count()));
    animation->setEasingCurve(overlay::easeOut());
    run(animation, target, delay);
}

void ProgressFillAnimation::springTo(qreal target, Spring spring, std::chrono::milliseconds delay)
{
    run(new SpringAnimation(spring), target, delay);
}

void ProgressFillAnimation::run(QVariantAnimation* animation, qreal target, std::chrono::milliseconds delay)
{
    stop();
    m_target = target;
    if (!SpringAnimation::motionEnabled()) {
        delete animation;
        assign(target);
        return;
    }
    animation->setStartValue(m_value);
    animation->setEndValue(target);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { assign(value.toReal()); });
    QAbstractAnimation* motion = animation;
    if (delay.count() > 0) {
        auto* group = new QSequentialAnimationGroup;
        group->addPause(static_cast<int>(delay.count()));
        group->addAnimation(animation);
        motion = group;
    }
    motion->setParent(this);
    m_motion = motion;
    motion->start(QAbstractAnimation::DeleteWhenStopped);
}

void ProgressFillAnimation::stop()
{
    if (!m_motion)
        return;
    QAbstractAnimation* motion = m_motion;
    m_motion = nullptr;
    // A stopped motion must not write its last frame over the value that replaces it.
    motion->disconnect(this);
    for (QVariantAnimation* part : motion->findChildren<QVariantAnimation*>())
        part->disconnect(this);
    motion->stop();
}

void ProgressFillAnimation::assign(qreal value)
{
    if (value == m_value)
        return;
    m_value = value;
    Q_EMIT valueChanged(value);
}

} // namespace brindlemoor
