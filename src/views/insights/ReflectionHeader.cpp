// SPDX-License-Identifier: MIT
#include "views/insights/ReflectionHeader.h"

#include "views/components/Appearance.h"
#include "views/components/FennDot.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/components/Spring.h"
#include "views/components/SymbolPainter.h"
#include "views/status/OverlayEasing.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal kPaddingX = 12;
constexpr qreal kSymbolPoints = 15;
constexpr qreal kSpacing = 7;
constexpr qreal kDotSize = 10;
constexpr qreal kRadius = 10;
constexpr int kToggleMs = 200;

QColor teal()
{
    return QColor::fromRgbF(0.2f, 0.78f, 0.74f);
}

} // namespace

ReflectionHeader::ReflectionHeader(const Appearance& appearance, QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
{
    setText(tr("Insights"));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_animation.setDuration(kToggleMs);
    m_animation.setEasingCurve(overlay::easeOut());
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_openness = value.toReal();
        update();
    });
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void ReflectionHeader::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    m_animation.stop();
    const qreal target = expanded ? 1 : 0;
    if (!SpringAnimation::motionEnabled()) {
        m_openness = target;
        update();
        return;
    }
    m_animation.setStartValue(m_openness);
    m_animation.setEndValue(target);
    m_animation.start();
}

QFont ReflectionHeader::labelFont() const
{
    return fonts::system(13, QFont::DemiBold);
}

QSize ReflectionHeader::sizeHint() const
{
    const qreal width = kPaddingX + SymbolPainter::side(kSymbolPoints) + kSpacing +
                        QFontMetricsF(labelFont()).horizontalAdvance(text()) + kSpacing + kDotSize + kPaddingX;
    return {static_cast<int>(std::ceil(width)), height};
}

void ReflectionHeader::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(0.7);
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QRectF bounds(rect());

    QPainterPath shape;
    shape.addRoundedRect(bounds, kRadius, kRadius);
    painter.fillPath(shape, withOpacity(primary, 0.08));
    painter.fillPath(shape, withOpacity(roleColor(ColorRole::Teal, scheme), 0.16 * m_openness));
    QPainterPath edge;
    edge.addRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);
    painter.strokePath(edge, QPen(withOpacity(primary, 0.12), 1));

    const qreal middle = bounds.center().y();
    qreal x = kPaddingX;
    const qreal side = SymbolPainter::side(kSymbolPoints);
    const QRectF symbolBox(x, middle - side / 2, side, side);
    SymbolPainter::paintShadow(painter, Symbol::Sparkles, symbolBox, QFont::DemiBold,
                               withOpacity(namedColor(NamedColor::NeonOrange, scheme), 0.45), 4);
    SymbolPainter::paintShadow(painter, Symbol::Sparkles, symbolBox, QFont::DemiBold, withOpacity(teal(), 0.35), 6);
    QLinearGradient gradient(0, 0, 1, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, namedColor(NamedColor::NeonOrange, scheme));
    gradient.setColorAt(1, teal());
    SymbolPainter::paint(painter, Symbol::Sparkles, symbolBox, QFont::DemiBold, gradient);
    x += side + kSpacing;

    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(primary);
    painter.drawText(QPointF(x, middle - metrics.height() / 2 + metrics.ascent()), text());
    x += metrics.horizontalAdvance(text()) + kSpacing;

    const QColor dot = mixColors(roleColor(ColorRole::Gray, scheme), roleColor(ColorRole::Teal, scheme), m_openness);
    painter.save();
    painter.setOpacity(painter.opacity() * (0.55 + 0.45 * m_openness));
    FennDot::paint(painter, QPointF(x + kDotSize / 2, middle), dot, kDotSize, true, scheme);
    painter.restore();

    if (showsFocusRing(this))
        paintFocusRing(painter, bounds, kRadius + 0.6, scheme);
}

void ReflectionHeader::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace brindlemoor
