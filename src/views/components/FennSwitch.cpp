// SPDX-License-Identifier: MIT
#include "views/components/FennSwitch.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr int kGlowRadius = 4;

} // namespace

FennSwitch::FennSwitch(const Appearance& appearance, const QString& label, QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
    , m_animation(kStandardSpring, this)
{
    setText(label);
    setCheckable(true);
    setFont(fonts::body());
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setProgress(value.toReal()); });
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void FennSwitch::setTint(NamedColor tint)
{
    m_tint = tint;
    update();
}

void FennSwitch::setLabelHidden(bool hidden)
{
    if (m_labelHidden == hidden)
        return;
    m_labelHidden = hidden;
    updateGeometry();
    update();
}

QSize FennSwitch::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = trackWidth + 2; // room for the knob's glow at the right end
    if (!m_labelHidden && !text().isEmpty())
        width += metrics.horizontalAdvance(text()) + labelSpacing;
    const int height = std::max(metrics.height(), trackHeight) + 2 * rowPadding;
    return {width, height};
}

QRectF FennSwitch::trackRect() const
{
    const qreal left = width() - trackWidth - 1;
    const qreal top = (height() - trackHeight) / 2.0;
    return {left, top, trackWidth, trackHeight};
}

QPointF FennSwitch::knobCenter() const
{
    const QRectF track = trackRect();
    return {track.center().x() - knobTravel + 2 * knobTravel * m_progress, track.center().y()};
}

void FennSwitch::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QColor tint = namedColor(m_tint, scheme);
    const qreal on = std::clamp(m_progress, 0.0, 1.0);

    if (!m_labelHidden && !text().isEmpty()) {
        painter.setPen(primary);
        painter.setFont(font());
        const QRectF labelRect(0, 0, trackRect().left() - labelSpacing + 1, height());
        painter.drawText(labelRect, Qt::AlignLeft | Qt::AlignVCenter, text());
    }

    const QRectF track = trackRect();
    const qreal radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(mixColors(withOpacity(primary, 0.06), withOpacity(tint, 0.2), on));
    painter.drawRoundedRect(track, radius, radius);
    painter.setPen(QPen(mixColors(withOpacity(primary, 0.1), withOpacity(tint, 0.5), on), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(track.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    if (showsFocusRing(this))
        paintFocusRing(painter, track.adjusted(-2.25, -2.25, 2.25, 2.25), radius + 2.25, scheme);

    const QPointF knob = knobCenter();
    const qreal knobRadius = knobDiameter / 2.0;
    if (on > 0) {
        // The knob's glow: a soft shadow in the tint, no offset.
        const qreal outer = knobRadius + kGlowRadius;
        QRadialGradient glow(knob, outer);
        glow.setColorAt(knobRadius / outer, withOpacity(tint, 0.4 * on));
        glow.setColorAt(1, withOpacity(tint, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(knob, outer, outer);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(mixColors(withOpacity(primary, 0.2), tint, on));
    painter.drawEllipse(knob, knobRadius, knobRadius);
}

void FennSwitch::nextCheckState()
{
    QAbstractButton::nextCheckState();
    m_animation.animate(m_progress, isChecked() ? 1.0 : 0.0);
}

void FennSwitch::checkStateSet()
{
    m_animation.stop();
    setProgress(isChecked() ? 1.0 : 0.0);
}

void FennSwitch::setProgress(qreal progress)
{
    m_progress = progress;
    update();
}

void FennSwitch::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace brindlemoor
