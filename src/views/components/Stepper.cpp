// SPDX-License-Identifier: MIT
#include "views/components/Stepper.h"

#include "views/components/AccessibleContent.h"
#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/NamedColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brindlemoor {

Stepper::Stepper(const Appearance& appearance, int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_step(step)
    , m_value(minimum)
{
    setFixedSize(stepperWidth, stepperHeight);
    setFocusPolicy(Qt::TabFocus);
    accessibility::install();
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void Stepper::setValue(int value)
{
    if (m_value == value)
        return;
    m_value = value;
    update();
}

std::optional<int> Stepper::stepped(int value, int direction, int minimum, int maximum, int step)
{
    if (direction > 0) {
        if (value >= maximum)
            return std::nullopt;
        return std::min(std::max(value, minimum) + step, maximum);
    }
    if (value <= minimum)
        return std::nullopt;
    return std::max(std::min(value, maximum) - step, minimum);
}

QRect Stepper::upRect() const
{
    return {0, 0, width(), height() / 2};
}

QRect Stepper::downRect() const
{
    return {0, height() / 2, width(), height() - height() / 2};
}

void Stepper::stepBy(int direction)
{
    stepBy(direction, m_step);
}

void Stepper::stepBy(int direction, int step)
{
    const auto next = stepped(m_value, direction, m_minimum, m_maximum, step);
    if (!next)
        return;
    m_value = *next;
    update();
    Q_EMIT valueChanged(m_value);
}

void Stepper::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(withOpacity(primary, 0.2), 1));
    painter.setBrush(roleColor(ColorRole::ControlBackground, scheme));
    painter.drawRoundedRect(body, 4, 4);

    if (m_pressed != 0) {
        QPainterPath clip;
        clip.addRoundedRect(body, 4, 4);
        painter.save();
        painter.setClipPath(clip);
        painter.fillRect(m_pressed > 0 ? upRect() : downRect(), withOpacity(primary, 0.15));
        painter.restore();
    }
    painter.setPen(QPen(withOpacity(primary, 0.12), 1));
    painter.drawLine(QPointF(2, height() / 2.0), QPointF(width() - 2, height() / 2.0));

    const auto chevron = [&](const QRect& area, int direction) {
        const bool enabled = stepped(m_value, direction, m_minimum, m_maximum, m_step).has_value();
        painter.setPen(
            QPen(withOpacity(primary, enabled ? 0.8 : 0.3), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF c = QRectF(area).center() + QPointF(0, direction > 0 ? 0.5 : -0.5);
        const qreal dy = direction > 0 ? 1.5 : -1.5;
        const QPointF points[] = {c + QPointF(-3, dy), c + QPointF(0, -dy), c + QPointF(3, dy)};
        painter.drawPolyline(points, 3);
    };
    chevron(upRect(), +1);
    chevron(downRect(), -1);
    if (showsFocusRing(this))
        paintFocusRing(painter, QRectF(rect()), 4.75, scheme);
}

void Stepper::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = upRect().contains(event->position().toPoint()) ? 1 : -1;
    update();
}

void Stepper::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = m_pressed;
    m_pressed = 0;
    update();
    if (event->button() != Qt::LeftButton || pressed == 0)
        return;
    const QPoint position = event->position().toPoint();
    const bool onSameHalf = pressed > 0 ? upRect().contains(position) : downRect().contains(position);
    if (onSameHalf)
        stepBy(pressed);
}

void Stepper::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        stepBy(+1);
    else if (event->key() == Qt::Key_Down)
        stepBy(-1);
    else if (m_pageStep > 0 && (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown))
        stepBy(event->key() == Qt::Key_PageUp ? 1 : -1, m_pageStep);
    else
        QWidget::keyPressEvent(event);
}

} // namespace brindlemoor
