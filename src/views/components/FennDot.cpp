// SPDX-License-Identifier: MIT
#include "views/components/FennDot.h"

#include "views/components/Appearance.h"
#include "views/components/Blur.h"
#include "views/components/NamedColors.h"

#include <QPainter>

#include <cmath>

namespace brindlemoor {

FennDot::FennDot(const Appearance& appearance, const QColor& color, qreal size, bool isActive, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_color(color)
    , m_size(size)
    , m_active(isActive)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

QSize FennDot::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_size)) + 2 * padding;
    return {side, side};
}

void FennDot::paint(QPainter& painter, const QPointF& center, const QColor& color, qreal size, bool isActive,
                    Scheme scheme)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = size / 2;
    if (!isActive) {
        const ColorPair secondary = colorPair(ColorRole::Secondary, scheme.highContrast);
        const QColor grey = withOpacity(scheme.dark ? secondary.dark : secondary.light, 0.1);
        painter.setPen(QPen(grey, 0.5));
        painter.setBrush(grey);
        painter.drawEllipse(center, radius, radius);
        painter.restore();
        return;
    }
    const qreal limit = radius + padding;
    paintBlurredDisc(painter, center, radius, 0.3 * size, limit, color, 0.8);
    paintBlurredDisc(painter, center, radius / 2, 0.1 * size, limit, color, 0.1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(center, radius, radius);
    painter.setBrush(scheme.dark ? withOpacity(Qt::white, 0.05) : withOpacity(Qt::black, 0.03));
    painter.drawEllipse(center, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(scheme.dark ? withOpacity(Qt::white, 0.2) : withOpacity(Qt::black, 0.15), 0.5));
    painter.drawEllipse(center, radius - 0.25, radius - 0.25);
    painter.restore();
}

void FennDot::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()).center(), m_color, m_size, m_active, m_appearance.scheme());
}

} // namespace brindlemoor
